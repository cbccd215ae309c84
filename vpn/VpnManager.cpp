#include "VpnManager.h"

#include "EngineConfiguration.h"
#include "common/CommandLine.h"
#include "common/HostFolder.h"
#include "platform/PrivateFiles.h"

#include <QHostAddress>

#include <chrono>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* kPidFileName = "orvanta-sslvpn.pid";

} // namespace

VpnManager::VpnManager()
    : m_dialogue(ManagementDialogue::Peer{
          [this](const std::string& bytes) {
              if (m_socket)
                  m_socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
          },
          [this](int state) { OnVpnStateChanged(state); },
          [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }})
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(1000);
    QObject::connect(&m_retry, &QTimer::timeout, [this] { ConnectManagement(); });
}

VpnManager::~VpnManager()
{
    m_retry.stop();
    ResetManagement();
    ForgetPasswordFile();
}

std::string VpnManager::EngineFolder()
{
    return ModuleDirectory() + "/orvanta_sslvpn";
}

int VpnManager::StartVpn(const std::string& entry, const std::string& user, const std::string& passwd,
                         const std::string& extra)
{
    if (StopVpn() != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    CreateExitEvent();

    std::string server = EngineConfiguration::ServerText(entry);
    std::string managementPassword = EngineConfiguration::MakeManagementPassword();
    m_dialogue.Begin(managementPassword, server, user, passwd);

    // The engine reads the management password from a file only the user can read; it goes as soon as
    // the management connection has used it, and in StopVpn in every case.
    m_passwordFile = platform::WritePrivateFile("management-" + std::to_string(getpid()) + ".pwd",
                                                managementPassword + "\n");
    if (m_passwordFile.empty())
        return 0;
    std::string folder = EngineFolder();
    std::string configFolder = folder + "/config/";
    std::string options = EngineConfiguration::Options(folder + "/log/client.log", m_passwordFile, extra);

    // An interactive service, when one listens, starts the engine itself (and edits no configuration).
    if (m_service.Open(EngineConfiguration::kServiceSocket)) {
        if (!m_service.Send(EngineConfiguration::ServiceStartMessage(configFolder, options, managementPassword), 5000)) {
            ForgetPasswordFile();
            return 0;
        }
        return ConnectManagement();
    }

    EngineConfiguration::UpdateRemoteLineInFile(configFolder + "client.ovpn", server);
    platform::StartOptions start;
    start.program = folder + "/bin/orvanta_sslvpn";
    start.workingFolder = configFolder;
    start.discardOutput = true;
    m_engine = platform::StartProcess(SplitCommandLine("openvpn " + options), start);
    if (m_engine == platform::kNoProcess) {
        SignalExitEvent();
        ForgetPasswordFile();
        return 0;
    }
    std::ofstream(platform::RuntimeFilePath(kPidFileName)) << platform::ProcessIdOf(m_engine) << "\n";
    return ConnectManagement();
}

int VpnManager::StopVpn()
{
    int previous = m_dialogue.state();
    m_dialogue.SetState(ManagementDialogue::Stopped);
    SignalExitEvent();
    if (m_engine != platform::kNoProcess) {
        if (!platform::WaitForProcess(m_engine, 2500))
            platform::TerminateProcess(m_engine);
        platform::CloseProcessHandle(m_engine);
        m_engine = platform::kNoProcess;
        platform::RemoveFile(platform::RuntimeFilePath(kPidFileName));
    }
    m_retry.stop();
    ResetManagement();
    ForgetPasswordFile();
    OnVpnStateChanged(ManagementDialogue::Stopped);
    return previous;
}

void VpnManager::CreateExitEvent()
{
    // An engine left behind by an earlier run of the program is told to exit, as a waiting engine is
    // told through its exit event elsewhere.
    if (platform::AskRecordedProcessToExit(platform::RuntimeFilePath(kPidFileName), "orvanta_sslvpn"))
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

void VpnManager::SignalExitEvent()
{
    if (m_engine != platform::kNoProcess)
        platform::AskProcessToExit(m_engine);
}

void VpnManager::ForgetPasswordFile()
{
    platform::RemoveFile(m_passwordFile);
    m_passwordFile.clear();
}

int VpnManager::ConnectManagement()
{
    m_socket = std::make_unique<QTcpSocket>();
    QObject::connect(m_socket.get(), &QTcpSocket::readyRead, [this] { OnReadyRead(); });
    QObject::connect(m_socket.get(), &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::ConnectionRefusedError || m_socket->state() != QAbstractSocket::ConnectedState)
            OnConnectFailed();
    });
    QObject::connect(m_socket.get(), &QTcpSocket::disconnected, [this] {
        // A closed management connection is not reopened; the state keeps its last value.
        m_dialogue.Reset();
    });
    m_socket->connectToHost(QHostAddress::LocalHost, EngineConfiguration::kManagementPort);
    return 1;
}

void VpnManager::OnConnectFailed()
{
    // The engine is not listening yet: try again in a second, without blocking the window.
    if (!m_socket)
        return;
    m_socket->abort();
    m_retry.start();
}

void VpnManager::OnReadyRead()
{
    while (m_socket && m_socket->bytesAvailable() > 0) {
        size_t free = 0;
        char* space = m_dialogue.ReceiveSpace(free);
        qint64 n = m_socket->read(space, static_cast<qint64>(free));
        if (n <= 0)
            break;
        m_dialogue.Received(static_cast<size_t>(n));
    }
    if (!m_dialogue.PasswordPending())
        ForgetPasswordFile();
}

void VpnManager::ResetManagement()
{
    m_dialogue.Reset();
    m_service.Close();
    if (m_socket) {
        m_socket->disconnect();
        m_socket->abort();
        m_socket.release()->deleteLater();
    }
}

#pragma once

#include "ManagementDialogue.h"
#include "platform/Process.h"
#include "platform/ServiceChannel.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <string>

// The SSL VPN: starts the engine below the host folder with the portal's server and credentials, drives
// it over its management port, and keeps the state code the portal reads through /vpn-state. Lives on
// the main window's thread; its owner learns every state change through OnVpnStateChanged.
class VpnManager
{
public:
    VpnManager();
    virtual ~VpnManager();
    VpnManager(const VpnManager&) = delete;
    VpnManager& operator=(const VpnManager&) = delete;

    // 1 when the engine was started and the management connection is being made, 0 on failure.
    int StartVpn(const std::string& entry, const std::string& user, const std::string& passwd,
                 const std::string& extra);
    // Ends the engine and the management connection; returns the state before the call.
    int StopVpn();

    // 0 stopped, 1 connected, 2 connecting, 3 reconnecting; may be read from any thread.
    int State() const { return m_dialogue.state(); }

    // host folder + "/orvanta_sslvpn"
    static std::string EngineFolder();

protected:
    virtual void OnVpnStateChanged(int state) = 0;

private:
    int ConnectManagement();
    void OnConnectFailed();
    void OnReadyRead();
    void ResetManagement();
    void CreateExitEvent();
    void SignalExitEvent();
    void ForgetPasswordFile();

    std::unique_ptr<QTcpSocket> m_socket;
    QTimer m_retry;
    ManagementDialogue m_dialogue;
    platform::ProcessHandle m_engine = platform::kNoProcess;
    platform::ServiceChannel m_service; // open while a service started the engine
    std::string m_passwordFile;
};

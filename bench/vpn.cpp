// Time from StartVpn (what "/openvpn" runs) to the connected state against an openvpn server in a
// network namespace, and in the same run the time the engine alone needs with the same options,
// answered by a minimal management client that polls the port every 10 ms. Needs root and
// /dev/net/tun. Prints "name: value" lines.
#include "common/CommandLine.h"
#include "common/HostFolder.h"
#include "fixtures/VpnTestNetwork.h"
#include "vpn/EngineConfiguration.h"
#include "vpn/VpnManager.h"

#include <QCoreApplication>

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

class BenchVpnManager : public VpnManager
{
protected:
    void OnVpnStateChanged(int) override {}
};

double OurSeconds()
{
    BenchVpnManager vpn;
    auto start = Clock::now();
    vpn.StartVpn("10.99.0.2:1194", "ann", "right", "");
    while (vpn.State() != 1 && Clock::now() - start < std::chrono::seconds(60)) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    vpn.StopVpn();
    return seconds;
}

// The engine with the same options, and a management client that answers as fast as it can.
double EngineAloneSeconds(const std::string& host)
{
    std::string passwordFile = host + "/management.pwd";
    std::FILE* f = std::fopen(passwordFile.c_str(), "w");
    std::fputs("benchpassword12\n", f);
    std::fclose(f);
    std::string options = EngineConfiguration::Options(host + "/orvanta_sslvpn/log/client.log", passwordFile, "");
    std::vector<std::string> arguments = SplitCommandLine("openvpn " + options);
    std::vector<char*> argv;
    for (auto& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, (host + "/orvanta_sslvpn/config").c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);

    auto start = Clock::now();
    pid_t engine = -1;
    posix_spawn(&engine, "/usr/sbin/openvpn", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);

    int fd = -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(EngineConfiguration::kManagementPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    while (Clock::now() - start < std::chrono::seconds(30)) {
        fd = socket(AF_INET, SOCK_STREAM, 0);
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            break;
        close(fd);
        fd = -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::string buffer;
    bool connected = false, passwordSent = false;
    auto say = [&](const std::string& text) { [[maybe_unused]] ssize_t n = send(fd, text.data(), text.size(), 0); };
    while (fd >= 0 && !connected && Clock::now() - start < std::chrono::seconds(60)) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0)
            continue;
        char chunk[4096];
        ssize_t n = recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            break;
        buffer.append(chunk, static_cast<size_t>(n));
        if (!passwordSent && buffer.find(':') != std::string::npos) {
            say("benchpassword12\n");
            passwordSent = true;
        }
        if (buffer.find(">HOLD:") != std::string::npos && buffer.find("#hold") == std::string::npos) {
            say("state on\nhold release\n");
            buffer += "#hold";
        }
        if (buffer.find(">REMOTE:") != std::string::npos && buffer.find("#remote") == std::string::npos) {
            say("remote MOD 10.99.0.2 1194\n");
            buffer += "#remote";
        }
        if (buffer.find(">PASSWORD:Need") != std::string::npos && buffer.find("#auth") == std::string::npos) {
            say("username \"Auth\" ann\npassword \"Auth\" right\n");
            buffer += "#auth";
        }
        connected = buffer.find(",CONNECTED,SUCCESS") != std::string::npos;
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (fd >= 0)
        close(fd);
    kill(engine, SIGTERM);
    waitpid(engine, nullptr, 0);
    return connected ? seconds : -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    VpnTestNetwork network;
    if (!network.Unavailable().empty() || !network.ready()) {
        std::printf("vpn_bench_skipped: %s\n", network.Unavailable().empty() ? "network setup failed"
                                                                             : network.Unavailable().c_str());
        return 0;
    }
    std::filesystem::create_directories(network.folder() / "runtime");
    setenv("XDG_RUNTIME_DIR", (network.folder() / "runtime").c_str(), 1);
    SetModuleDirectoryForTesting(network.hostFolder().string());
    std::this_thread::sleep_for(std::chrono::seconds(1)); // the server comes up

    double alone = EngineAloneSeconds(network.hostFolder().string());
    double ours = OurSeconds();
    std::printf("engine_alone_to_connected_s: %.3f\n", alone);
    std::printf("openvpn_request_to_connected_s: %.3f\n", ours);
    std::printf("overhead_ms: %.0f\n", (ours - alone) * 1000);
    std::printf("ours_vs_engine_alone_ratio: %.2f\n", ours / alone);
    std::printf("goal_overhead_at_most_1200ms_met: %s\n", alone > 0 && ours - alone <= 1.2 ? "yes" : "no");
    SetModuleDirectoryForTesting("");
    return 0;
}

// How long GetAppState takes while clients are being launched: one thread asks for the state of a
// server in a tight loop, as the control server's poll thread does for /app_state, while another runs
// 20 OnOpenApp calls that start stand-in clients. Prints "name: value" lines; the anchor is the same
// loop with no launches running.
#include "OrvExtern.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

class Host : public OrvExtern
{
public:
    void OnVpnResult(int) override {}
};

using Clock = std::chrono::steady_clock;

// Call durations in 10 ns buckets up to 10 ms; longer ones count in the last bucket. Fixed memory
// however long the loop runs.
class Histogram
{
public:
    void Add(double us)
    {
        size_t bucket = std::min(m_counts.size() - 1, static_cast<size_t>(us * 100));
        ++m_counts[bucket];
        ++m_total;
        m_max = std::max(m_max, us);
    }
    double Percentile(double p) const
    {
        size_t wanted = static_cast<size_t>(p * m_total), seen = 0;
        for (size_t i = 0; i < m_counts.size(); ++i) {
            seen += m_counts[i];
            if (seen > wanted)
                return (i + 1) / 100.0;
        }
        return m_max;
    }
    size_t total() const { return m_total; }
    double max() const { return m_max; }

private:
    std::vector<size_t> m_counts = std::vector<size_t>(1000000);
    size_t m_total = 0;
    double m_max = 0;
};

// Calls GetAppState until `stop`, recording each call's duration in microseconds.
Histogram MeasureAppState(Host& host, const std::atomic<bool>& stop)
{
    Histogram histogram;
    while (!stop) {
        auto start = Clock::now();
        volatile int state = host.GetAppState("srv7");
        (void)state;
        histogram.Add(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return histogram;
}

} // namespace

int main()
{
    auto log = std::filesystem::temp_directory_path() / "orv-bench-app-state";
    std::filesystem::create_directories(log);
    setenv("ORVANTA_FIXTURE_LOG", log.c_str(), 1);
    Host host;

    std::atomic<bool> stop{false};
    std::thread idle([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        stop = true;
    });
    Histogram anchor = MeasureAppState(host, stop);
    idle.join();

    stop = false;
    int launched = 0;
    std::thread launcher([&] {
        for (int i = 0; i < 20; ++i)
            launched += host.OnOpenApp("", ("srv" + std::to_string(i)).c_str(), "ann", "pw", "1280x720", "", "",
                                       nullptr, "", "", "", "", 3389)
                            ? 1
                            : 0;
        stop = true;
    });
    Histogram during = MeasureAppState(host, stop);
    launcher.join();
    int running = 0;
    for (int i = 0; i < 20; ++i)
        running += host.GetAppState(("srv" + std::to_string(i)).c_str());
    host.OnLoginout();
    std::filesystem::remove_all(log);

    std::printf("launches: %d\n", launched);
    std::printf("clients_registered: %d\n", running);
    std::printf("app_state_calls_during_launches: %zu\n", during.total());
    std::printf("app_state_p50_us: %.2f\n", during.Percentile(0.50));
    std::printf("app_state_p99_us: %.2f\n", during.Percentile(0.99));
    std::printf("app_state_p9999_us: %.2f\n", during.Percentile(0.9999));
    std::printf("app_state_max_us: %.2f\n", during.max());
    std::printf("anchor_p99_us: %.2f\n", anchor.Percentile(0.99));
    std::printf("p99_vs_anchor_ratio: %.2f\n", during.Percentile(0.99) / anchor.Percentile(0.99));
    std::printf("goal_p99_under_1ms_met: %s\n", during.Percentile(0.99) < 1000 ? "yes" : "no");
    return 0;
}

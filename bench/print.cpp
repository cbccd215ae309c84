// Time and peak memory of OrvPdfPrinter printing a 10-page A4 PDF (half of the pages landscape) until
// the job is completed in CUPS, at the queue's own resolution (600 dpi) and at 1200 dpi. The anchor is
// `lp` of the same PDF to the same queue: CUPS printing the PDF itself. Prints "name: value" lines.
#include "fixtures/CupsDaemon.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Run
{
    double seconds = 0;
    long peakKb = 0;
    bool completed = false;
};

// Runs a program and waits for it; the peak resident memory comes from the kernel's accounting.
long RunProgram(const std::vector<std::string>& arguments)
{
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const auto& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss;
}

Run PrintOnce(const CupsDaemon& cups, const std::vector<std::string>& command)
{
    int before = static_cast<int>(cups.Jobs().size());
    auto start = std::chrono::steady_clock::now();
    Run run;
    run.peakKb = RunProgram(command);
    run.completed = cups.WaitForCompletedJobs(before + 1, 600);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    std::string tool = argc > 1 ? argv[1] : "build/dist/public/OrvPdfPrinter";
    fs::path scratch = fs::temp_directory_path() / ("orv-print-bench-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    std::string pdf = (scratch / "ten pages.pdf").string();
    std::string make = "python3 " ORVANTA_FIXTURES_DIR "/make_test_pdf.py '" + pdf + "' LPLPLPLPLP";
    if (std::system(make.c_str()) != 0)
        return 1;

    for (int dpi : {600, 1200}) {
        CupsDaemon cups("orvanta-bench-" + std::to_string(dpi), dpi);
        if (!cups.ready()) {
            std::printf("cups_ready_%d: no\n", dpi);
            return 1;
        }
        cups.SetEnvironment();
        Run anchor = PrintOnce(cups, {"lp", "-d", cups.queueName(), pdf});
        Run ours = PrintOnce(cups, {tool, pdf, cups.queueName(), "0"});
        std::string d = std::to_string(dpi);
        std::printf("lp_seconds_%s: %.2f\n", d.c_str(), anchor.seconds);
        std::printf("orvpdfprinter_seconds_%s: %.2f\n", d.c_str(), ours.seconds);
        std::printf("orvpdfprinter_vs_lp_time_ratio_%s: %.2f\n", d.c_str(), ours.seconds / anchor.seconds);
        std::printf("orvpdfprinter_peak_rss_mb_%s: %.1f\n", d.c_str(), ours.peakKb / 1024.0);
        std::printf("jobs_completed_%s: %s\n", d.c_str(), anchor.completed && ours.completed ? "yes" : "no");
        std::printf("goal_peak_memory_under_150mb_%s_met: %s\n", d.c_str(), ours.peakKb < 150 * 1024 ? "yes" : "no");
        if (dpi == 600)
            std::printf("goal_time_at_most_3x_lp_met: %s\n", ours.seconds <= 3 * anchor.seconds ? "yes" : "no");
    }
    fs::remove_all(scratch);
    return 0;
}

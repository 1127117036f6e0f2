// SPDX-License-Identifier: MIT
// Launches programs side by side on an X display and measures, for each launch, the time from
// the start of the process to the mapping of its first top-level window, the processor time the
// process had used by then, and its peak resident memory once the window is up. Prints the medians
// and their ratios to the first program. On a machine shared with other work the processor time
// varies far less than the elapsed time.
//
// usage: startup_bench RUNS PROGRAM [PROGRAM...]

#include <X11/Xlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// How much slower and larger than the bare window the program may be.
constexpr double TargetRatio = 1.10;

struct Sample
{
    double milliseconds = 0;
    double cpuMilliseconds = 0;
    long peakKiB = 0;
};

// Processor time the process has run for, from the scheduler's statistics; negative when unknown.
double CpuMilliseconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/schedstat");
    double nanoseconds = -1e6;
    stat >> nanoseconds;
    return nanoseconds / 1e6;
}

long PeakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

bool Launch(Display *display, const char *program, Sample &sample)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }

    bool mapped = false;
    const Clock::time_point deadline = start + std::chrono::seconds(20);
    while (!mapped && Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !mapped) {
                mapped = true;
                sample.cpuMilliseconds = CpuMilliseconds(pid);
            }
        }
        if (!mapped)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    sample.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    // Let the first paint finish before reading the peak.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sample.peakKiB = PeakResidentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return mapped;
}

template<typename T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [PROGRAM...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display *display = XOpenDisplay(nullptr);
    if (!display || runs < 1) {
        std::fprintf(stderr, "startup_bench: no X display (set DISPLAY, e.g. under Xvfb)\n");
        return 2;
    }

    const int programs = argc - 2;
    std::vector<std::vector<double>> times(programs);
    std::vector<std::vector<double>> cpus(programs);
    std::vector<std::vector<long>> peaks(programs);
    // Interleave the programs so that both see the same machine load and file cache.
    for (int run = 0; run < runs; ++run) {
        for (int p = 0; p < programs; ++p) {
            Sample sample;
            if (!Launch(display, argv[p + 2], sample)) {
                std::fprintf(stderr, "startup_bench: %s showed no window\n", argv[p + 2]);
                return 1;
            }
            times[p].push_back(sample.milliseconds);
            cpus[p].push_back(sample.cpuMilliseconds);
            peaks[p].push_back(sample.peakKiB);
        }
    }

    const double baseTime = Median(times[0]);
    const double baseCpu = Median(cpus[0]);
    const double basePeak = double(Median(peaks[0]));
    std::printf("%-40s %10s %10s %10s %8s %8s %8s\n", "program", "shown (ms)", "cpu (ms)",
                "peak (KiB)", "time x", "cpu x", "memory x");
    bool withinTargets = true;
    for (int p = 0; p < programs; ++p) {
        const double time = Median(times[p]);
        const double cpu = Median(cpus[p]);
        const double peak = double(Median(peaks[p]));
        std::printf("%-40s %10.1f %10.1f %10.0f %8.3f %8.3f %8.3f\n", argv[p + 2], time, cpu, peak,
                    time / baseTime, cpu / baseCpu, peak / basePeak);
        withinTargets
            = withinTargets && time / baseTime <= TargetRatio && peak / basePeak <= TargetRatio;
    }
    std::printf("median of %d runs each; target: both ratios at or under %.2f: %s\n", runs,
                TargetRatio, withinTargets ? "met" : "NOT met");
    std::fflush(stdout);
    XCloseDisplay(display);
    return 0;
}

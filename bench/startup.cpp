// Start-up benchmark: starts each program several times and measures the
// time from the start of its process to its window's first paint, and its
// proportional set size once idle. Prints medians, and the ratios to the
// bare Qt window measured in the same run.
//
//   startup [--runs N] <bare window> <program>...
//
// Needs a display (README runs it under Xvfb).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sample
{
    double milliseconds = -1;
    long pssKiB = -1;
};

long readPss(pid_t pid)
{
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    long value = -1;
    while (std::getline(rollup, line)) {
        if (std::sscanf(line.c_str(), "Pss: %ld", &value) == 1)
            return value;
    }
    return -1;
}

Sample measure(const char *program)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        setenv("FORM_REPORT_FIRST_PAINT", "1", 1);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);

    Sample sample;
    std::string line;
    char c;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        line += c;
    long long paintedAt = 0;
    if (std::sscanf(line.c_str(), "first-paint %lld", &paintedAt) == 1) {
        const long long startedAt =
            std::chrono::duration_cast<std::chrono::nanoseconds>(started.time_since_epoch()).count();
        sample.milliseconds = double(paintedAt - startedAt) / 1e6;
        // Idle: give the event loop a moment to settle before reading memory.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        sample.pssKiB = readPss(pid);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    close(pipeFds[0]);
    return sample;
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? T{} : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 11;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
        runs = std::max(1, std::atoi(argv[2]));
        first = 3;
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: startup [--runs N] <bare window> <program>...\n");
        return 2;
    }

    double baseMs = 0;
    long baseKiB = 0;
    std::printf("%-28s %12s %10s %12s %12s\n", "program", "first paint", "ratio", "PSS idle", "PSS extra");
    for (int i = first; i < argc; ++i) {
        std::vector<double> times;
        std::vector<long> memory;
        measure(argv[i]); // warm the file cache
        for (int run = 0; run < runs; ++run) {
            const Sample sample = measure(argv[i]);
            if (sample.milliseconds < 0) {
                std::fprintf(stderr, "%s did not report its first paint\n", argv[i]);
                return 1;
            }
            times.push_back(sample.milliseconds);
            memory.push_back(sample.pssKiB);
        }
        const double ms = median(times);
        const long kib = median(memory);
        if (i == first) {
            baseMs = ms;
            baseKiB = kib;
        }
        const char *name = std::strrchr(argv[i], '/') ? std::strrchr(argv[i], '/') + 1 : argv[i];
        std::printf("%-28s %9.1f ms %9.2fx %8ld KiB %+8ld KiB\n", name, ms, ms / baseMs, kib, kib - baseKiB);
    }
    return 0;
}

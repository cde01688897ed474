// Runs a command and prints its wall time and peak memory ("wall_ms N", "peak_kib N").
// A small launcher of its own: the peak the kernel reports for a child includes the
// memory of the process it was forked from, so it must not be forked from the benchmark.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: vorlane-bench-peak COMMAND [ARG]...\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        // The command's own output is not wanted, only its exit status.
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return 2;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("wall_ms %.3f\npeak_kib %ld\ncpu_ms %.3f\n", ms, usage.ru_maxrss,
                (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                    + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// Memory: the peak resident memory of the game at the title screen and after
// walking all six floors, next to a bare program that only sets the same video
// mode. Each is the memory probe run as a child process; its peak comes from
// wait4's resource usage (ru_maxrss) and, unaffected by this process's own
// size, from the probe's VmHWM.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "support.h"

extern char** environ;

struct Peak {
    long maxrssKiB;  // ru_maxrss of the child
    long ownPeakKiB; // the child's VmHWM, as it reported it
};

static bool runProbe(const char* mode, Peak* peak) {
    int report[2];
    if (pipe(report) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, report[1], 3);
    posix_spawn_file_actions_addclose(&actions, report[0]);
    char* argv[] = {(char*)TESSARY_MEMPROBE, (char*)mode, NULL};
    pid_t child;
    int failed = posix_spawn(&child, TESSARY_MEMPROBE, &actions, NULL, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(report[1]);
    if (failed) {
        close(report[0]);
        return false;
    }
    char text[64] = {0};
    ssize_t got = 0, n;
    while ((n = read(report[0], text + got, sizeof text - 1 - got)) > 0)
        got += n;
    close(report[0]);
    int status = 0;
    rusage usage;
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    peak->maxrssKiB = usage.ru_maxrss;
    peak->ownPeakKiB = atol(text);
    return true;
}

// This process's own peak so far: a spawned child's ru_maxrss can be no lower.
static long selfPeakKiB() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

static void memoryOf(benchmark::State& state, const char* mode) {
    Peak peak = {0, 0};
    for (auto _ : state) {
        if (!runProbe(mode, &peak)) {
            state.SkipWithError("the memory probe failed");
            return;
        }
    }
    state.counters["peak_MiB"] = peak.maxrssKiB / 1024.0;
    state.counters["own_VmHWM_MiB"] = peak.ownPeakKiB / 1024.0;
    state.counters["suite_peak_MiB"] = selfPeakKiB() / 1024.0;
}

void registerMemory() {
    const char* const modes[][2] = {{"Memory_BareVideoMode", "bare"},
                                    {"Memory_GameAtTitleScreen", "title"},
                                    {"Memory_GameAfterSixFloors", "floors"}};
    for (const auto& mode : modes)
        benchmark::RegisterBenchmark(mode[0], memoryOf, mode[1])
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
}

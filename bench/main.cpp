// The benchmark suite's entry: the dummy video driver, the shipped data tree
// as working directory, the game's own output silenced, and after the usual
// table a summary that gives every figure as a multiple of the reference (the
// median time of copying one screen, or the screen's 614,400 bytes for memory)
// and whether each target holds. Times are medians of the processor time of
// the thread that draws. Exit status 1 when a target does not hold.
//
//   tessary_bench [benchmark flags] [folder holding data/, default the build folder]
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <ostream>
#include <streambuf>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "support.h"

void registerMemory();
void registerReference();
void registerFrames();
void registerCrowds();
void registerLoading();
void registerWaiting();
void registerChecker();

namespace {

const char* const REFERENCE = "Reference_ScreenCopy";

// A stream buffer that writes straight to a file descriptor: the suite's table
// goes to the real standard output while the game's lines go to /dev/null.
class FdBuffer : public std::streambuf {
  public:
    explicit FdBuffer(int fd) : fd(fd) {}

  protected:
    int overflow(int c) override {
        if (c == EOF)
            return 0;
        char ch = (char)c;
        return write(fd, &ch, 1) == 1 ? c : EOF;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        std::streamsize done = 0;
        while (done < n) {
            ssize_t w = write(fd, s + done, (size_t)(n - done));
            if (w <= 0)
                break;
            done += w;
        }
        return done;
    }

  private:
    int fd;
};

struct Figure {
    double nanoseconds = 0; // processor time: median where repeated, else the one run
    std::map<std::string, double> counters;
};

enum TargetKind { FRAME_TIME, WAIT_CPU, MEMORY, SECONDS };
struct Target {
    const char* prefix;
    TargetKind kind;
    double limit; // multiple of the reference, percent of a processor, or MiB
};
const Target TARGETS[] = {
    {"Roam_DrawEverything", FRAME_TIME, 25},
    {"Roam_Crowd", FRAME_TIME, 25},
    {"Fight_DrawScene", FRAME_TIME, 25},
    {"Shop_DrawFrame", FRAME_TIME, 25},
    {"Menu_DrawFrame", FRAME_TIME, 25},
    {"Wait_", WAIT_CPU, 0.5},
    {"Memory_Game", MEMORY, 16},
    {"Check_", SECONDS, 5},
};

// The same work with a crowd in the floor's file against a few: at most 1.2
// times as long.
const double CROWD_LIMIT = 1.2;
const struct {
    const char* few;
    const char* many;
    const char* label;
} CROWD_RATIOS[] = {
    {"Roam_Crowd/12_in_file", "Roam_Crowd/100000_in_file", "Crowd frame: 100,000 / 12"},
    {"Crowd_StepAttempt/shipped", "Crowd_StepAttempt/1000000_in_file",
     "Step attempt: 1,000,000 / shipped"},
    {"Crowd_Return/shipped", "Crowd_Return/1000000_in_file", "Return: 1,000,000 / shipped"},
};

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// The console table as usual, and every figure kept for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, Figure> figures;
    std::vector<std::string> order;
    bool allMet = true;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!(single || median) || run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (!figures.count(name))
                order.push_back(name);
            Figure& figure = figures[name];
            // The processor time of the drawing thread: on a shared machine the
            // wall clock also counts the time others had the processor.
            figure.nanoseconds =
                run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            for (const auto& counter : run.counters)
                figure.counters[counter.first] = counter.second.value;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::ostream& out = GetOutputStream();
        if (!figures.count(REFERENCE)) {
            out << "\nNo reference in this run: multiples not given.\n";
            return;
        }
        double reference = figures[REFERENCE].nanoseconds;
        char line[256];
        snprintf(line, sizeof line,
                 "\nReference: memcpy of one 640 x 480 16-bit screen (%zu bytes), median "
                 "%.1f us.\n%-46s %14s %12s  %s\n",
                 SCREEN_BYTES, reference / 1000, "Figure", "value", "x reference", "target");
        out << line;
        double bareMiB = figures.count("Memory_BareVideoMode")
                             ? figures["Memory_BareVideoMode"].counters["peak_MiB"]
                             : -1;
        for (const std::string& name : order) {
            const Figure& figure = figures[name];
            const Target* target = NULL;
            for (const Target& t : TARGETS)
                if (startsWith(name, t.prefix))
                    target = &t;
            std::string verdict;
            if (startsWith(name, "Wait_")) {
                double percent = figure.counters.at("cpu_percent");
                double cpu = figure.counters.at("cpu_seconds") * 1e9;
                snprintf(line, sizeof line, "%-46s %12.3f %% %11.1f x  ", name.c_str(), percent,
                         cpu / reference);
                verdict = judge(percent < target->limit, "under 0.5% of a processor");
            } else if (startsWith(name, "Memory_")) {
                double mib = figure.counters.at("peak_MiB");
                snprintf(line, sizeof line, "%-46s %10.1f MiB %11.1f x  ", name.c_str(), mib,
                         mib * 1048576 / SCREEN_BYTES);
                if (target && bareMiB > 0) {
                    char what[96];
                    snprintf(what, sizeof what, "%+.1f MiB over the bare program, at most %g",
                             mib - bareMiB, target->limit);
                    verdict = judge(mib - bareMiB <= target->limit, what);
                }
            } else if (target && target->kind == SECONDS) {
                double seconds = figure.nanoseconds / 1e9;
                snprintf(line, sizeof line, "%-46s %12.2f s %11.1f x  ", name.c_str(), seconds,
                         figure.nanoseconds / reference);
                char what[64];
                snprintf(what, sizeof what, "at most %g s", target->limit);
                verdict = judge(seconds <= target->limit, what);
            } else {
                double ns = figure.nanoseconds;
                const char* unit = ns >= 1e6 ? "ms" : ns >= 1e3 ? "us" : "ns";
                double shown = ns >= 1e6 ? ns / 1e6 : ns >= 1e3 ? ns / 1e3 : ns;
                snprintf(line, sizeof line, "%-46s %11.1f %s %11.1f x  ", name.c_str(), shown, unit,
                         ns / reference);
                if (target) {
                    char what[64];
                    snprintf(what, sizeof what, "at most %g x", target->limit);
                    verdict = judge(ns / reference <= target->limit, what);
                }
            }
            out << line << verdict << "\n";
        }
        for (const auto& crowd : CROWD_RATIOS) {
            if (!figures.count(crowd.few) || !figures.count(crowd.many))
                continue;
            double ratio = figures[crowd.many].nanoseconds / figures[crowd.few].nanoseconds;
            snprintf(line, sizeof line, "%-46s %12.2f x %13s  ", crowd.label, ratio, "");
            out << line << judge(ratio <= CROWD_LIMIT, "at most 1.2 x") << "\n";
        }
        out << (allMet ? "Every target holds.\n" : "Some target does NOT hold.\n");
    }

  private:
    std::string judge(bool met, const char* what) {
        allMet = allMet && met;
        return std::string(met ? "met: " : "NOT MET: ") + what;
    }
};

} // namespace

int main(int argc, char** argv) {
    // Always the dummy driver: the figures are the game's drawing, not a display's.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    benchmark::Initialize(&argc, argv);
    const char* root = argc > 1 ? argv[1] : TESSARY_BUILD_DIR;
    if (chdir(root) != 0 || access("data/map.qor", R_OK) != 0 ||
        access("data/gfx/clouds.jpg", R_OK) != 0) {
        fprintf(stderr, "tessary_bench: no complete data tree in %s (build the game first)\n",
                root);
        return 2;
    }

    // The game's progress lines would swamp the table: they go to /dev/null,
    // the table to what standard output was.
    fflush(stdout);
    int table = dup(1);
    int devNull = open("/dev/null", O_WRONLY);
    if (table < 0 || devNull < 0 || dup2(devNull, 1) < 0)
        return 2;
    close(devNull);
    FdBuffer tableBuffer(table);
    std::ostream tableStream(&tableBuffer);

    // Memory first, while this process is still small (a child's ru_maxrss
    // starts from its parent's size at the spawn).
    registerMemory();
    registerReference();
    registerFrames();
    registerCrowds();
    registerLoading();
    registerWaiting();
#ifdef TESSARY_BENCH_CHECKER
    registerChecker();
#endif

    SummaryReporter reporter;
    reporter.SetOutputStream(&tableStream);
    reporter.SetErrorStream(&tableStream);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    dropSharedGame();
    benchmark::Shutdown();
    return reporter.allMet ? 0 : 1;
}

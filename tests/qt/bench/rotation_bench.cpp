// One rotation inside the running program: the real program, built and
// started as main() builds and starts it, its one-minute rotation driven by
// delivering its timer's ticks at once. For each rotation, the tick that
// changes the wallpaper is timed, from the tick to the new root pixmap (the
// setter returns once the X server has it): wall and processor
// milliseconds, and how far the resident size rose above the idle one
// during it. Prints the min, median and max of each, in ms and KiB.
//
// Usage: rotation_bench ROTATIONS  (run in a folder whose Plimex.ini starts
// a one-minute rotation, on a bare X display)
#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "core/rotation.h"
#include "posix/standard_error_diagnostics.h"
#include "proc_field.h"
#include "qt/program_on_this_machine.h"

using namespace plimex;
using namespace plimex::qt;
using plimex::bench::ProcField;

namespace {

// The peak resident size starts again from the current one.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double ProcessorMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Lets the event loop draw and settle, as it does while the program idles.
void Idle(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void PrintSpread(const char* what, std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    std::printf("  %-28s %8.1f %8.1f %8.1f\n", what, figures.front(),
                figures[(figures.size() - 1) / 2], figures.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);  // as main() sets it
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    posix::StandardErrorDiagnostics diagnostics;
    ProgramOnThisMachine running(diagnostics);
    Form1& form = running.program().form();
    running.Start();
    Idle(2000);

    std::vector<double> wall;
    std::vector<double> processor;
    std::vector<double> above;
    const int rotations = std::atoi(argv[1]);
    const int limit = IntervalLimit(form.intervalCode()).value_or(0);
    if (limit == 0) return 1;
    while (static_cast<int>(wall.size()) < rotations) {
        // The ticks before the one that rotates.
        while (form.tickCount() + 1 < limit) form.Tmr_Timer();
        Idle(100);
        const long idle = ProcField("/proc/self/smaps_rollup", "Rss:");
        ResetPeak();
        const auto start = std::chrono::steady_clock::now();
        const double startProcessor = ProcessorMilliseconds();
        form.Tmr_Timer();
        if (form.tickCount() != 0) continue;  // the program's own timer ticked meanwhile
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        processor.push_back(ProcessorMilliseconds() - startProcessor);
        above.push_back(static_cast<double>(ProcField("/proc/self/status", "VmHWM:") - idle));
    }
    std::printf("  %-28s %8s %8s %8s\n", "", "min", "median", "max");
    PrintSpread("rotation, wall ms", wall);
    PrintSpread("rotation, cpu ms", processor);
    PrintSpread("peak RSS above idle, KiB", above);
    return 0;
}

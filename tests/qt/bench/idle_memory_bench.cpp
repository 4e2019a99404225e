// The program's memory while it waits hidden in the tray: the real program,
// built and started as main() builds and starts it, measured after its
// start-up wallpaper and again after many timed rotations (the ticks of its
// one-second timer are delivered at once). Prints its resident and
// proportional sizes and its peak resident size, from /proc, in KiB.
//
// Usage: idle_memory_bench ROTATIONS  (run in a folder whose Plimex.ini
// starts a one-minute rotation, on an X display with a notification area)
#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "posix/standard_error_diagnostics.h"
#include "proc_field.h"
#include "qt/program_on_this_machine.h"

using namespace plimex;
using namespace plimex::qt;
using plimex::bench::ProcField;

namespace {

void PrintMemory(const std::string& when) {
    std::printf("  %-34s RSS %7ld  PSS %7ld  peak RSS %7ld\n", when.c_str(),
                ProcField("/proc/self/smaps_rollup", "Rss:"),
                ProcField("/proc/self/smaps_rollup", "Pss:"),
                ProcField("/proc/self/status", "VmHWM:"));
    std::fflush(stdout);
}

// Lets the event loop draw and settle, as it does while the program idles.
void Idle(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

constexpr int kTicksOfOneMinute = 60;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);  // as main() sets it
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    posix::StandardErrorDiagnostics diagnostics;
    ProgramOnThisMachine running(diagnostics);
    Program& program = running.program();
    running.Start();
    Idle(2000);
    PrintMemory("bench, after start-up wallpaper");

    const int rotations = std::atoi(argv[1]);
    for (int tick = 0; tick < rotations * kTicksOfOneMinute; ++tick) {
        program.form().Tmr_Timer();
        QApplication::processEvents();
    }
    Idle(2000);
    PrintMemory("bench, " + std::to_string(rotations) + " rotations later");
    return 0;
}

// The program's memory while it waits hidden in the tray: the real program,
// built and started as main() builds and starts it, measured after its
// start-up wallpaper and again after many timed rotations (the ticks of its
// one-second timer are delivered at once). Prints its resident and
// proportional sizes and its peak resident size, from /proc, in KiB.
//
// Usage: idle_memory_bench ROTATIONS  (run in a folder whose Plimex.ini
// starts a one-minute rotation, on an X display with a notification area)
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "proc_field.h"
#include "started_program.h"

using namespace plimex;
using plimex::bench::Idle;
using plimex::bench::ProcField;

namespace {

void PrintMemory(const std::string& when) {
    std::printf("  %-34s RSS %7ld  PSS %7ld  peak RSS %7ld\n", when.c_str(),
                ProcField("/proc/self/smaps_rollup", "Rss:"),
                ProcField("/proc/self/smaps_rollup", "Pss:"),
                ProcField("/proc/self/status", "VmHWM:"));
    std::fflush(stdout);
}

constexpr int kTicksOfOneMinute = 60;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const int rotations = std::atoi(argv[1]);
    return bench::WithStartedProgram(argc, argv, [rotations](qt::Program& program) {
        PrintMemory("bench, after start-up wallpaper");

        for (int tick = 0; tick < rotations * kTicksOfOneMinute; ++tick) {
            program.form().Tmr_Timer();
            QApplication::processEvents();
        }
        Idle(2000);
        PrintMemory("bench, " + std::to_string(rotations) + " rotations later");
        return 0;
    });
}

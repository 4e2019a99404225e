// One rotation inside the running program: the real program, built and
// started as main() builds and starts it, its one-minute rotation driven by
// delivering its timer's ticks at once. For each rotation, the tick that
// changes the wallpaper is timed, from the tick to the new root pixmap (the
// picture is applied on a thread of its own, whose setter publishes the
// pixmap once the X server has it): wall and processor milliseconds, and how far the resident size
// rose above the idle one during it. Prints the min, median and max of each, in ms and KiB, and
// the X server's mean processor time a rotation when PLIMEX_BENCH_X_SERVER names its process.
//
// Usage: rotation_bench ROTATIONS  (run in a folder whose Plimex.ini starts
// a one-minute rotation, on a bare X display)
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/rotation.h"
#include "proc_field.h"
#include "started_program.h"

using namespace plimex;
using plimex::bench::Idle;
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

// The X server's processor time (user + system), when the script names its
// process: a large apply is more its work than ours. Counted in clock ticks,
// so only a mean over the rotations says much.
std::optional<double> ServerProcessorMilliseconds() {
    const char* pid = std::getenv("PLIMEX_BENCH_X_SERVER");
    if (pid == nullptr) return std::nullopt;
    std::ifstream stat(std::string("/proc/") + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) return std::nullopt;
    std::istringstream fields(line.substr(line.rfind(')') + 1));
    std::string skipped;
    for (int field = 3; field < 14; ++field) fields >> skipped;  // state to cmajflt
    long user = 0;
    long system = 0;
    if (!(fields >> user >> system)) return std::nullopt;
    return static_cast<double>(user + system) * 1e3 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The pixmap the root window's property names: each apply publishes a new one.
class RootPixmap {
  public:
    RootPixmap() : connection_(xcb_connect(nullptr, nullptr)) {
        const char name[] = "_XROOTPMAP_ID";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
        if (atom != nullptr) property_ = atom->atom;
        std::free(atom);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~RootPixmap() { xcb_disconnect(connection_); }
    RootPixmap(const RootPixmap&) = delete;
    RootPixmap& operator=(const RootPixmap&) = delete;

    std::uint32_t Current() const {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, property_, XCB_ATOM_PIXMAP, 0, 1),
            nullptr);
        std::uint32_t pixmap = 0;
        if (reply != nullptr && xcb_get_property_value_length(reply) == 4) {
            pixmap = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        }
        std::free(reply);
        return pixmap;
    }

  private:
    xcb_connection_t* connection_;
    xcb_atom_t property_ = XCB_ATOM_NONE;
    xcb_window_t root_ = 0;
};

void PrintSpread(const char* what, std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    std::printf("  %-28s %8.1f %8.1f %8.1f\n", what, figures.front(),
                figures[(figures.size() - 1) / 2], figures.back());
}

int TimeRotations(Form1& form, int rotations) {
    std::vector<double> wall;
    std::vector<double> processor;
    std::vector<double> above;
    double server = 0;
    const int limit = IntervalLimit(form.intervalCode()).value_or(0);
    if (limit == 0) return 1;
    const RootPixmap root;
    while (static_cast<int>(wall.size()) < rotations) {
        // The ticks before the one that rotates.
        while (form.tickCount() + 1 < limit) form.Tmr_Timer();
        Idle(100);
        const long idle = ProcField("/proc/self/smaps_rollup", "Rss:");
        ResetPeak();
        const auto start = std::chrono::steady_clock::now();
        const double startProcessor = ProcessorMilliseconds();
        const std::optional<double> serverBefore = ServerProcessorMilliseconds();
        const std::uint32_t before = root.Current();
        form.Tmr_Timer();
        if (form.tickCount() != 0) continue;  // the program's own timer ticked meanwhile
        while (root.Current() == before) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        processor.push_back(ProcessorMilliseconds() - startProcessor);
        above.push_back(static_cast<double>(ProcField("/proc/self/status", "VmHWM:") - idle));
        const std::optional<double> serverAfter = ServerProcessorMilliseconds();
        if (serverBefore && serverAfter) server += *serverAfter - *serverBefore;
    }
    Idle(100);  // the last apply's thread ends, and the program with nothing left behind
    std::printf("  %-28s %8s %8s %8s\n", "", "min", "median", "max");
    PrintSpread("rotation, wall ms", wall);
    PrintSpread("rotation, cpu ms", processor);
    PrintSpread("peak RSS above idle, KiB", above);
    if (ServerProcessorMilliseconds()) {
        std::printf("  %-28s %8.1f (mean)\n", "X server, cpu ms", server / rotations);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const int rotations = std::atoi(argv[1]);
    return bench::WithStartedProgram(argc, argv, [rotations](qt::Program& program) {
        return TimeRotations(program.form(), rotations);
    });
}

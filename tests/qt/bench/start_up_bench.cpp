// How soon a tray program shows its icon and then goes idle, on the X
// display of the environment, which must have an XEmbed notification area
// running. Each program is started in its own folder, RUNS times, the
// programs taking turns: the time from the start to its icon window being
// mapped in the notification area, the time until its main thread last ran
// before a quiet 300 ms (idle), and the CPU all its threads used by then.
// Prints min, median and max of each; the first program given is the anchor. On a
// busy machine the median icon time of one build moves by a third from run to
// run; its CPU, also given beside the anchor's, moves less.
//
//   start_up_bench RUNS LABEL FOLDER PROGRAM [LABEL FOLDER PROGRAM...]
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kQuiet(300);
constexpr std::chrono::seconds kPatience(10);
constexpr std::chrono::milliseconds kTraySettles(250);

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Program {
    std::string label, folder, path;
    std::vector<double> icon, idle, cpu;
};

// Nanoseconds a thread has run, from the scheduler's own count.
long long RunNanoseconds(const std::string& schedstat) {
    std::ifstream file(schedstat);
    long long nanoseconds = -1;
    file >> nanoseconds;
    return nanoseconds;
}

long long ProcessRunNanoseconds(pid_t pid) {
    long long total = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        total += std::max(0LL, RunNanoseconds(task.path() / "schedstat"));
    }
    return total;
}

pid_t StartIn(const std::string& folder, const std::string& path) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.c_str()) == 0) {
            ::execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        }
        std::perror(path.c_str());
        std::_Exit(127);
    }
    return pid;
}

class Display {
  public:
    Display() : connection_(xcb_connect(nullptr, nullptr), &xcb_disconnect) {
        if (xcb_connection_has_error(connection_.get()) != 0) {
            std::fprintf(stderr, "no X display\n");
            std::exit(1);
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data->root;
        Watch(root_, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    }

    // Waits for a window to leave the root for another parent (the
    // notification area docking it) and to be mapped there.
    bool WaitForDockedIcon(Clock::time_point deadline) {
        xcb_window_t icon = XCB_NONE;
        for (;;) {
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
                xcb_poll_for_event(connection_.get()), &std::free);
            if (!event) {
                const auto left = deadline - Clock::now();
                if (left <= Clock::duration::zero()) {
                    return false;
                }
                pollfd descriptor{xcb_get_file_descriptor(connection_.get()), POLLIN, 0};
                ::poll(&descriptor, 1,
                       static_cast<int>(
                           std::chrono::duration_cast<std::chrono::milliseconds>(left).count()) +
                           1);
                continue;
            }
            const auto type = event->response_type & 0x7F;
            if (type == XCB_REPARENT_NOTIFY && icon == XCB_NONE) {
                const auto* reparent = reinterpret_cast<xcb_reparent_notify_event_t*>(event.get());
                if (reparent->parent != root_) {
                    icon = reparent->window;
                    Watch(icon, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
                    if (IsMapped(icon)) {  // mapped before the watch began
                        return true;
                    }
                }
            } else if (type == XCB_MAP_NOTIFY && icon != XCB_NONE &&
                       reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window == icon) {
                return true;
            }
        }
    }

    // Events of the last run are left behind.
    void Drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_.get())) {
            std::free(event);
        }
    }

  private:
    void Watch(xcb_window_t window, std::uint32_t mask) {
        xcb_change_window_attributes(connection_.get(), window, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_.get());
    }

    bool IsMapped(xcb_window_t window) {
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(
                connection_.get(), xcb_get_window_attributes(connection_.get(), window), nullptr),
            &std::free);
        return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    }

    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection_;
    xcb_window_t root_ = XCB_NONE;
};

// The moment the main thread last ran before it stayed quiet for kQuiet.
Clock::time_point WaitForIdle(pid_t pid, Clock::time_point deadline) {
    const std::string schedstat =
        "/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/schedstat";
    long long ran = RunNanoseconds(schedstat);
    Clock::time_point lastRun = Clock::now();
    while (Clock::now() - lastRun < kQuiet && Clock::now() < deadline) {
        ::usleep(1000);
        const long long now = RunNanoseconds(schedstat);
        if (now != ran) {
            ran = now;
            lastRun = Clock::now();
        }
    }
    return lastRun;
}

bool MeasureOnce(Display& display, Program& program) {
    display.Drain();
    const Clock::time_point start = Clock::now();
    const pid_t pid = StartIn(program.folder, program.path);
    const bool docked = display.WaitForDockedIcon(start + kPatience);
    const Clock::time_point icon = Clock::now();
    const Clock::time_point idle = WaitForIdle(pid, start + kPatience);
    const long long cpu = ProcessRunNanoseconds(pid);
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    // The tray takes the icon out after the program has gone: the next one
    // does not share the machine with that work.
    ::usleep(std::chrono::microseconds(kTraySettles).count());
    if (!docked) {
        std::fprintf(stderr, "%s: no icon docked within %lld s\n", program.label.c_str(),
                     static_cast<long long>(kPatience.count()));
        return false;
    }
    program.icon.push_back(MillisecondsBetween(start, icon));
    program.idle.push_back(MillisecondsBetween(start, idle));
    program.cpu.push_back(static_cast<double>(cpu) / 1e6);
    return true;
}

struct Spread {
    double min, median, max;
};

Spread SpreadOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2], samples.back()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || (argc - 2) % 3 != 0) {
        std::fprintf(stderr, "Usage: %s RUNS LABEL FOLDER PROGRAM [LABEL FOLDER PROGRAM...]\n",
                     argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<Program> programs;
    for (int i = 2; i + 2 < argc; i += 3) {
        programs.push_back({argv[i], argv[i + 1], argv[i + 2], {}, {}, {}});
    }
    Display display;
    // The order turns from run to run: whichever program came first after
    // another one measured a few milliseconds slower than the same build
    // started right after itself.
    for (int run = 0; run < runs; ++run) {
        for (std::size_t turn = 0; turn < programs.size(); ++turn) {
            if (!MeasureOnce(display, programs[(turn + run) % programs.size()])) {
                return 1;
            }
        }
    }
    const Spread anchorIcon = SpreadOf(programs.front().icon);
    const Spread anchorIdle = SpreadOf(programs.front().idle);
    const Spread anchorCpu = SpreadOf(programs.front().cpu);
    std::printf("start-up, %d runs each, in ms (min / median / max):\n", runs);
    for (const Program& program : programs) {
        const Spread icon = SpreadOf(program.icon);
        const Spread idle = SpreadOf(program.idle);
        const Spread cpu = SpreadOf(program.cpu);
        std::printf(
            "  %-34s icon %5.1f / %5.1f / %5.1f   idle %5.1f / %5.1f / %5.1f   CPU %5.1f"
            "   (icon %.2fx, CPU %.2fx, idle %+.1f ms beside the first)\n",
            program.label.c_str(), icon.min, icon.median, icon.max, idle.min, idle.median, idle.max,
            cpu.median, icon.median / anchorIcon.median, cpu.median / anchorCpu.median,
            idle.median - anchorIdle.median);
    }
    return 0;
}

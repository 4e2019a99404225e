#include "qt/no_display_exit.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/failure_line.h"

namespace plimex::qt {
namespace {

QtMessageHandler forwardedTo = nullptr;

std::string TriedDisplays() {
    std::string tried;
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
            tried += (tried.empty() ? "" : ", ") + std::string(variable) + "=" + value;
        }
    }
    return tried.empty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set" : tried;
}

void ExitOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        forwardedTo(type, context, message);
        return;
    }
    const std::string line =
        FailureLine("start", TriedDisplays(),
                    "no display could be opened; Plimex 2000 runs in an X11 or Wayland session");
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

NoDisplayExit::NoDisplayExit() : previous_(qInstallMessageHandler(ExitOnFatal)) {
    forwardedTo = previous_;
}

NoDisplayExit::~NoDisplayExit() {
    qInstallMessageHandler(previous_);
}

}  // namespace plimex::qt

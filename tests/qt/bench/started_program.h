#pragma once

#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

#include "posix/standard_error_diagnostics.h"
#include "qt/program_on_this_machine.h"

namespace plimex::bench {

// Lets the event loop draw and settle, as it does while the program idles.
inline void Idle(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Builds and starts the real program as main() does, lets it settle for two
// seconds (the start-up wallpaper shown), then measures it with body.
inline int WithStartedProgram(int argc, char** argv, const std::function<int(qt::Program&)>& body) {
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);  // as main() sets it
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    posix::StandardErrorDiagnostics diagnostics;
    qt::ProgramOnThisMachine running(diagnostics);
    running.Start();
    Idle(2000);
    return body(running.program());
}

}  // namespace plimex::bench

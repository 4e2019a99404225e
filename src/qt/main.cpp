#include <malloc.h>

#include <QApplication>
#include <optional>

#include "posix/locale_code_page.h"
#include "posix/process_signals.h"
#include "posix/single_instance.h"
#include "posix/standard_error_diagnostics.h"
#include "qt/no_display_exit.h"
#include "qt/program_on_this_machine.h"

using namespace plimex;
using namespace plimex::qt;
using namespace plimex::posix;

int main(int argc, char* argv[]) {
    // A wallpaper passes through buffers the size of the picture and of the
    // screen, freed as soon as it shows. With its threshold fixed, glibc
    // gives each such buffer back to the system when it is freed; left to
    // itself, it raises the threshold past the first one freed and keeps tens
    // of megabytes in its heap for the rest of a run that lasts for days.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    ProcessSignals::WaitInAThreadOfTheirOwn();
    StandardErrorDiagnostics diagnostics;
    // A second start in the same folder brings the running copy up instead.
    const SingleInstance instance(diagnostics);
    if (!instance.claimed()) {
        instance.ShowRunningCopy();
        return 0;
    }
    UseUserLocale();
    std::optional<QApplication> application;
    {
        const NoDisplayExit noDisplay;
        application.emplace(argc, argv);
    }
    // The window hides into the tray; only an unload ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    ProgramOnThisMachine running(diagnostics);
    Program& program = running.program();
    const posix::ProcessSignals processSignals(
        [](std::function<void()> call) {
            QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
        },
        [&] { program.window().RequestUnload(); }, [&] { program.form().Ouvrir_Click(); });
    running.Start();
    return QApplication::exec();
}

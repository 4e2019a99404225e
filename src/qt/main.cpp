#include <QApplication>

#include "qt/program.h"
#include "qt/single_instance.h"
#include "qt/standard_error_diagnostics.h"

int main(int argc, char* argv[]) {
    plimex::qt::ProcessSignals::BlockInAllThreads();
    plimex::qt::StandardErrorDiagnostics diagnostics;
    // A second start in the same folder brings the running copy up instead.
    const plimex::qt::SingleInstance instance(diagnostics);
    if (!instance.claimed()) {
        instance.ShowRunningCopy();
        return 0;
    }
    plimex::qt::UseUserLocale();
    QApplication application(argc, argv);
    // The window hides into the tray; only an unload ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    plimex::qt::Program program;
    program.Start();
    return QApplication::exec();
}

#include <QApplication>

#include "qt/program.h"

int main(int argc, char* argv[]) {
    plimex::qt::TerminationSignals::BlockInAllThreads();
    plimex::qt::UseUserLocale();
    QApplication application(argc, argv);
    // The window hides into the tray; only an unload ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    plimex::qt::Program program;
    program.Start();
    return QApplication::exec();
}

#include "qt/program_on_this_machine.h"

#include <cstdio>
#include <cstdlib>

#include "posix/mounted_volumes.h"

namespace plimex::qt {
ProgramOnThisMachine::ProgramOnThisMachine(Diagnostics& diagnostics)
    : fileSystem_(codePage_, diagnostics),
      desktop_(diagnostics),
      diagnostics_(diagnostics),
      work_(diagnostics),
      program_({desktop_, tray_, fileSystem_, random_, codePage_, diagnostics, work_},
               Twips::OfPrimaryScreen(), posix::MountedVolumesOfThisMachine()),
      areaWatch_([this](bool available) {
          tray_.SetAreaAvailable(available);
          program_.NotificationAreaChanged(available);
      }) {
    tray_.Connect([this](TrayIntent intent) { program_.window().RaiseTrayRequest(intent); });
    tray_.ExportMenu(program_.window().menu());
}

ProgramOnThisMachine::~ProgramOnThisMachine() {
    if (work_.Busy()) {
        diagnostics_.ReportFailure("ProgramOnThisMachine", "",
                                   "a folder or a picture was still being read at the end (a "
                                   "share that stopped answering?); the program ends without it");
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
}

void ProgramOnThisMachine::Start() {
    const bool area = areaWatch_.Available();
    tray_.SetAreaAvailable(area);
    program_.Start(area);
}

}  // namespace plimex::qt

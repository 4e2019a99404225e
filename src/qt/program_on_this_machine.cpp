#include "qt/program_on_this_machine.h"

#include "posix/mounted_volumes.h"

namespace plimex::qt {
ProgramOnThisMachine::ProgramOnThisMachine(Diagnostics& diagnostics)
    : fileSystem_(codePage_, diagnostics),
      desktop_(diagnostics),
      program_({desktop_, tray_, fileSystem_, random_, codePage_, diagnostics},
               Twips::OfPrimaryScreen(), posix::MountedVolumesOfThisMachine()),
      areaWatch_([this](bool available) {
          tray_.SetAreaAvailable(available);
          program_.NotificationAreaChanged(available);
      }) {
    tray_.Connect([this](TrayIntent intent) { program_.window().RaiseTrayRequest(intent); });
    tray_.ExportMenu(program_.window().menu());
}

void ProgramOnThisMachine::Start() {
    const bool area = areaWatch_.Available();
    tray_.SetAreaAvailable(area);
    program_.Start(area);
}

}  // namespace plimex::qt

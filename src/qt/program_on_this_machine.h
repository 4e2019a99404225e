#pragma once

#include "core/time_of_day_random.h"
#include "linux_desktop/linux_desktop.h"
#include "platform/diagnostics.h"
#include "posix/locale_code_page.h"
#include "posix/posix_file_system.h"
#include "qt/background_work.h"
#include "qt/notification_area_watch.h"
#include "qt/program.h"
#include "qt/tray_icon.h"

namespace plimex::qt {

// The program on this machine's real services: its file system, desktop,
// notification area and screen. Build it after the QApplication.
class ProgramOnThisMachine {
  public:
    explicit ProgramOnThisMachine(Diagnostics& diagnostics);
    // Ends the process at once when a job still waits on a share: the job
    // holds the services below, and everything the program keeps is saved
    // by the time it ends.
    ~ProgramOnThisMachine();
    ProgramOnThisMachine(const ProgramOnThisMachine&) = delete;
    ProgramOnThisMachine& operator=(const ProgramOnThisMachine&) = delete;

    // Runs the start-up; the event loop does the rest.
    void Start();

    Program& program() { return program_; }

  private:
    const posix::LocaleCodePage codePage_;
    posix::PosixFileSystem fileSystem_;
    TimeOfDayRandom random_;
    linux_desktop::LinuxDesktop desktop_;
    QtTrayIcon tray_;
    Diagnostics& diagnostics_;
    QtBackgroundWork work_;
    Program program_;
    NotificationAreaWatch areaWatch_;
};

}  // namespace plimex::qt

#pragma once

#include "core/form1.h"
#include "core/time_of_day_random.h"
#include "linux_desktop/linux_desktop.h"
#include "qt/form1_window.h"
#include "qt/form2_dialog.h"
#include "qt/icon_registry.h"
#include "qt/locale_code_page.h"
#include "qt/notification_area_watch.h"
#include "qt/posix_file_system.h"
#include "qt/process_signals.h"
#include "qt/standard_error_diagnostics.h"
#include "qt/tray_notification_area.h"
#include "qt/twips.h"

namespace plimex::qt {

// The whole program: the platform services, the two windows and the main
// window's state, wired together. Build it after the QApplication.
class Program {
  public:
    Program();
    // Runs the start-up; the event loop does the rest.
    void Start();

  private:
    void NotificationAreaChanged(bool available);

    LocaleCodePage codePage_;
    StandardErrorDiagnostics diagnostics_;
    PosixFileSystem fileSystem_{codePage_};
    TimeOfDayRandom random_;
    linux_desktop::LinuxDesktop desktop_{diagnostics_};
    IconRegistry icons_;
    TrayNotificationArea tray_{icons_, [this](int message) { window_.RaiseTrayMessage(message); }};
    Twips twips_ = Twips::OfPrimaryScreen();
    Form1Window window_;
    AboutLauncher form2_{twips_};
    Form1 form_;
    NotificationAreaWatch areaWatch_{
        [this](bool available) { NotificationAreaChanged(available); }};
    ProcessSignals signals_{[this] { window_.RequestUnload(); }, [this] { form_.Ouvrir_Click(); }};
};

}  // namespace plimex::qt

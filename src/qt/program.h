#pragma once

#include <string>
#include <vector>

#include "core/form1.h"
#include "platform/platform.h"
#include "qt/form1_window.h"
#include "qt/form2_dialog.h"
#include "qt/twips.h"

namespace plimex::qt {

// The two windows and the main window's state, wired together on the
// services it is given: the real ones in main, fakes in the tests. Build it
// after the QApplication.
class Program {
  public:
    // volumes: the drive list's entries.
    Program(const Platform& services, Twips twips, const std::vector<std::string>& volumes);

    // Runs the start-up; the event loop does the rest. Without a notification
    // area the window is the only way in, so it shows.
    void Start(bool notificationArea);
    void NotificationAreaChanged(bool available);

    QtForm1Window& window() { return window_; }
    Form1& form() { return form_; }

  private:
    Twips twips_;
    QtForm1Window window_;
    QtForm2Dialog form2_{twips_};
    Form1 form_;
};

}  // namespace plimex::qt

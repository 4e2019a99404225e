#pragma once

#include <string>

#include "core/form1.h"
#include "fakes/fake_platform.h"
#include "linux_desktop/scratch_folder.h"
#include "qt/form1_window.h"
#include "qt/form2_dialog.h"
#include "qt/locale_code_page.h"
#include "qt/posix_file_system.h"
#include "working_folder.h"

namespace plimex::qt::testing {

// The program's real windows and file system, wired as the program wires
// them, in a fresh current folder with a fresh pictures folder; the desktop
// and the tray are the tests' fakes. A test writes its options, then loads.
struct ProgramUnderTest {
    ProgramUnderTest() { window.Connect(form); }

    // The options file naming the pictures folder.
    void WriteOptions(int interval, int state) const {
        cwd.Write("Plimex.ini", "[options]\r\nRep=" + pictures.Folder() +
                                    "\r\nTps=" + std::to_string(interval) +
                                    "\r\nEtat=" + std::to_string(state) + "\r\n");
    }

    ScratchFolder cwd;
    ScratchFolder pictures;
    WorkingFolder working{cwd.Folder()};
    plimex::testing::CallLog log;
    plimex::testing::FakeDesktop desktop{log};
    plimex::testing::FakeNotificationArea tray{log};
    plimex::testing::FakeRandom random;
    LocaleCodePage codePage;
    plimex::testing::FakeDiagnostics diagnostics;
    PosixFileSystem fileSystem{codePage};
    Twips twips{96};
    IconRegistry icons;
    Form1Window window{codePage, twips, icons, {"/", cwd.Folder()}};
    AboutLauncher form2{twips};
    Form1 form{Platform{desktop, tray, fileSystem, random, codePage, diagnostics},
               window.Controls(form2)};
};

}  // namespace plimex::qt::testing

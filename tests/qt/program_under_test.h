#pragma once

#include <string>

#include "fakes/fake_background_work.h"
#include "fakes/fake_platform.h"
#include "posix/locale_code_page.h"
#include "posix/posix_file_system.h"
#include "posix/scratch_folder.h"
#include "qt/program.h"
#include "working_folder.h"

namespace plimex::qt::testing {

// The real program with its real windows and file system, in a fresh current
// folder with a fresh pictures folder; the desktop and the tray are the
// tests' fakes. A test writes its options, then loads.
struct ProgramUnderTest {
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
    plimex::testing::FakeTrayIcon tray{log};
    plimex::testing::FakeRandom random;
    posix::LocaleCodePage codePage;
    plimex::testing::FakeDiagnostics diagnostics;
    posix::PosixFileSystem fileSystem{codePage, diagnostics};
    plimex::testing::FakeBackgroundWork work;
    Program program{{desktop, tray, fileSystem, random, codePage, diagnostics, work},
                    Twips{96},
                    {"/", cwd.Folder()}};
    QtForm1Window& window = program.window();
    Form1& form = program.form();
};

}  // namespace plimex::qt::testing

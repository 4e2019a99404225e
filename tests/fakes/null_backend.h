#pragma once

#include "core/form1.h"
#include "fakes/cp1252_code_page.h"
#include "fakes/fake_background_work.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"

namespace plimex::testing {

// A third backend with no operating system behind it: every platform service
// and every control of the main window as plain memory, and the real Form1
// running on them. What the core asks of a backend is exactly what this
// implements, so a requirement that only one system can meet does not build.
struct NullBackend {
    CallLog log;
    FakeDesktop desktop{log};
    FakeTrayIcon tray{log};
    FakeFileSystem fs{log};
    FakeRandom random;
    Cp1252CodePage codePage;
    FakeDiagnostics diagnostics;
    FakeBackgroundWork work;

    FakeDriveList drive1{log};
    FakeDirList dir1{log, fs};
    FakeListBox lstFic{log};
    FakeCaption lblPap{log, "LblPap", L""};
    FakeTimer tmr;
    FakeOptionGroup options;
    FakeOptionButton option1{options, 1}, option2{options, 2}, option3{options, 3},
        option4{options, 4}, option5{options, 5};
    FakeCaption command1{log, "Command1", L"&Activer"};
    FakeCaption activer{log, "Activer", L"&Activer"};
    FakeShape shape1;
    FakePreview image1;
    FakeMainWindow window{log};
    FakeAboutWindow form2;

    Form1 form{Platform{desktop, tray, fs, random, codePage, diagnostics, work},
               Form1Controls{drive1, dir1, lstFic, lblPap, tmr, option1, option2, option3, option4,
                             option5, command1, activer, shape1, image1, window, form2}};
};

}  // namespace plimex::testing

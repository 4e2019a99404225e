#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/form1.h"
#include "fakes/cp1252_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"

namespace plimex::testing {

// A main window on fakes of every platform service and control.
class Form1Test : public ::testing::Test {
  protected:
    static constexpr PictureHandle kAppIcon = 0x2222;
    static constexpr PictureHandle kImage3Bitmap = 0x4444;

    CallLog log;
    FakeDesktop desktop{log};
    FakeNotificationArea tray{log};
    FakeFileSystem fs{log};
    FakeRandom random;
    Cp1252CodePage codePage;
    FakeDiagnostics diagnostics;

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
    FakeIconBox image2{log, "Image2", kAppIcon};
    FakeIconBox image3{log, "Image3", kImage3Bitmap};
    FakeImageList imageList1;
    FakeMainWindow window{log};
    FakeAboutWindow form2;
    FakeScreen screen;

    Form1 form{Platform{desktop, tray, fs, random, codePage, diagnostics},
               Form1Controls{drive1,  dir1,    lstFic,     lblPap,   tmr,     option1, option2,
                             option3, option4, option5,    command1, activer, shape1,  image1,
                             image2,  image3,  imageList1, window,   form2,   screen}};

    void WriteOptions(const std::string& contents) { fs.files["Plimex.ini"] = contents; }
    std::string SavedOptions() const {
        const auto it = fs.files.find("Plimex.ini");
        return it == fs.files.end() ? std::string("<none>") : it->second;
    }
    void AddFolder(const std::string& folder, std::vector<std::string> bitmaps) {
        fs.folders.insert(folder);
        fs.listings[folder + "*.bmp"] = std::move(bitmaps);
    }
    // The tray record handed to the notification area by its index-th call.
    const TrayIconRecord& TrayCall(std::size_t index) const { return tray.calls.at(index).record; }

    void Tick(int count) {
        for (int i = 0; i < count; ++i) form.Tmr_Timer();
    }
};

}  // namespace plimex::testing

#include "fakes/null_backend.h"

#include <gtest/gtest.h>

namespace plimex::testing {
namespace {

// A whole run of the program on a backend with no system behind it.
TEST(NullBackendTest, StartOpenToggleRotateAndQuit) {
    NullBackend backend;
    backend.fs.folders.insert("C:\\Images\\");
    backend.fs.listings["C:\\Images\\*.bmp"] = {"a.bmp", "b.bmp"};
    backend.fs.files["Plimex.ini"] = "[options]\r\nRep=C:\\Images\\\r\nTps=1\r\nEtat=0\r\n";
    Form1& form = backend.form;

    form.Form_Load();
    EXPECT_FALSE(backend.window.visible);
    EXPECT_TRUE(backend.tray.shown);

    form.TrayRequest(TrayIntent::OpenWindow);
    EXPECT_TRUE(backend.window.visible);

    form.Command1_Click();
    EXPECT_EQ(backend.tray.added.back().picture, TrayPicture::On);
    backend.random.next = 0.75f;
    for (int tick = 0; tick < 60; ++tick) {
        form.Tmr_Timer();
    }
    EXPECT_EQ(backend.desktop.wallpapers, std::vector<std::string>{"C:\\Images\\b.bmp"});

    backend.window.whileMenuOpen = [] { return MenuItem::Quitter; };
    form.TrayRequest(TrayIntent::ShowMenu);
    EXPECT_TRUE(backend.window.unloaded);
    EXPECT_FALSE(backend.tray.shown);
    EXPECT_EQ(backend.fs.files["Plimex.ini"],
              "[options]\r\nRep=C:\\Images\\\r\nTps=1\r\nEtat=1\r\n");
    EXPECT_TRUE(backend.diagnostics.lines.empty());
}

}  // namespace
}  // namespace plimex::testing

#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

class TrayTest : public Form1Test {
  protected:
    void StartWithState(const std::string& state) {
        AddFolder("C:\\Windows\\", {"a.bmp"});
        WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=" + state + "\r\n");
        form.Form_Load();
    }
};

TEST_F(TrayTest, StartUpShowsThePictureOfTheSavedStateWithTheTitleTip) {
    const struct {
        std::string state;
        TrayPicture picture;
    } cases[] = {{"1", TrayPicture::On}, {"0", TrayPicture::Off}, {"2", TrayPicture::None}};
    for (const auto& c : cases) {
        NullBackend backend;
        backend.fs.folders.insert("C:\\Windows\\");
        backend.fs.files["Plimex.ini"] =
            "[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=" + c.state + "\r\n";
        backend.form.Form_Load();
        ASSERT_EQ(backend.tray.added.size(), 1u) << c.state;
        EXPECT_EQ(backend.tray.added[0].picture, c.picture) << c.state;
        EXPECT_EQ(backend.tray.added[0].tip, L"Plimex 2000");
    }
}

TEST_F(TrayTest, BothTogglesSwitchTheFiveLinkedThingsAndOnlyTheButtonSaves) {
    StartWithState("2");  // neither on nor off: the first toggle switches on
    const int writesAtStart = fs.writes;
    form.Activer_Click();
    EXPECT_EQ(form.activeState(), L"1");
    EXPECT_TRUE(tmr.enabled);
    EXPECT_EQ(command1.caption, L"&Désactiver");
    EXPECT_EQ(activer.caption, L"&Désactiver");
    EXPECT_EQ(tray.added.back().picture, TrayPicture::On);
    EXPECT_EQ(tray.added.back().tip, L"Icône dans le system tray");
    EXPECT_EQ(fs.writes, writesAtStart);

    form.Command1_Click();
    EXPECT_EQ(form.activeState(), L"0");
    EXPECT_FALSE(tmr.enabled);
    EXPECT_EQ(activer.caption, L"&Activer");
    EXPECT_EQ(tray.added.back().picture, TrayPicture::Off);
    EXPECT_NE(SavedOptions().find("Etat=0\r\n"), std::string::npos);

    // Each toggle removes the icon, then adds it anew.
    const std::vector<std::string> trayCalls = {"TrayIcon.Add", "TrayIcon.Remove", "TrayIcon.Add",
                                                "TrayIcon.Remove", "TrayIcon.Add"};
    std::vector<std::string> seen;
    std::copy_if(log.calls.begin(), log.calls.end(), std::back_inserter(seen),
                 [](const std::string& call) { return call.starts_with("TrayIcon."); });
    EXPECT_EQ(seen, trayCalls);
    EXPECT_TRUE(desktop.wallpapers.empty());  // toggles change no wallpaper
}

TEST_F(TrayTest, RequestsOpenTheWindowOrTheMenuWhosePickRuns) {
    StartWithState("1");
    form.TrayRequest(TrayIntent::None);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.popups, 0);
    form.TrayRequest(TrayIntent::OpenWindow);
    EXPECT_TRUE(window.visible);

    window.whileMenuOpen = [] { return MenuItem::Activer; };
    form.TrayRequest(TrayIntent::ShowMenu);
    EXPECT_EQ(form.activeState(), L"0");
    window.whileMenuOpen = [] { return MenuItem::None; };
    form.TrayRequest(TrayIntent::ShowMenu);
    EXPECT_EQ(form.activeState(), L"0");
    EXPECT_EQ(window.popups, 2);
}

// While the menu is open, the desktop keeps delivering the icon's requests:
// neither a second menu nor the window opens, but the item picked still runs.
TEST_F(TrayTest, RequestsWhileTheMenuIsOpenOpenNothing) {
    StartWithState("1");
    window.Hide();
    window.whileMenuOpen = [this] {
        form.TrayRequest(TrayIntent::ShowMenu);
        form.TrayRequest(TrayIntent::OpenWindow);
        EXPECT_TRUE(form.trayBusy());
        return MenuItem::Quitter;
    };
    form.TrayRequest(TrayIntent::ShowMenu);
    EXPECT_EQ(window.popups, 1);
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(window.unloaded);
    EXPECT_FALSE(form.trayBusy());
    EXPECT_LT(log.IndexOf("TrayIcon.Remove"), log.IndexOf("ReplaceFile Plimex.ini"));
}

TEST_F(TrayTest, AnIconTheDesktopRefusesIsReportedAndTheNextToggleAddsItAgain) {
    tray.refuse = true;
    StartWithState("1");
    ASSERT_EQ(diagnostics.lines.size(), 1u);
    EXPECT_NE(diagnostics.lines[0].find("tray icon"), std::string::npos);

    tray.refuse = false;
    form.Activer_Click();  // nothing to remove, then the add succeeds
    EXPECT_EQ(diagnostics.lines.size(), 2u);
    EXPECT_TRUE(tray.shown);
}

}  // namespace
}  // namespace plimex::testing

#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

using LifecycleTest = Form1Test;

TEST_F(LifecycleTest, StartUpRunsItsStepsInOrder) {
    AddFolder("C:\\Windows\\", {"zapotec.bmp"});
    form.Form_Load();

    const auto at = [this](const std::string& call) {
        const auto index = log.IndexOf(call);
        EXPECT_GE(index, 0) << call;
        return index;
    };
    EXPECT_LT(at("Command1.Caption"), at("TrayIcon.Add"));
    EXPECT_LT(at("TrayIcon.Add"), at("Form1.Hide"));
    EXPECT_LT(at("Form1.Hide"), at("Dir1.Show"));
    EXPECT_LT(at("Dir1.Show"), at("Drive1.SetDrive"));
    EXPECT_LT(at("FindNormalFiles C:\\Windows\\*.bmp"),
              at("SetWallpaper C:\\Windows\\zapotec.bmp"));
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(dir1.path, L"C:\\Windows");
    EXPECT_EQ(lblPap.caption, L"C:\\Windows\\zapotec.bmp");
    EXPECT_EQ(form.tickCount(), 0);
}

TEST_F(LifecycleTest, StartUpReadsTheShownFolderOnce) {
    AddFolder("C:\\Windows\\", {"a.bmp"});
    form.Form_Load();
    EXPECT_EQ(log.Count("FindNormalFiles C:\\Windows\\*.bmp"), 1);
    EXPECT_EQ(lstFic.items, std::vector<std::wstring>{L"a.bmp"});
}

TEST_F(LifecycleTest, AFolderTheFolderListCannotShowIsStillListedAtStartUp) {
    fs.folders.clear();
    fs.listings["C:\\Windows\\*.bmp"] = {"b.bmp"};
    form.Form_Load();
    EXPECT_EQ(log.Count("FindNormalFiles C:\\Windows\\*.bmp"), 1);
    EXPECT_EQ(lstFic.items, std::vector<std::wstring>{L"b.bmp"});
}

TEST_F(LifecycleTest, SavedOffStateChangesNoWallpaperAndLeavesTheTimerOff) {
    AddFolder("C:\\Windows\\", {"a.bmp"});
    WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=2\r\nEtat=0\r\n");
    form.Form_Load();
    EXPECT_TRUE(desktop.wallpapers.empty());
    EXPECT_FALSE(tmr.enabled);
    EXPECT_EQ(lstFic.items, std::vector<std::wstring>{L"a.bmp"});
}

TEST_F(LifecycleTest, SavedFolderOnAnotherDriveIsKeptWhenTheDriveListFollows) {
    AddFolder("D:\\Photos\\", {"x.bmp"});
    WriteOptions("[options]\r\nRep=D:\\Photos\\\r\nTps=1\r\nEtat=0\r\n");
    form.Form_Load();
    EXPECT_EQ(drive1.drive, L"D:\\");
    EXPECT_EQ(dir1.path, L"D:\\Photos");
    EXPECT_EQ(form.imageFolder(), L"D:\\Photos\\");
    EXPECT_EQ(lstFic.items, std::vector<std::wstring>{L"x.bmp"});
}

TEST_F(LifecycleTest, SavedFolderWithoutBackslashGetsOne) {
    AddFolder("D:\\Photos\\", {});
    WriteOptions("[options]\r\nRep=D:\\Photos\r\nTps=1\r\nEtat=0\r\n");
    form.Form_Load();
    EXPECT_EQ(form.imageFolder(), L"D:\\Photos\\");
}

TEST_F(LifecycleTest, AMissingSavedFolderFallsBackToTheDefaultFolder) {
    AddFolder("C:\\Windows\\", {"a.bmp"});
    WriteOptions("[options]\r\nRep=E:\\Retir\xE9\\\r\nTps=1\r\nEtat=1\r\n");
    form.Form_Load();
    EXPECT_EQ(dir1.path, L"C:\\Windows");
    EXPECT_EQ(form.imageFolder(), L"C:\\Windows\\");
    EXPECT_EQ(lstFic.items, std::vector<std::wstring>{L"a.bmp"});
    EXPECT_EQ(lblPap.caption, L"C:\\Windows\\a.bmp");
    ASSERT_EQ(diagnostics.lines.size(), 1u);
    EXPECT_TRUE(diagnostics.lines[0].starts_with("Form_Load: E:\\Retir\xE9\\: "));

    // The drive may come back: the saved folder stays until the user picks another.
    form.Command1_Click();
    EXPECT_EQ(SavedOptions(), "[options]\r\nRep=E:\\Retir\xE9\\\r\nTps=1\r\nEtat=0\r\n");
    AddFolder("D:\\Photos\\", {});
    dir1.SetPath(L"D:\\Photos");
    form.Dir1_Change();
    form.Unload();
    EXPECT_EQ(SavedOptions(), "[options]\r\nRep=D:\\Photos\\\r\nTps=1\r\nEtat=0\r\n");
}

TEST_F(LifecycleTest, HideShowAndAboutKeepEverything) {
    AddFolder("C:\\Windows\\", {"a.bmp", "b.bmp"});
    form.Form_Load();
    form.Ouvrir_Click();
    EXPECT_TRUE(window.visible);
    lstFic.index = 1;
    form.LstFic_Click();
    form.Command4_Click();
    EXPECT_FALSE(window.visible);
    form.Ouvrir_Click();
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(lstFic.index, 1);
    EXPECT_EQ(form.imageFolder(), L"C:\\Windows\\");

    form.Command2_Click();
    form.Command2_Click();
    EXPECT_EQ(form2.shown, 2);
}

TEST_F(LifecycleTest, UnloadRemovesTheIconBeforeSavingTheSettingsOfThatMoment) {
    AddFolder("C:\\Windows\\", {});
    AddFolder("D:\\Photos\\", {});
    form.Form_Load();
    dir1.SetPath(L"D:\\Photos");
    form.Dir1_Change();
    form.Option4_Click();
    form.Activer_Click();
    form.Quitter_Click();

    EXPECT_LT(log.IndexOf("TrayIcon.Remove"), log.IndexOf("ReplaceFile Plimex.ini"));
    EXPECT_LT(log.IndexOf("ReplaceFile Plimex.ini"), log.IndexOf("Form1.Unload"));
    EXPECT_EQ(SavedOptions(), "[options]\r\nRep=D:\\Photos\\\r\nTps=4\r\nEtat=0\r\n");
    EXPECT_FALSE(tray.shown);

    form.Unload();  // a second cause of unload (the session ending) changes nothing
    EXPECT_EQ(log.Count("Form1.Unload"), 1);
    EXPECT_EQ(log.Count("TrayIcon.Remove"), 2);  // the toggle's and the unload's
}

}  // namespace
}  // namespace plimex::testing

#include <functional>
#include <ostream>

#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

// What the user and the file system do while start-up waits.
struct Meanwhile {
    Form1& form;
    FakeDriveList& drive1;
    FakeDirList& dir1;
    FakeBackgroundWork& work;
    FakeFileSystem& fs;
};

// Start-up with the rotation on, its folder still being read; what happens
// meanwhile; then every read ends, the latest first and the earliest last, and
// what each starts (a list, a wallpaper) ends after it.
struct WhileReading {
    const char* what;
    std::function<void(Meanwhile)> meanwhile;
    std::wstring shown;
    std::vector<std::wstring> listed;
    std::vector<std::string> wallpapers;
    friend void PrintTo(const WhileReading& reading, std::ostream* out) { *out << reading.what; }
};

class BackgroundListingTest : public Form1Test,
                              public ::testing::WithParamInterface<WhileReading> {};

TEST_P(BackgroundListingTest, NothingIsPickedFromAFolderOrListStillBeingReadNorFromAFolderLeft) {
    AddFolder("C:\\Images\\", {"b.bmp", "a.bmp"});
    AddFolder("C:\\Other\\", {"o.bmp"});
    AddFolder("C:\\Windows\\", {"w.bmp"});
    AddFolder("D:\\", {"d.bmp"});
    WriteOptions("[options]\r\nRep=C:\\Images\\\r\nTps=1\r\nEtat=1\r\n");
    work.hold = true;
    form.Form_Load();
    GetParam().meanwhile({form, drive1, dir1, work, fs});
    EXPECT_TRUE(lstFic.items.empty());
    EXPECT_TRUE(desktop.wallpapers.empty());

    work.FinishAll();
    EXPECT_EQ(dir1.path, GetParam().shown);
    EXPECT_EQ(lstFic.items, GetParam().listed);
    EXPECT_EQ(desktop.wallpapers, GetParam().wallpapers);
    EXPECT_EQ(form.tickCount(), 0);
    form.Tmr_Timer();  // and the ticks of a window still loaded count again
    EXPECT_EQ(form.tickCount(), window.unloaded ? 0 : 1);
}

const WhileReading kWhileReading[] = {
    {"StartUpWallpaperOnceListed",
     [](Meanwhile) {},
     L"C:\\Images",
     {L"a.bmp", L"b.bmp"},
     {"C:\\Images\\a.bmp"}},
    {"TicksPastTheLimitWaitForTheList",
     [](Meanwhile m) {
         for (int tick = 0; tick < 150; ++tick) m.form.Tmr_Timer();
     },
     L"C:\\Images",
     {L"a.bmp", L"b.bmp"},
     {"C:\\Images\\a.bmp"}},
    {"ASavedFolderFoundGoneShowsTheDefault",
     [](Meanwhile m) { m.fs.folders.erase("C:\\Images\\"); },
     L"C:\\Windows",
     {L"w.bmp"},
     {"C:\\Windows\\w.bmp"}},
    {"OnlyTheFolderOpenedLastIsShownAndListed",
     [](Meanwhile m) {
         m.work.Finish(0);  // the saved folder shows; its list is still being read
         m.form.Dir1_Open(L"C:\\Other");
         m.form.Dir1_Open(L"C:\\Windows");
     },
     L"C:\\Windows",
     {L"w.bmp"},
     {"C:\\Windows\\w.bmp"}},
    {"ADriveLeftAndComeBackToIsNotShown",
     [](Meanwhile m) {
         m.work.Finish(0);
         for (const wchar_t* drive : {L"D:\\", L"C:\\"}) {
             m.drive1.drive = drive;
             m.form.Drive1_Change();
         }
     },
     L"C:\\Images",
     {L"a.bmp", L"b.bmp"},
     {"C:\\Images\\a.bmp"}},
    {"AFolderNamedOutsideTheCodePageListsNothing",
     [](Meanwhile m) {
         m.work.Finish(0);
         m.dir1.path = L"C:\\\u0424\u043e\u0442\u043e";
         m.form.Dir1_Change();
     },
     L"C:\\\u0424\u043e\u0442\u043e",
     {},
     {}},
    {"QuitterDoesNotWait", [](Meanwhile m) { m.form.Quitter_Click(); }, L"", {}, {}},
};
INSTANTIATE_TEST_SUITE_P(Cases, BackgroundListingTest, ::testing::ValuesIn(kWhileReading),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(Form1Test, WallpapersAreAppliedOneAtATimeTheLatestNextAndNamedOnceShown) {
    AddFolder("C:\\Windows\\", {"a.bmp", "b.bmp", "c.bmp"});
    WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=0\r\n");
    form.Form_Load();
    work.hold = true;
    for (const int entry : {0, 1, 2}) {
        lstFic.index = entry;
        form.CmdSel_Click();
    }
    ASSERT_EQ(work.held.size(), 1u);
    EXPECT_EQ(lblPap.caption, L"");
    work.Finish(0);
    EXPECT_EQ(lblPap.caption, L"C:\\Windows\\a.bmp");
    desktop.result = false;
    work.Finish(1);
    EXPECT_EQ(desktop.wallpapers,
              (std::vector<std::string>{"C:\\Windows\\a.bmp", "C:\\Windows\\c.bmp"}));
    EXPECT_EQ(lblPap.caption, L"C:\\Windows\\a.bmp");

    desktop.result = true;
    form.CmdSel_Click();
    form.Quitter_Click();  // and the apply that runs on is not awaited
    work.Finish(2);
    EXPECT_EQ(lblPap.caption, L"C:\\Windows\\a.bmp");
}

TEST_F(Form1Test, OnePictureIsReadAtATimeAndOnlyTheLastClickedShows) {
    AddFolder("C:\\Windows\\", {"a.bmp", "b.bmp"});
    form.Form_Load();
    work.hold = true;
    for (const int entry : {0, 1, 0, 1}) {
        lstFic.index = entry;
        form.LstFic_Click();
    }
    ASSERT_EQ(work.held.size(), 1u);
    work.Finish(0);
    ASSERT_EQ(work.held.size(), 2u);
    work.Finish(1);
    EXPECT_EQ(fs.picturesRead,
              (std::vector<std::string>{"C:\\Windows\\a.bmp", "C:\\Windows\\b.bmp"}));
    EXPECT_EQ(image1.shownWidths, std::vector<int>{2});
}

TEST_F(Form1Test, APictureStillBeingReadInAFolderLeftNeitherShowsNorHoldsUpTheNext) {
    AddFolder("C:\\Windows\\", {"a.bmp"});
    AddFolder("C:\\Other\\", {"o.bmp"});
    form.Form_Load();
    work.hold = true;
    lstFic.index = 0;
    form.LstFic_Click();  // a share that does not answer holds this read
    dir1.SetPath(L"C:\\Other");
    form.Dir1_Change();
    work.Finish(1);
    lstFic.index = 0;
    form.LstFic_Click();
    ASSERT_EQ(work.held.size(), 3u);
    work.Finish(2);
    work.Finish(0);
    EXPECT_EQ(fs.picturesRead,
              (std::vector<std::string>{"C:\\Other\\o.bmp", "C:\\Windows\\a.bmp"}));
    EXPECT_EQ(image1.shownWidths, std::vector<int>{1});
}

}  // namespace
}  // namespace plimex::testing

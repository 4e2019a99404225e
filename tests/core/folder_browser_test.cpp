#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

class FolderBrowserTest : public Form1Test {
  protected:
    void SetUp() override {
        AddFolder("C:\\Windows\\", {"old.bmp"});
        WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=0\r\n");
        form.Form_Load();
    }
    void OpenFolder(const std::wstring& path) {
        ASSERT_TRUE(dir1.SetPath(path));
        form.Dir1_Change();
    }
};

TEST_F(FolderBrowserTest, FolderGetsExactlyOneTrailingBackslash) {
    AddFolder("C:\\Images\\", {});
    OpenFolder(L"C:\\Images");
    EXPECT_EQ(form.imageFolder(), L"C:\\Images\\");
    AddFolder("C:\\", {});
    OpenFolder(L"C:\\");
    EXPECT_EQ(form.imageFolder(), L"C:\\");
    EXPECT_GE(log.IndexOf("FindNormalFiles C:\\*.bmp"), 0);
}

TEST_F(FolderBrowserTest, TheListIsSortedIgnoringCaseAndIndexesFollowThatOrder) {
    AddFolder("C:\\Images\\", {"b.bmp", "A.bmp", "c.bmp"});
    OpenFolder(L"C:\\Images");
    EXPECT_EQ(lstFic.items, (std::vector<std::wstring>{L"A.bmp", L"b.bmp", L"c.bmp"}));
    lstFic.index = 0;
    form.CmdSel_Click();
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\A.bmp");
}

TEST_F(FolderBrowserTest, ClickPreviewsAndSelectOrDoubleClickApplies) {
    AddFolder("C:\\Images\\", {"a.bmp", "b.bmp"});
    OpenFolder(L"C:\\Images");
    lstFic.index = 1;
    form.LstFic_Click();
    EXPECT_EQ(fs.picturesRead, std::vector<std::string>{"C:\\Images\\b.bmp"});
    EXPECT_EQ(image1.shownWidths, std::vector<int>{1});
    EXPECT_TRUE(diagnostics.lines.empty());
    image1.readable = false;
    form.LstFic_Click();
    ASSERT_EQ(diagnostics.lines.size(), 1u);  // a preview that stays empty says why
    EXPECT_NE(diagnostics.lines[0].find("C:\\Images\\b.bmp"), std::string::npos);
    form.LstFic_DblClick();
    EXPECT_EQ(desktop.wallpapers.at(0), "C:\\Images\\b.bmp");
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\b.bmp");
}

TEST_F(FolderBrowserTest, NothingSelectedMeansNothingHappens) {
    lstFic.index = -1;
    form.CmdSel_Click();
    form.LstFic_DblClick();
    form.LstFic_Click();
    EXPECT_TRUE(desktop.wallpapers.empty());
    EXPECT_TRUE(fs.picturesRead.empty());
    EXPECT_EQ(lblPap.caption, L"");
}

TEST_F(FolderBrowserTest, ANewFolderClearsTheSelectionButKeepsThePreview) {
    lstFic.index = 0;
    form.LstFic_Click();
    AddFolder("D:\\Autres\\", {"n.bmp"});
    OpenFolder(L"D:\\Autres");
    EXPECT_EQ(lstFic.index, -1);
    EXPECT_EQ(lstFic.items, std::vector<std::wstring>{L"n.bmp"});
    EXPECT_EQ(image1.shownWidths, std::vector<int>{1});
    form.CmdSel_Click();
    EXPECT_TRUE(desktop.wallpapers.empty());
}

TEST_F(FolderBrowserTest, ChangingTheDriveGoesToItsRootUnlessTheFolderListIsAlreadyThere) {
    AddFolder("D:\\", {"root.bmp"});
    drive1.drive = L"D:\\";
    form.Drive1_Change();
    EXPECT_EQ(dir1.path, L"D:\\");
    EXPECT_EQ(form.imageFolder(), L"D:\\");
    EXPECT_EQ(lstFic.items, std::vector<std::wstring>{L"root.bmp"});

    AddFolder("D:\\Sous\\", {});
    OpenFolder(L"D:\\Sous");
    form.Drive1_Change();
    EXPECT_EQ(dir1.path, L"D:\\Sous");

    drive1.drive = L"E:\\";  // not ready: both lists stay on the folder shown
    form.Drive1_Change();
    EXPECT_EQ(dir1.path, L"D:\\Sous");
    EXPECT_EQ(drive1.drive, L"D:\\");
}

TEST_F(FolderBrowserTest, NamesInTheCodePageBecomeWideEntriesAndGoBackUnchanged) {
    AddFolder("C:\\Images\\", {"\xE9t\xE9.bmp", "\x80uro.bmp"});
    OpenFolder(L"C:\\Images");
    EXPECT_EQ(lstFic.items, (std::vector<std::wstring>{L"été.bmp", L"€uro.bmp"}));
    lstFic.index = 1;
    form.LstFic_Click();
    EXPECT_EQ(fs.picturesRead.back(), "C:\\Images\\\x80uro.bmp");
}

// "Фото" in the code page is "????", a path that names another folder or
// none; the system keeps no short name for it here.
TEST_F(FolderBrowserTest, AFolderOutsideTheCodePageWithoutAShortNameIsNotUsed) {
    dir1.path = L"C:\\\u0424\u043e\u0442\u043e";
    form.Dir1_Change();
    EXPECT_EQ(form.imageFolder(), L"C:\\Windows\\");
    EXPECT_TRUE(lstFic.items.empty());
    EXPECT_EQ(diagnostics.lines.size(), 1u);
}

}  // namespace
}  // namespace plimex::testing

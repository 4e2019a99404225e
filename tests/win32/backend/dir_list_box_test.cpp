#include "win32/dir_list_box.h"

#include <gmock/gmock.h>

#include "gui_fixture.h"
#include "test_files.h"
#include "win32/system_ansi_code_page.h"

namespace plimex::win32 {
namespace {

using ::testing::ElementsAre;

class FolderListTest : public testing::WindowTest {
  protected:
    std::wstring Wide(const std::string& path) const { return codePage_.FromAnsi(path); }
    std::wstring Folder() const {
        const std::wstring path = Wide(scratch_.Path());
        return path.substr(0, path.size() - 1);
    }

    SystemAnsiCodePage codePage_;
    testing::ScratchFolder scratch_;
};

TEST_F(FolderListTest, TreeHoldsThePathThenTheVisibleSubfoldersSorted) {
    scratch_.MakeFolder("zeta");
    scratch_.MakeFolder("Alpha");
    scratch_.MakeFolder("beta");
    scratch_.MakeFolder("hidden", FILE_ATTRIBUTE_HIDDEN);
    scratch_.Write("file.bmp", "x");

    const auto tree = ReadFolderTree(Folder() + L"\\");
    ASSERT_TRUE(tree.has_value());
    EXPECT_EQ(tree->Path(), Folder());
    EXPECT_EQ(tree->chain.front(), Folder().substr(0, 3));
    EXPECT_THAT(tree->subfolders, ElementsAre(L"Alpha", L"beta", L"zeta"));
    EXPECT_EQ(tree->PathOfEntry(tree->chain.size()), Folder() + L"\\Alpha");
    EXPECT_EQ(tree->PathOfEntry(0), Folder().substr(0, 3));
}

TEST_F(FolderListTest, ARootEndsInItsSeparatorAndOpensItsSubfoldersWithOne) {
    const auto tree = ReadFolderTree(L"C:\\");
    ASSERT_TRUE(tree.has_value());
    EXPECT_THAT(tree->chain, ElementsAre(L"C:\\"));
    EXPECT_EQ(tree->Path(), L"C:\\");
    ASSERT_FALSE(tree->subfolders.empty());
    EXPECT_EQ(tree->PathOfEntry(1), L"C:\\" + tree->subfolders.front());
}

TEST_F(FolderListTest, AFolderThatCannotBeShownIsRefusedAndTheListStays) {
    EXPECT_FALSE(ReadFolderTree(L"Q:\\gone").has_value());
    EXPECT_FALSE(ReadFolderTree(Wide(scratch_.Write("file.bmp", "x"))).has_value());
    EXPECT_FALSE(ReadFolderTree(L"").has_value());

    DirListBox list(Child(WC_LISTBOXW, LBS_NOTIFY | LBS_HASSTRINGS));
    ASSERT_TRUE(list.SetPath(Folder()));
    EXPECT_FALSE(list.SetPath(L"Q:\\gone"));
    EXPECT_EQ(list.Path(), Folder());
}

TEST_F(FolderListTest, ReportsAChangeOnlyForAnotherFolder) {
    DirListBox list(Child(WC_LISTBOXW, LBS_NOTIFY | LBS_HASSTRINGS));
    EXPECT_TRUE(list.SetPath(Folder()));
    EXPECT_FALSE(list.SetPath(Folder() + L"\\"));
    EXPECT_TRUE(list.SetPath(L"C:\\"));
}

TEST_F(FolderListTest, OpensTheSelectedSubfolderOrParent) {
    scratch_.MakeFolder("sub");
    HWND box = Child(WC_LISTBOXW, LBS_NOTIFY | LBS_HASSTRINGS);
    DirListBox list(box);
    ASSERT_TRUE(list.SetPath(Folder()));
    const auto current = SendMessageW(box, LB_GETCURSEL, 0, 0);
    ASSERT_EQ(SendMessageW(box, LB_GETCOUNT, 0, 0), current + 2);

    SendMessageW(box, LB_SETCURSEL, current + 1, 0);
    EXPECT_TRUE(list.OpenSelected());
    EXPECT_EQ(list.Path(), Folder() + L"\\sub");
    EXPECT_EQ(SendMessageW(box, LB_GETCURSEL, 0, 0), current + 1);

    SendMessageW(box, LB_SETCURSEL, current, 0);
    EXPECT_TRUE(list.OpenSelected());
    EXPECT_EQ(list.Path(), Folder());
}

}  // namespace
}  // namespace plimex::win32

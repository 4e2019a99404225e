#include <gtest/gtest.h>

#include <cwctype>
#include <map>

#include "core/drive_roots.h"
#include "core/folder_list.h"
#include "core/shown_caption.h"

namespace plimex {
namespace {

// Windows-like folders: "C:\" roots, names compared ignoring case.
class FakeFolders : public Folders {
  public:
    // Each folder with its subfolders; a folder without an entry cannot be listed.
    std::map<std::wstring, std::vector<std::wstring>> listed;
    std::vector<std::wstring> existing;

    std::optional<FolderPath> Locate(const std::wstring& path) const override {
        for (const std::wstring& folder : existing) {
            if (SameName(folder, path)) {
                return FolderPath{path, 3};
            }
        }
        return std::nullopt;
    }
    std::optional<std::vector<std::wstring>> Subfolders(const std::wstring& folder) const override {
        const auto found = listed.find(folder);
        return found == listed.end() ? std::nullopt : std::optional(found->second);
    }
    bool SameName(std::wstring_view a, std::wstring_view b) const override {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
            return std::towupper(x) == std::towupper(y);
        });
    }
    wchar_t Separator() const override { return L'\\'; }
};

class ShownFolderList : public FolderList {
  public:
    using FolderList::FolderList;
    int shown = 0;

    bool SetPath(const std::wstring& path) {
        std::optional<FolderTree> tree = Read(path);
        return tree && Show(std::move(*tree));
    }

  private:
    void Draw(const FolderTree& /*tree*/) override { ++shown; }
};

class FolderListTest : public ::testing::Test {
  protected:
    FolderListTest() {
        folders.existing = {L"C:\\",       L"C:\\Images", L"C:\\Images\\", L"C:\\Images\\Mer",
                            L"c:\\images", L"C:\\Secret"};
        folders.listed = {{L"C:\\", {L"Images"}},
                          {L"C:\\Images", {L"Mer", L"Montagne"}},
                          {L"C:\\Images\\Mer", {}}};
    }
    FakeFolders folders;
    ShownFolderList list{folders};
};

TEST_F(FolderListTest, ShowsTheWayDownThenTheSubfoldersAndOpensAnyOfThem) {
    ASSERT_TRUE(list.SetPath(L"C:\\Images\\"));
    const FolderTree& tree = list.tree();
    EXPECT_EQ(tree.chain, (std::vector<std::wstring>{L"C:\\", L"Images"}));
    EXPECT_EQ(tree.CurrentEntry(), 1u);
    EXPECT_EQ(tree.DepthOfEntry(3), 2u);
    EXPECT_EQ(tree.PathOfEntry(0), L"C:\\");
    EXPECT_EQ(list.Path(), L"C:\\Images");

    EXPECT_EQ(list.PathOfEntry(2), L"C:\\Images\\Mer");
    EXPECT_EQ(list.PathOfEntry(0), L"C:\\");
    EXPECT_EQ(list.PathOfEntry(5), std::nullopt);
}

TEST_F(FolderListTest, TheSameFolderIsNoChangeAndAFolderThatCannotBeShownIsRefused) {
    ASSERT_TRUE(list.SetPath(L"C:\\Images"));
    EXPECT_FALSE(list.SetPath(L"c:\\images"));
    EXPECT_FALSE(list.SetPath(L"C:\\Secret"));
    EXPECT_FALSE(list.SetPath(L"Q:\\gone"));
    EXPECT_EQ(list.Path(), L"C:\\Images");
    EXPECT_EQ(list.shown, 1);
}

class SelectedDriveRoots : public DriveRoots {
  public:
    using DriveRoots::DriveRoots;
    int selected = -1;

  private:
    int SelectedEntry() const override { return selected; }
    void SelectEntry(int index) override { selected = index; }
};

TEST(DriveRootsTest, APathBelongsToTheDeepestRootThatHoldsIt) {
    FakeFolders folders;
    SelectedDriveRoots drives(folders, {L"C:\\Users\\lea\\", L"C:\\", L"D:\\"});
    EXPECT_EQ(drives.DriveOf(L"c:\\users\\lea"), L"C:\\Users\\lea\\");
    EXPECT_EQ(drives.DriveOf(L"C:\\Users\\leandre"), L"C:\\");
    EXPECT_EQ(drives.DriveOf(L"\\\\server\\share\\"), L"");
    EXPECT_EQ(drives.Drive(), L"");
    EXPECT_TRUE(drives.SetDrive(L"D:"));
    EXPECT_EQ(drives.Drive(), L"D:\\");
    EXPECT_FALSE(drives.SetDrive(L"d:\\Images"));
}

TEST(ShownCaptionTest, ReadsBackWhatWasWrittenAndShowsIt) {
    std::wstring shown;
    ShownCaption caption(L"&Activer", [&](const std::wstring& text) { shown = text; });
    EXPECT_EQ(shown, L"&Activer");
    caption.SetCaption(L"&Désactiver");
    EXPECT_EQ(caption.Caption(), L"&Désactiver");
    EXPECT_EQ(shown, L"&Désactiver");
}

}  // namespace
}  // namespace plimex

#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

class WallpaperTest : public Form1Test {
  protected:
    // Makes the folder's only bitmap the wallpaper through the select button.
    void Apply(const std::string& folder, const std::string& name) {
        AddFolder(folder, {name});
        dir1.SetPath(std::wstring(folder.begin(), folder.end()));
        form.Dir1_Change();
        lstFic.index = 0;
        form.CmdSel_Click();
    }
};

TEST_F(WallpaperTest, TheWholePathIsTheWallpaperAndTheLabelNamesIt) {
    const std::string folder = "C:\\Un dossier assez long\\";
    const std::string name = std::string(40 - folder.size() - 4, 'x') + ".bmp";
    Apply(folder, name);
    EXPECT_EQ(desktop.wallpapers, std::vector<std::string>{folder + name});
    EXPECT_EQ(lblPap.caption,
              std::wstring(folder.begin(), folder.end()) + std::wstring(name.begin(), name.end()));
    EXPECT_LT(log.IndexOf("SetWallpaper " + folder + name), log.IndexOf("LblPap.Caption"));

    // The same picture again is a new change, carried out again.
    form.CmdSel_Click();
    EXPECT_EQ(desktop.wallpapers.size(), 2u);
}

TEST_F(WallpaperTest, AccentedNamesReachTheSystemInTheCodePage) {
    Apply("C:\\Images\\", "\xE9t\xE9.bmp");  // été.bmp in Windows-1252
    EXPECT_EQ(desktop.wallpapers.at(0), "C:\\Images\\\xE9t\xE9.bmp");
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\été.bmp");
}

TEST_F(WallpaperTest, ACharacterTheCodePageLacksIsReplacedEverywhereAlike) {
    AddFolder("C:\\Images\\", {});
    dir1.SetPath(L"C:\\Images\\");
    form.Dir1_Change();
    lstFic.items = {L"\u03A9.bmp"};  // Greek capital omega: not in Windows-1252
    lstFic.index = 0;
    form.CmdSel_Click();
    EXPECT_EQ(desktop.wallpapers.at(0), "C:\\Images\\?.bmp");
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\?.bmp");
}

TEST_F(WallpaperTest, APictureTheSystemCouldNotShowIsNotShownAsTheCurrentOne) {
    Apply("C:\\Images\\", "a.bmp");
    desktop.result = false;
    Apply("C:\\Images\\", "b.bmp");
    EXPECT_EQ(desktop.wallpapers.size(), 2u);
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\a.bmp");
    desktop.result = true;
    form.CmdSel_Click();
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\b.bmp");
}

}  // namespace
}  // namespace plimex::testing

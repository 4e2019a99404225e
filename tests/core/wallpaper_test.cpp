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

TEST_F(WallpaperTest, WritesTheRegistryThenCallsTheSystemWithTheSpecifiedArguments) {
    Apply("C:\\Images\\", "a.bmp");
    const std::string path = "C:\\Images\\a.bmp";

    ASSERT_EQ(desktop.opens.size(), 1u);
    EXPECT_EQ(desktop.opens[0].root, 0x80000001u);
    EXPECT_EQ(desktop.opens[0].subKey, "Control Panel\\Desktop");
    EXPECT_EQ(desktop.opens[0].options, 0u);
    EXPECT_EQ(desktop.opens[0].access, 0x20006u);

    ASSERT_EQ(desktop.setValues.size(), 1u);
    const FakeDesktop::SetValue& set = desktop.setValues[0];
    EXPECT_EQ(set.key, FakeDesktop::kKey);
    EXPECT_EQ(set.name, "Wallpaper");
    EXPECT_EQ(set.reserved, 0u);
    EXPECT_EQ(set.type, 1u);
    EXPECT_EQ(set.data, path + '\0');
    EXPECT_EQ(set.size, path.size() + 1);
    EXPECT_EQ(desktop.closes, std::vector<Desktop::KeyHandle>{FakeDesktop::kKey});

    ASSERT_EQ(desktop.spis.size(), 1u);
    EXPECT_EQ(desktop.spis[0].action, 20u);
    EXPECT_EQ(desktop.spis[0].param, 0u);
    EXPECT_EQ(desktop.spis[0].path, path);
    EXPECT_EQ(desktop.spis[0].winIni, 2u);
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\a.bmp");

    EXPECT_LT(log.IndexOf("RegCloseKey"), log.IndexOf("SystemParametersInfoA " + path));
    EXPECT_LT(log.IndexOf("SystemParametersInfoA " + path), log.IndexOf("LblPap.Caption"));
}

TEST_F(WallpaperTest, AFortyCharacterPathIsStoredWholeWithItsNull) {
    const std::string folder = "C:\\Un dossier assez long\\";
    const std::string name = std::string(40 - folder.size() - 4, 'x') + ".bmp";
    Apply(folder, name);
    ASSERT_EQ((folder + name).size(), 40u);
    EXPECT_EQ(desktop.setValues.at(0).data.size(), 41u);
    EXPECT_EQ(desktop.setValues.at(0).data.back(), '\0');
    EXPECT_EQ(desktop.setValues.at(0).size, 41u);
    EXPECT_EQ(lblPap.caption.size(), 40u);
}

TEST_F(WallpaperTest, AccentedNamesReachTheSystemInTheCodePage) {
    Apply("C:\\Images\\", "\xE9t\xE9.bmp");  // été.bmp in Windows-1252
    EXPECT_EQ(desktop.spis.at(0).path, "C:\\Images\\\xE9t\xE9.bmp");
    EXPECT_EQ(desktop.setValues.at(0).data, "C:\\Images\\\xE9t\xE9.bmp" + std::string(1, '\0'));
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\été.bmp");
}

TEST_F(WallpaperTest, ACharacterTheCodePageLacksIsReplacedEverywhereAlike) {
    AddFolder("C:\\Images\\", {});
    dir1.SetPath(L"C:\\Images\\");
    form.Dir1_Change();
    lstFic.AddItems({L"\u03A9.bmp"});  // Greek capital omega: not in Windows-1252
    lstFic.index = 0;
    form.CmdSel_Click();
    EXPECT_EQ(desktop.spis.at(0).path, "C:\\Images\\?.bmp");
    EXPECT_EQ(desktop.setValues.at(0).data, std::string("C:\\Images\\?.bmp") + '\0');
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\?.bmp");
}

TEST_F(WallpaperTest, SameFileTwiceRunsTheWholeSequenceTwice) {
    Apply("C:\\Images\\", "a.bmp");
    form.CmdSel_Click();
    EXPECT_EQ(desktop.opens.size(), 2u);
    EXPECT_EQ(desktop.setValues.size(), 2u);
    EXPECT_EQ(desktop.closes.size(), 2u);
    EXPECT_EQ(desktop.spis.size(), 2u);
}

TEST_F(WallpaperTest, AKeyThatDoesNotOpenIsNeitherWrittenNorClosedButTheWallpaperChanges) {
    desktop.openResult = 5;  // ERROR_ACCESS_DENIED
    Apply("C:\\Images\\", "a.bmp");
    EXPECT_TRUE(desktop.setValues.empty());
    EXPECT_TRUE(desktop.closes.empty());
    EXPECT_EQ(desktop.spis.size(), 1u);
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\a.bmp");
}

TEST_F(WallpaperTest, APictureTheSystemCouldNotShowIsNotShownAsTheCurrentOne) {
    Apply("C:\\Images\\", "a.bmp");
    desktop.spiResult = false;
    Apply("C:\\Images\\", "b.bmp");
    EXPECT_EQ(desktop.spis.size(), 2u);
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\a.bmp");
    desktop.spiResult = true;
    form.CmdSel_Click();
    EXPECT_EQ(lblPap.caption, L"C:\\Images\\b.bmp");
}

}  // namespace
}  // namespace plimex::testing

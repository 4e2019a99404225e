#include "win32/drive_list_box.h"

#include "gui_fixture.h"
#include "win32/windows_folders.h"

namespace plimex::win32 {
namespace {

class DriveComboTest : public testing::WindowTest {
  protected:
    WindowsFolders folders_;
};

TEST_F(DriveComboTest, FindsTheDriveOfAPathWhateverItsCase) {
    Win32DriveListBox drives(Child(WC_COMBOBOXW, CBS_DROPDOWNLIST), folders_);
    EXPECT_EQ(drives.DriveOf(L"c:\\windows\\"), L"C:\\");
    EXPECT_EQ(drives.DriveOf(L"C:"), L"C:\\");
    EXPECT_EQ(drives.DriveOf(L"\\\\server\\share\\"), L"");
    EXPECT_EQ(drives.DriveOf(L""), L"");
}

TEST_F(DriveComboTest, SelectingTheShownDriveIsNoChange) {
    HWND combo = Child(WC_COMBOBOXW, CBS_DROPDOWNLIST);
    Win32DriveListBox drives(combo, folders_);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(drives.Drive(), L"");
    EXPECT_TRUE(drives.SetDrive(L"C:\\Windows\\"));
    EXPECT_EQ(drives.Drive(), L"C:\\");
    EXPECT_FALSE(drives.SetDrive(L"c:\\"));
    EXPECT_FALSE(drives.SetDrive(L"not a path"));
    EXPECT_EQ(drives.Drive(), L"C:\\");
}

TEST_F(DriveComboTest, EntriesShowTheLetterAsUsersKnowIt) {
    EXPECT_EQ(DriveEntryText(L"C:\\").substr(0, 2), L"c:");
    HWND combo = Child(WC_COMBOBOXW, CBS_DROPDOWNLIST);
    Win32DriveListBox drives(combo, folders_);
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    EXPECT_EQ(static_cast<DWORD>(count),
              static_cast<DWORD>(__builtin_popcount(GetLogicalDrives())));
}

}  // namespace
}  // namespace plimex::win32

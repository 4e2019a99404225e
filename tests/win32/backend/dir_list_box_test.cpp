#include "win32/dir_list_box.h"

#include <gmock/gmock.h>

#include "gui_fixture.h"
#include "test_files.h"
#include "win32/system_ansi_code_page.h"
#include "win32/windows_folders.h"

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
    WindowsFolders folders_;
};

TEST_F(FolderListTest, ListsTheVisibleSubfoldersSortedIgnoringCase) {
    scratch_.MakeFolder("zeta");
    scratch_.MakeFolder("Alpha");
    scratch_.MakeFolder("beta");
    scratch_.MakeFolder("hidden", FILE_ATTRIBUTE_HIDDEN);
    scratch_.Write("file.bmp", "x");
    EXPECT_THAT(folders_.Subfolders(Folder()),
                ::testing::Optional(ElementsAre(L"Alpha", L"beta", L"zeta")));
}

TEST_F(FolderListTest, LocatesFoldersByTheirFullPathAndRoot) {
    const auto place = folders_.Locate(Folder() + L"\\.\\");
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->full.substr(0, place->rootLength), Folder().substr(0, 3));
    EXPECT_FALSE(folders_.Locate(L"Q:\\gone").has_value());
    EXPECT_FALSE(folders_.Locate(Wide(scratch_.Write("file.bmp", "x"))).has_value());
    EXPECT_FALSE(folders_.Locate(L"").has_value());
    EXPECT_TRUE(folders_.SameName(L"C:\\Windows", L"c:\\WINDOWS"));
}

TEST_F(FolderListTest, OpensTheSelectedSubfolderOrParent) {
    scratch_.MakeFolder("sub");
    HWND box = Child(WC_LISTBOXW, LBS_NOTIFY | LBS_HASSTRINGS);
    Win32DirListBox list(box, folders_);
    ASSERT_TRUE(list.Show(*list.Read(Folder())));
    EXPECT_FALSE(list.Show(*list.Read(Folder() + L"\\")));
    const auto current = SendMessageW(box, LB_GETCURSEL, 0, 0);
    ASSERT_EQ(SendMessageW(box, LB_GETCOUNT, 0, 0), current + 2);

    SendMessageW(box, LB_SETCURSEL, current + 1, 0);
    EXPECT_EQ(list.SelectedPath(), Folder() + L"\\sub");
    SendMessageW(box, LB_SETCURSEL, current, 0);
    EXPECT_EQ(list.SelectedPath(), Folder());
}

}  // namespace
}  // namespace plimex::win32

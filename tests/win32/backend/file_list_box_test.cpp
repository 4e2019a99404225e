#include "win32/file_list_box.h"

#include "gui_fixture.h"

namespace plimex::win32 {
namespace {

using SortedListBoxTest = testing::WindowTest;

TEST_F(SortedListBoxTest, KeepsEntriesInCaseInsensitiveOrderWithoutSelecting) {
    Win32FileListBox list(Child(WC_LISTBOXW, LBS_SORT | LBS_NOTIFY));
    list.AddItems({L"b.bmp", L"A.bmp", L"c.bmp"});
    list.AddItems({L"B2.bmp"});

    ASSERT_EQ(list.ListCount(), 4);
    EXPECT_EQ(list.List(0), L"A.bmp");
    EXPECT_EQ(list.List(1), L"b.bmp");
    EXPECT_EQ(list.List(2), L"B2.bmp");
    EXPECT_EQ(list.List(3), L"c.bmp");
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(SortedListBoxTest, ReadingPastTheEndGivesEmptyText) {
    Win32FileListBox list(Child(WC_LISTBOXW, LBS_SORT | LBS_NOTIFY));
    list.AddItems({L"a.bmp"});
    EXPECT_EQ(list.List(1), L"");
    EXPECT_EQ(list.List(-1), L"");
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.List(0), L"");
}

TEST_F(SortedListBoxTest, TheWindowIsRedrawnOnceAfterAFill) {
    HWND box = Child(WC_LISTBOXW, LBS_SORT | LBS_NOTIFY);
    ShowPainted();
    Win32FileListBox list(box);
    list.AddItems({L"a.bmp", L"b.bmp"});
    RECT pending{};
    EXPECT_TRUE(GetUpdateRect(box, &pending, FALSE));
}

}  // namespace
}  // namespace plimex::win32

#include "win32/file_list_box.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "gui_fixture.h"
#include "win32/system_ansi_code_page.h"

namespace plimex::win32 {
namespace {

using SortedListBoxTest = testing::WindowTest;

// The names as the system would give them, in its code page.
PackedNames Packed(const std::vector<std::wstring>& names) {
    PackedNames packed;
    for (const std::wstring& name : names) {
        packed.Add(SystemAnsiCodePage().ToAnsi(name));
    }
    return packed;
}

std::vector<std::wstring> Contents(const Win32FileListBox& list) {
    std::vector<std::wstring> contents;
    for (int index = 0; index < list.ListCount(); ++index) {
        contents.push_back(list.List(index));
    }
    return contents;
}

// The order the sorted box itself keeps: symbols, then digits by character
// and not by number, hyphens and apostrophes as if left out, accented
// letters and ligatures beside their plain letters. Names the box finds
// equal keep one order whatever order they came in: their exact characters,
// capitals first. A name added to the filled box finds its place there.
TEST_F(SortedListBoxTest, AFolderIsListedInTheBoxsOwnOrder) {
    std::vector<std::wstring> sorted = {
        L"!x.bmp",    L"(1).bmp",  L"[x].bmp",    L"_x.bmp",    L"~x.bmp",    L"01.bmp",
        L"½.bmp",     L"1.bmp",    L"10.bmp",     L"2.bmp",     L"².bmp",     L"9.bmp",
        L"a b.bmp",   L"A.bmp",    L"a.bmp",      L"a.bmp.bmp", L"a10.bmp",   L"A2.bmp",
        L"a2.bmp",    L"ab.bmp",   L"a-b.bmp",    L"ae.bmp",    L"æ.bmp",     L"B.bmp",
        L"b.bmp",     L"cafe.bmp", L"CAFÉ.bmp",   L"café.bmp",  L"cafés.bmp", L"coop.bmp",
        L"co-op.bmp", L"Ete.bmp",  L"ete.bmp",    L"Été.bmp",   L"été.bmp",   L"n.bmp",
        L"Ñ.bmp",     L"o.bmp",    L"oeuvre.bmp", L"œuvre.bmp", L"PHOTO.bmp", L"Photo.bmp",
        L"photo.bmp", L"s.bmp",    L"Š.bmp",      L"ss.bmp",    L"ß.bmp",     L"t.bmp",
        L"'x.bmp",    L"-x.bmp",   L"y.bmp",      L"Ÿ.bmp",     L"z.bmp",     L"zoe.bmp",
        L"Zoë.bmp",
    };
    // A name whose sort key is longer than most: the key is asked for twice.
    sorted.insert(std::find(sorted.begin(), sorted.end(), L"B.bmp"),
                  std::wstring(60, L'æ') + L".bmp");
    for (const unsigned arrival : {1u, 2u, 3u}) {
        std::vector<std::wstring> shuffled = sorted;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(arrival));
        Win32FileListBox list(Child(WC_LISTBOXW, LBS_SORT | LBS_NOTIFY));
        list.AddItems(Packed(shuffled));
        EXPECT_EQ(Contents(list), sorted) << "arrival order " << arrival;
        EXPECT_EQ(list.ListIndex(), -1);

        list.AddItems({"Co.bmp"});
        std::vector<std::wstring> withLater = sorted;
        withLater.insert(std::find(withLater.begin(), withLater.end(), L"coop.bmp"), L"Co.bmp");
        EXPECT_EQ(Contents(list), withLater) << "arrival order " << arrival;
    }
}

TEST_F(SortedListBoxTest, ReadingPastTheEndGivesEmptyText) {
    Win32FileListBox list(Child(WC_LISTBOXW, LBS_SORT | LBS_NOTIFY));
    list.AddItems({"a.bmp"});
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
    list.AddItems({"a.bmp", "b.bmp"});
    RECT pending{};
    EXPECT_TRUE(GetUpdateRect(box, &pending, FALSE));
}

}  // namespace
}  // namespace plimex::win32

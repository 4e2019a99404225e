#include "win32/popup_menu.h"

#include <gtest/gtest.h>

namespace plimex::win32 {
namespace {

std::wstring ItemText(HMENU menu, int position) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

TEST(PopupMenu, HoldsTheThreeItemsWithQuitterAsDefault) {
    const PopupMenu menu;
    ASSERT_EQ(GetMenuItemCount(menu.Handle()), 3);
    EXPECT_EQ(ItemText(menu.Handle(), 0), L"&Activer");
    EXPECT_EQ(ItemText(menu.Handle(), 1), L"&Ouvrir");
    EXPECT_EQ(ItemText(menu.Handle(), 2), L"&Quitter");
    EXPECT_EQ(GetMenuDefaultItem(menu.Handle(), FALSE, 0),
              static_cast<UINT>(PopupMenu::CommandOf("Quitter")));
}

TEST(PopupMenu, TheToggleItemsTextIsReplacedInPlace) {
    PopupMenu menu;
    menu.SetItemText("Activer", L"&Désactiver");
    EXPECT_EQ(ItemText(menu.Handle(), 0), L"&Désactiver");
    EXPECT_EQ(GetMenuDefaultItem(menu.Handle(), FALSE, 0),
              static_cast<UINT>(PopupMenu::CommandOf("Quitter")));
}

}  // namespace
}  // namespace plimex::win32

#include "core/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

namespace plimex::layout {
namespace {

// The control's box, in twips from the window's client corner.
struct Box {
    int left, top, right, bottom;
};

Box Absolute(const Window& window, const Control& control) {
    Box box{control.left, control.top, control.left + control.width, control.top + control.height};
    if (!control.container.empty()) {
        const Control& frame = Get(window, control.container);
        box = {box.left + frame.left, box.top + frame.top, box.right + frame.left,
               box.bottom + frame.top};
    }
    return box;
}

TEST(Layout, EveryControlLiesInsideItsWindowAndItsFrame) {
    for (const Window* window : {&MainWindow(), &AboutWindow()}) {
        for (const Control& control : window->controls) {
            const Box box = Absolute(*window, control);
            EXPECT_GE(box.left, 0) << control.name;
            EXPECT_GE(box.top, 0) << control.name;
            EXPECT_LE(box.right, window->clientWidth) << control.name;
            EXPECT_LE(box.bottom, window->clientHeight) << control.name;
            if (!control.container.empty()) {
                const Control& frame = Get(*window, control.container);
                EXPECT_LE(control.left + control.width, frame.width) << control.name;
                EXPECT_LE(control.top + control.height, frame.height) << control.name;
            }
        }
    }
    // The bar at its fullest still stays inside the window.
    EXPECT_LE(Get(MainWindow(), "Shape1").left + 6135, MainWindow().clientWidth);
}

TEST(Layout, TabIndexesAreUniqueAndDense) {
    for (const Window* window : {&MainWindow(), &AboutWindow()}) {
        std::set<int> indexes;
        for (const Control& control : window->controls) {
            if (control.tabIndex >= 0) {
                EXPECT_TRUE(indexes.insert(control.tabIndex).second) << control.name;
            }
        }
        EXPECT_EQ(*indexes.rbegin() + 1, static_cast<int>(indexes.size())) << window->name;
    }
    EXPECT_EQ(Get(MainWindow(), "Option5").tabIndex, 13);
}

TEST(Layout, AccessKeysOfTheMainWindowAndTheMenuAreDistinct) {
    const auto accessKey = [](std::wstring_view caption) {
        const auto amp = caption.find(L'&');
        return amp == std::wstring_view::npos ? L'\0' : caption[amp + 1];
    };
    std::set<wchar_t> keys;
    for (const Control& control : MainWindow().controls) {
        if (const wchar_t key = accessKey(control.caption)) {
            EXPECT_TRUE(keys.insert(key).second) << control.name;
        }
    }
    EXPECT_EQ(keys, (std::set<wchar_t>{L'S', L'A', L'p', L'C'}));

    const auto menu = PopupMenu();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].name, "Activer");
    EXPECT_EQ(menu[2].name, "Quitter");
    EXPECT_EQ(std::count_if(menu.begin(), menu.end(), [](const auto& m) { return m.isDefault; }),
              1);
    EXPECT_TRUE(menu[2].isDefault);
}

TEST(Layout, LookUpsAnswerOnlyForEntriesOfThatTable) {
    EXPECT_EQ(Get(MainWindow(), "LstFic").kind, Kind::ListBox);
    EXPECT_THROW(Get(AboutWindow(), "LstFic"), std::logic_error);
    EXPECT_EQ(Get(AboutWindow(), "Command1").caption, L"&Fermer");
    EXPECT_EQ(MenuIndex("Quitter"), 2u);
    EXPECT_THROW(MenuIndex("Command1"), std::logic_error);
}

}  // namespace
}  // namespace plimex::layout

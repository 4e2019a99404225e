#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/tray_icon.h"

namespace plimex::layout {

// Both windows as data, in twips from the top left corner of the client area
// (or of the containing frame), so that every backend builds the same window.

enum class Kind {
    DriveList,
    DirList,
    ListBox,  // single selection, sorted ignoring case
    CommandButton,
    Label,         // one line, cut off when too long
    CentredTitle,  // a label centred in Arial bold 12 point
    Frame,
    OptionButton,
    ImageBox,      // stretches its picture to its size, no border
    PictureBox,    // sunken border, sized to its picture
    ShapeOutline,  // one-pixel window-text outline, transparent inside
    ShapeFilled,   // filled with the control's colour
    HiddenIcon,    // holds a picture and is never shown
};

struct Control {
    std::string_view name;
    Kind kind;
    std::wstring_view caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;                  // -1: no place in the tab order
    std::string_view container{};  // empty: the window itself
    std::uint32_t colourBgr = 0;   // only for ShapeFilled: 0x00BBGGRR
};

struct Window {
    std::string_view name;
    std::wstring_view caption;
    int clientWidth;
    int clientHeight;
    std::span<const Control> controls;
};

struct MenuEntry {
    std::string_view name;
    MenuItem item;
    std::wstring_view caption;  // at start
    bool isDefault;
};

inline constexpr int kTimerIntervalMs = 1000;
inline constexpr int kIconPixels = 33;  // Image3 and the image of ImageList1

const Window& MainWindow();
const Window& AboutWindow();
std::span<const MenuEntry> PopupMenu();
// The control of a window with this name. The program only asks for names of
// its tables: any other is a programming error, and throws std::logic_error.
const Control& Get(const Window& window, std::string_view name);
// The place of the popup menu's entry with this name, checked the same way.
std::size_t MenuIndex(std::string_view name);

}  // namespace plimex::layout

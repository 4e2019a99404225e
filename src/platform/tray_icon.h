#pragma once

#include <string_view>

namespace plimex {

// The pictures of the tray icon: the rotation on, the rotation off, or none
// (a saved state that is neither; the icon still holds its place).
enum class TrayPicture { None, On, Off };

// What the user asked of the tray icon: open the main window, or show the
// popup menu (at the mouse) and run the item picked from it.
enum class TrayIntent { None, OpenWindow, ShowMenu };

// The items of the tray's popup menu, as the menu reports the pick.
enum class MenuItem { None, Activer, Ouvrir, Quitter };

// The program's one icon in the desktop's notification area. The user's
// actions on it come back as requests (see TrayIntent), never as the
// desktop's own messages.
class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // Shows the icon with its picture and tip; false when the desktop refused
    // it (one is shown already, or the desktop has no room for it).
    virtual bool Add(TrayPicture picture, std::wstring_view tip) = 0;
    // Takes the icon away; false when there was none to take.
    virtual bool Remove() = 0;
};

}  // namespace plimex

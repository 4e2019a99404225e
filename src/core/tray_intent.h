#pragma once

namespace plimex {

// What the user asked of the tray icon: open the main window, or show the
// popup menu (at the mouse) and run the item picked from it.
enum class TrayIntent { None, OpenWindow, ShowMenu };

}  // namespace plimex

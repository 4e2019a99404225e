#pragma once

#include <QMenu>
#include <functional>
#include <string_view>
#include <vector>

#include "core/shown_caption.h"
#include "platform/tray_icon.h"
#include "posix/standard_error_diagnostics.h"

namespace plimex::qt {

// Menu: the layout's entries in its order, the default item in bold. It only
// reports the pick; the program runs the item.
class PopupMenu {
  public:
    PopupMenu();

    // The entry picked, or None when the menu closed without one.
    MenuItem Exec(const QPoint& where);
    // picked: an entry picked from the menu as a desktop drew it, outside
    // Exec (Exec reports its own pick).
    void OnPickedElsewhere(std::function<void(MenuItem)> picked);
    ShownCaption& activerCaption() { return activerCaption_; }
    QMenu& menu() { return menu_; }

  private:
    QAction* Action(std::string_view name) const;
    void KeepFloating();

    QMenu menu_;
    std::vector<QAction*> actions_;  // in the layout's order
    bool executing_ = false;
    bool closesWhenLeft_ = false;
    bool placeAtPointer_ = false;
    posix::StandardErrorDiagnostics diagnostics_;
    ShownCaption activerCaption_;
};

}  // namespace plimex::qt

#pragma once

#include <QMenu>

#include "platform/controls.h"
#include "qt/shown_caption.h"

namespace plimex::qt {

// Menu: Activer, Ouvrir and Quitter as the layout lists them, the default
// item in bold. It only reports the pick; the program runs the item.
class PopupMenu {
  public:
    PopupMenu();

    MenuItem Exec(const QPoint& where);
    ShownCaption& activerCaption() { return activerCaption_; }
    QMenu& menu() { return menu_; }

  private:
    QMenu menu_;
    QAction* activer_;
    QAction* ouvrir_;
    QAction* quitter_;
    ShownCaption activerCaption_;
};

}  // namespace plimex::qt

#include "qt/popup_menu.h"

#include "core/layout.h"
#include "qt/layout_placer.h"

namespace plimex::qt {
namespace {

QAction* AddEntry(QMenu& menu, std::string_view name) {
    for (const layout::MenuEntry& entry : layout::PopupMenu()) {
        if (entry.name == name) {
            QAction* action = menu.addAction(CaptionText(entry.caption));
            if (entry.isDefault) {
                menu.setDefaultAction(action);
            }
            return action;
        }
    }
    return nullptr;
}

}  // namespace

PopupMenu::PopupMenu()
    : activer_(AddEntry(menu_, "Activer")),
      ouvrir_(AddEntry(menu_, "Ouvrir")),
      quitter_(AddEntry(menu_, "Quitter")),
      activerCaption_(activer_->text().toStdWString(),
                      [this](const QString& text) { activer_->setText(text); }) {}

MenuItem PopupMenu::Exec(const QPoint& where) {
    const QAction* picked = menu_.exec(where);
    if (picked == activer_) {
        return MenuItem::Activer;
    }
    if (picked == ouvrir_) {
        return MenuItem::Ouvrir;
    }
    if (picked == quitter_) {
        return MenuItem::Quitter;
    }
    return MenuItem::None;
}

}  // namespace plimex::qt

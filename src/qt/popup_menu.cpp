#include "qt/popup_menu.h"

#include <QGuiApplication>
#include <QWindow>
#include <utility>

#include "core/layout.h"
#include "linux_desktop/sway_pointer_placement.h"
#include "qt/layout_placer.h"

namespace plimex::qt {
namespace {

// What sway knows the menu's window by, so that only it is moved.
const QString kWindowTitle = QStringLiteral("Plimex 2000 menu");

std::vector<QAction*> AddEntries(QMenu& menu) {
    std::vector<QAction*> actions;
    for (const layout::MenuEntry& entry : layout::PopupMenu()) {
        actions.push_back(menu.addAction(CaptionText(entry.caption)));
        if (entry.isDefault) {
            menu.setDefaultAction(actions.back());
        }
    }
    return actions;
}

}  // namespace

PopupMenu::PopupMenu()
    : actions_(AddEntries(menu_)),
      activerCaption_(std::wstring(layout::PopupMenu()[layout::MenuIndex("Activer")].caption),
                      [action = Action("Activer")](const std::wstring& text) {
                          action->setText(CaptionText(text));
                      }) {}

// On Wayland a menu opened from the tray has no window of the program to
// hang from as a popup, so it becomes a window of its own, which a tiling
// compositor such as sway would stretch over the whole workspace: one of a
// fixed size floats instead. sway puts it in the middle of the screen; once
// it is shown (it then has the focus), sway is asked to move it to the
// pointer. It goes, like a popup, once the user turns to something else.
void PopupMenu::KeepFloating() {
    menu_.setFixedSize(menu_.sizeHint());
    placeAtPointer_ = qEnvironmentVariableIsSet("SWAYSOCK");
    if (placeAtPointer_) menu_.setWindowTitle(kWindowTitle);
    if (!closesWhenLeft_) {
        closesWhenLeft_ = true;
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &menu_, [this](QWindow* now) {
            if (!menu_.isVisible()) return;
            if (now != menu_.windowHandle()) {
                menu_.close();
            } else if (std::exchange(placeAtPointer_, false)) {
                linux_desktop::PlaceAtPointer(kWindowTitle, diagnostics_);
            }
        });
    }
}

QAction* PopupMenu::Action(std::string_view name) const {
    return actions_[layout::MenuIndex(name)];
}

void PopupMenu::OnPickedElsewhere(std::function<void(MenuItem)> picked) {
    const auto entries = layout::PopupMenu();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QObject::connect(actions_[i], &QAction::triggered, &menu_,
                         [this, picked, item = entries[i].item] {
                             if (executing_) return;
                             // Later, like the tray's clicks: the item may hide
                             // and show the tray icon, whose exported menu is
                             // still handling the pick.
                             QMetaObject::invokeMethod(
                                 &menu_, [picked, item] { picked(item); }, Qt::QueuedConnection);
                         });
    }
}

MenuItem PopupMenu::Exec(const QPoint& where) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        KeepFloating();
    }
    executing_ = true;
    const QAction* picked = menu_.exec(where);
    executing_ = false;
    const auto entries = layout::PopupMenu();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (actions_[i] == picked) {
            return entries[i].item;
        }
    }
    return MenuItem::None;
}

}  // namespace plimex::qt

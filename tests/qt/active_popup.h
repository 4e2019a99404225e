#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace plimex::qt::testing {

// Presses a key in the popup menu that is about to open: the menu runs its
// own event loop, so the press is queued before the menu is opened.
inline void PressInActivePopup(Qt::Key key) {
    QTimer::singleShot(0, [key] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QKeySequence(key).toString());
        QApplication::sendEvent(popup, &press);
    });
}

}  // namespace plimex::qt::testing

#include "qt/tray_notification_area.h"

#include <QPixmap>

namespace plimex::qt {
namespace {

constexpr int kEmptyIconPixels = 16;

// An icon added without a picture still holds its place in the tray (and
// still answers clicks), as it does on the shell.
QIcon EmptyIcon() {
    QPixmap transparent(kEmptyIconPixels, kEmptyIconPixels);
    transparent.fill(Qt::transparent);
    return QIcon(transparent);
}

}  // namespace

bool TrayNotificationArea::Add(const TrayIconRecord& record) {
    if (tray_.isVisible()) {
        return false;
    }
    const QIcon picture = icons_.Icon(record.hIcon);
    tray_.setIcon(picture.isNull() ? EmptyIcon() : picture);
    tray_.setToolTip(
        QString::fromWCharArray(record.Tip().data(), static_cast<qsizetype>(record.Tip().size())));
    tray_.show();
    shownId_ = record.uID;
    return true;
}

bool TrayNotificationArea::Delete(const TrayIconRecord& record) {
    if (!tray_.isVisible() || record.uID != shownId_) {
        return false;
    }
    tray_.hide();
    return true;
}

}  // namespace plimex::qt

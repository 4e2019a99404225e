#include "qt/tray_notification_area.h"

#include <QPixmap>

#include "qt/notify_icon_record.h"

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

TrayNotificationArea::TrayNotificationArea(const IconRegistry& icons, const AnsiCodePage& codePage)
    : icons_(icons), codePage_(codePage) {}

bool TrayNotificationArea::ShellNotifyIconA(std::uint32_t message, const NotifyIconBuffer& record) {
    const NotifyIconRecord fields = DecodeNotifyIconRecord(record, codePage_);
    if (message == kNimAdd && !tray_.isVisible()) {
        const QIcon picture = icons_.Icon(fields.hIcon);
        tray_.setIcon(picture.isNull() ? EmptyIcon() : picture);
        tray_.setToolTip(QString::fromStdWString(fields.tip));
        tray_.show();
        shownId_ = fields.uID;
        return true;
    }
    if (message == kNimDelete && tray_.isVisible() && fields.uID == shownId_) {
        tray_.hide();
        return true;
    }
    return false;
}

}  // namespace plimex::qt

#include "qt/tray_notification_area.h"

#include <QPixmap>
#include <utility>

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

TrayNotificationArea::TrayNotificationArea(const IconRegistry& icons) : icons_(icons) {}

void TrayNotificationArea::Connect(std::function<void(TrayIntent)> request) {
    request_ = std::move(request);
}

bool TrayNotificationArea::Add(const TrayIconRecord& record) {
    if (shown_) {
        return false;
    }
    const QIcon picture = icons_.Icon(record.hIcon);
    picture_ = picture.isNull() ? EmptyIcon() : picture;
    tip_ =
        QString::fromWCharArray(record.Tip().data(), static_cast<qsizetype>(record.Tip().size()));
    shown_ = true;
    shownId_ = record.uID;
    ShowIcon();
    return true;
}

bool TrayNotificationArea::Delete(const TrayIconRecord& record) {
    if (!shown_ || record.uID != shownId_) {
        return false;
    }
    shown_ = false;
    if (icon_) icon_->hide();
    return true;
}

// Once made, the icon follows an area that goes and comes back by itself:
// Qt embeds it again in a new XEmbed tray and registers it again with a new
// StatusNotifierWatcher.
void TrayNotificationArea::SetAreaAvailable(bool available) {
    areaAvailable_ = available;
    ShowIcon();
}

void TrayNotificationArea::ShowIcon() {
    if (!shown_ || !areaAvailable_) return;
    if (!icon_) MakeIcon();
    icon_->setIcon(picture_);
    icon_->setToolTip(tip_);
    icon_->show();
}

void TrayNotificationArea::MakeIcon() {
    // The same test as Qt's when it chooses the protocol, made at the same
    // moment.
    protocol_ = CurrentTrayProtocol();
    icon_ = std::make_unique<QSystemTrayIcon>();
    if (protocol_ == TrayProtocol::StatusNotifierItem && menu_ != nullptr) {
        icon_->setContextMenu(menu_);
    }
    // Queued: a toggle from the menu hides and shows the tray icon, which on
    // XEmbed destroys the very window whose click handler is still running.
    QObject::connect(
        icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
        [this](QSystemTrayIcon::ActivationReason reason) {
            if (request_) request_(TrayIntentOf(reason, protocol_));
        },
        Qt::QueuedConnection);
}

}  // namespace plimex::qt

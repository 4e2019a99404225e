#include "qt/tray_icon.h"

#include <QPixmap>
#include <utility>

#include "qt/pictures.h"

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

void QtTrayIcon::Connect(std::function<void(TrayIntent)> request) {
    request_ = std::move(request);
}

bool QtTrayIcon::Add(TrayPicture picture, std::wstring_view tip) {
    if (shown_) {
        return false;
    }
    picture_ = Picture(picture);
    tip_ = QString::fromWCharArray(tip.data(), static_cast<qsizetype>(tip.size()));
    shown_ = true;
    ShowIcon();
    return true;
}

bool QtTrayIcon::Remove() {
    if (!shown_) {
        return false;
    }
    shown_ = false;
    if (icon_) icon_->hide();
    return true;
}

// Once made, the icon follows an area that goes and comes back by itself:
// Qt embeds it again in a new XEmbed tray and registers it again with a new
// StatusNotifierWatcher.
void QtTrayIcon::SetAreaAvailable(bool available) {
    areaAvailable_ = available;
    ShowIcon();
}

// Each picture is made the first time it is asked for: a run that never
// switches the rotation keeps one of them only.
const QIcon& QtTrayIcon::Picture(TrayPicture picture) {
    switch (picture) {
        case TrayPicture::On:
            if (on_.isNull()) on_ = IconFromIconFile(pictures::kAppIcon);
            return on_;
        case TrayPicture::Off:
            if (off_.isNull()) off_ = IconFromKeyedBitmap(pictures::kImageList1);
            return off_;
        case TrayPicture::None:
            break;
    }
    if (empty_.isNull()) empty_ = EmptyIcon();
    return empty_;
}

void QtTrayIcon::ShowIcon() {
    if (!shown_ || !areaAvailable_) return;
    if (!icon_) MakeIcon();
    icon_->setIcon(picture_);
    icon_->setToolTip(tip_);
    icon_->show();
}

void QtTrayIcon::MakeIcon() {
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

#pragma once

#include <QIcon>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "platform/notification_area.h"
#include "qt/icon_registry.h"
#include "qt/tray_activation.h"

namespace plimex::qt {

// The shell's add and delete on one QSystemTrayIcon: the program's icon
// exists once at most. Qt 6.4 chooses the icon's protocol once, when the
// QSystemTrayIcon is made, and never looks again: made while no notification
// area exists, it could never show on Wayland. So it is made only once an
// area exists; until then an added icon waits.
class TrayNotificationArea : public NotificationArea {
  public:
    explicit TrayNotificationArea(const IconRegistry& icons);
    // raise: hands on the tray message (515 or 517) that a click on the icon
    // stands for.
    void Connect(std::function<void(int)> raise);

    // Like the shell: adding while the icon is shown, or deleting an icon
    // (by its identifier) that is not shown, fails and changes nothing.
    bool Add(const TrayIconRecord& record) override;
    bool Delete(const TrayIconRecord& record) override;

    // Whether a notification area exists now (see NotificationAreaWatch).
    void SetAreaAvailable(bool available);

    // Nothing until an added icon found a notification area.
    const QSystemTrayIcon* icon() const { return icon_.get(); }

  private:
    void ShowIcon();
    void MakeIcon();

    const IconRegistry& icons_;
    std::function<void(int)> raise_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    TrayProtocol protocol_ = TrayProtocol::XEmbed;
    bool areaAvailable_ = false;
    bool shown_ = false;
    std::uint32_t shownId_ = 0;
    QIcon picture_;
    QString tip_;
};

}  // namespace plimex::qt

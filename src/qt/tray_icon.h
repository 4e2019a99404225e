#pragma once

#include <QIcon>
#include <QMenu>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "platform/tray_icon.h"
#include "qt/tray_activation.h"

namespace plimex::qt {

// The program's icon on one QSystemTrayIcon: it exists once at most, and it
// holds the on and off pictures itself. Qt 6.4 chooses the icon's protocol
// once, when the QSystemTrayIcon is made, and never looks again: made while
// no notification area exists, it could never show on Wayland. So it is made
// only once an area exists; until then an added icon waits.
class QtTrayIcon : public TrayIcon {
  public:
    // request: hands on what a click on the icon asks for.
    void Connect(std::function<void(TrayIntent)> request);
    // The menu that a StatusNotifierItem host draws itself: most of them
    // (xfce4-panel, lxqt-panel, mate-panel, waybar, GNOME's AppIndicator
    // extension, Cinnamon) only show what the item exports over D-Bus, and
    // GNOME's shows no item without one. XEmbed trays get none: there the
    // program opens its own popup on a right click.
    void ExportMenu(QMenu& menu) { menu_ = &menu; }

    // Adding while the icon is shown, or removing it while it is not, fails
    // and changes nothing.
    bool Add(TrayPicture picture, std::wstring_view tip) override;
    bool Remove() override;

    // Whether a notification area exists now (see NotificationAreaWatch).
    void SetAreaAvailable(bool available);

    // Nothing until an added icon found a notification area.
    const QSystemTrayIcon* icon() const { return icon_.get(); }

  private:
    const QIcon& Picture(TrayPicture picture);
    void ShowIcon();
    void MakeIcon();

    QIcon on_;
    QIcon off_;
    QIcon empty_;
    std::function<void(TrayIntent)> request_;
    QMenu* menu_ = nullptr;
    std::unique_ptr<QSystemTrayIcon> icon_;
    TrayProtocol protocol_ = TrayProtocol::XEmbed;
    bool areaAvailable_ = false;
    bool shown_ = false;
    QIcon picture_;
    QString tip_;
};

}  // namespace plimex::qt

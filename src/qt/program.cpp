#include "qt/program.h"

#include <QGuiApplication>

#include "qt/mounted_volumes.h"

namespace plimex::qt {

Program::Program()
    : window_(codePage_, twips_, icons_, MountedVolumesOfThisMachine()),
      form_(Platform{desktop_, tray_, fileSystem_, random_, codePage_}, window_.Controls(form2_)) {
    window_.Connect(form_);
    // Queued: a toggle from the menu hides and shows the tray icon, which on
    // XEmbed destroys the very window whose click handler is still running.
    QObject::connect(
        &tray_.icon(), &QSystemTrayIcon::activated, &window_,
        [this](QSystemTrayIcon::ActivationReason reason) {
            if (const auto message = TrayMouseMessage(reason, trayProtocol_)) {
                window_.RaiseTrayMessage(*message);
            }
        },
        Qt::QueuedConnection);
    // The session ending unloads like Quitter, so the options are saved.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window_,
                     [this] { window_.RequestUnload(); });
}

void Program::Start() {
    form_.Form_Load();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        window_.KeepReachableWithoutTray();
        window_.Show();
    }
}

}  // namespace plimex::qt

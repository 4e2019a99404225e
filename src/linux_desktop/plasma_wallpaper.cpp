#include "linux_desktop/plasma_wallpaper.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <optional>

#include "linux_desktop/dbus_timeout.h"
#include "linux_desktop/file_uri.h"
#include "linux_desktop/js_string_literal.h"

namespace plimex::linux_desktop {

namespace {

// The file URI is percent-encoded ASCII, yet it still goes in as a fully
// escaped literal: the script must never depend on what the path holds.
QString WallpaperScript(const std::string& uri) {
    return QStringLiteral(
               "const image = %1;\n"
               "for (const desktop of desktops()) {\n"
               "    desktop.wallpaperPlugin = \"org.kde.image\";\n"
               "    desktop.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
               "    desktop.writeConfig(\"Image\", image);\n"
               "}\n")
        .arg(JsStringLiteral(QString::fromStdString(uri)));
}

}  // namespace

bool PlasmaWallpaper::Show(const std::string& path) {
    const std::optional<std::string> uri = FileUri(path);
    if (!uri) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
        QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
    call << WallpaperScript(*uri);
    // Plasma answers with an error when the script fails, for instance while
    // the desktop's widgets are locked.
    const QDBusMessage reply =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kDBusTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace plimex::linux_desktop

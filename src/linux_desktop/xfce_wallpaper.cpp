#include "linux_desktop/xfce_wallpaper.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QScreen>
#include <QStringDecoder>
#include <QStringList>
#include <QThread>
#include <QVariantMap>
#include <optional>
#include <utility>

#include "linux_desktop/dbus_timeout.h"

namespace plimex::linux_desktop {

namespace {

const QString kChannel = QStringLiteral("xfce4-desktop");

QDBusMessage XfconfCall(const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.xfce.Xfconf"),
                                          QStringLiteral("/org/xfce/Xfconf"),
                                          QStringLiteral("org.xfce.Xfconf"), method);
}

bool Succeeded(const QDBusMessage& call, QDBusMessage* reply = nullptr) {
    const QDBusMessage answer =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kDBusTimeoutMs);
    if (reply != nullptr) *reply = answer;
    return answer.type() == QDBusMessage::ReplyMessage;
}

// The screens belong to the GUI thread, which may add or drop one at any
// moment, and the wallpaper is set from another: they are read there. The
// GUI thread never waits for the wallpaper, so the wait always ends.
QStringList ScreenNames() {
    QStringList names;
    const auto read = [&names] {
        for (const QScreen* screen : QGuiApplication::screens()) {
            if (!screen->name().isEmpty()) names << screen->name();
        }
    };
    QCoreApplication* const application = QCoreApplication::instance();
    if (application == nullptr || application->thread() == QThread::currentThread()) {
        read();
    } else {
        QMetaObject::invokeMethod(application, read, Qt::BlockingQueuedConnection);
    }
    return names;
}

// xfconfd answers with an error, not an empty list, when nothing exists
// under /backdrop yet.
bool NothingThere(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ErrorMessage &&
           reply.errorName().startsWith(QLatin1String("org.xfce.Xfconf.Error.")) &&
           reply.errorName().endsWith(QLatin1String("NotFound"));
}

// Every property under /backdrop, with its value.
std::optional<QVariantMap> BackdropProperties() {
    QDBusMessage call = XfconfCall(QStringLiteral("GetAllProperties"));
    call << kChannel << QStringLiteral("/backdrop");
    QDBusMessage reply;
    if (!Succeeded(call, &reply)) {
        if (NothingThere(reply)) return QVariantMap();
        return std::nullopt;
    }
    if (reply.arguments().size() != 1) return std::nullopt;
    // An a{sv} arrives still marshalled.
    const auto marshalled = reply.arguments().first().value<QDBusArgument>();
    if (marshalled.currentSignature() != QLatin1String("a{sv}")) return std::nullopt;
    QVariantMap properties;
    marshalled >> properties;
    return properties;
}

const QString kLastImage = QStringLiteral("last-image");

QStringList LastImageProperties(const QVariantMap& backdrop) {
    QStringList names;
    for (auto it = backdrop.cbegin(); it != backdrop.cend(); ++it) {
        if (it.key().endsWith(QLatin1Char('/') + kLastImage)) names << it.key();
    }
    return names;
}

// xfdesktop's image-style values: 0 shows only the backdrop's colour.
constexpr int kStyleNoPicture = 0;
constexpr int kStyleStretched = 3;

// The placement property beside a last-image property, when it is set to
// show no picture.
std::optional<QString> StyleShowingNoPicture(const QVariantMap& backdrop,
                                             const QString& lastImage) {
    QString style = lastImage;
    style.replace(style.size() - kLastImage.size(), kLastImage.size(),
                  QStringLiteral("image-style"));
    const auto found = backdrop.constFind(style);
    if (found == backdrop.cend() || found->toInt() != kStyleNoPicture) return std::nullopt;
    return style;
}

bool SetProperty(const QString& property, const QVariant& value) {
    QDBusMessage call = XfconfCall(QStringLiteral("SetProperty"));
    call << kChannel << property << QVariant::fromValue(QDBusVariant(value));
    return Succeeded(call);
}

QStringList NewLastImageProperties(const QStringList& monitors) {
    QStringList names;
    for (const QString& monitor : monitors) {
        names << QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(monitor);
    }
    return names;
}

// xfconf strings travel as D-Bus strings, which must be UTF-8; a file name
// that is not cannot be handed over unchanged.
std::optional<QString> Utf8Path(const std::string& path) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(path.data(), static_cast<qsizetype>(path.size())));
    if (decoder.hasError()) return std::nullopt;
    return text;
}

}  // namespace

XfceWallpaper::XfceWallpaper() : XfceWallpaper(&ScreenNames) {}

XfceWallpaper::XfceWallpaper(MonitorNames monitorNames) : monitorNames_(std::move(monitorNames)) {}

bool XfceWallpaper::Show(const std::string& path) {
    const std::optional<QString> value = Utf8Path(path);
    if (!value) return false;
    const std::optional<QVariantMap> backdrop = BackdropProperties();
    if (!backdrop) return false;
    QStringList properties = LastImageProperties(*backdrop);
    if (properties.isEmpty()) properties = NewLastImageProperties(monitorNames_());
    if (properties.isEmpty()) return false;
    // A service that fails once is not asked again: each call may wait for
    // the full timeout.
    for (const QString& property : properties) {
        if (!SetProperty(property, *value)) return false;
        const std::optional<QString> style = StyleShowingNoPicture(*backdrop, property);
        if (style && !SetProperty(*style, kStyleStretched)) return false;
    }
    return true;
}

}  // namespace plimex::linux_desktop

// Stands in for plasmashell and xfconfd on a private session bus. Every call
// it receives is appended to a record file as a QDataStream of the member's
// name and its arguments as strings (a variant's string with its type name
// after it), so that a test can see exactly what arrived.
//
// Usage: fake_desktop_service RECORD_FILE accept|refuse|fresh
// fresh: an XFCE user who never chose a wallpaper, with nothing under
// /backdrop yet.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QDataStream>
#include <QFile>
#include <QStringList>
#include <QVariantMap>

namespace {

class RecordingService : public QDBusVirtualObject {
  public:
    RecordingService(QString recordFile, QString mode)
        : recordFile_(std::move(recordFile)), mode_(std::move(mode)) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        Record(message);
        connection.send(Reply(message));
        return true;
    }

  private:
    void Record(const QDBusMessage& message) const {
        QStringList arguments;
        for (const QVariant& argument : message.arguments()) {
            if (argument.canConvert<QDBusVariant>()) {
                const QVariant inner = argument.value<QDBusVariant>().variant();
                arguments << inner.toString() << QString::fromLatin1(inner.typeName());
            } else {
                arguments << argument.toString();
            }
        }
        QFile file(recordFile_);
        if (!file.open(QIODevice::Append)) qFatal("cannot write the record");
        QDataStream stream(&file);
        stream << message.member() << arguments;
    }

    QDBusMessage Reply(const QDBusMessage& message) const {
        if (mode_ == QLatin1String("refuse")) {
            return message.createErrorReply(QStringLiteral("org.plimex.Test.Refused"),
                                            QStringLiteral("refused"));
        }
        if (message.member() == QLatin1String("GetAllProperties") &&
            mode_ == QLatin1String("fresh")) {
            return message.createErrorReply(
                QStringLiteral("org.xfce.Xfconf.Error.PropertyNotFound"),
                QStringLiteral(
                    "Property \"/backdrop\" does not exist on channel \"xfce4-desktop\""));
        }
        if (message.member() == QLatin1String("GetAllProperties")) {
            // Two monitors, and a property the wallpaper setter must leave alone.
            // Values travel as xfconfd sends them, each in one variant.
            const QString monitor1 = QStringLiteral("/backdrop/screen0/monitorVGA-1/workspace0/");
            const QString monitor2 = QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace1/");
            QVariantMap properties;
            properties[monitor1 + "last-image"] = QStringLiteral("/old/one.png");
            properties[monitor2 + "last-image"] = QStringLiteral("/old/two.png");
            properties[monitor1 + "image-style"] = 5;
            return message.createReply(QVariant::fromValue(properties));
        }
        if (message.member() == QLatin1String("evaluateScript")) {
            return message.createReply(QString());
        }
        return message.createReply();
    }

    QString recordFile_;
    QString mode_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) return 2;
    RecordingService service(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Xfconf's name last: a test waits for it as the sign that both serve.
    if (!bus.registerVirtualObject(QStringLiteral("/PlasmaShell"), &service) ||
        !bus.registerVirtualObject(QStringLiteral("/org/xfce/Xfconf"), &service) ||
        !bus.registerService(QStringLiteral("org.kde.plasmashell")) ||
        !bus.registerService(QStringLiteral("org.xfce.Xfconf"))) {
        return 1;
    }
    return app.exec();
}

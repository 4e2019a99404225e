// Plasma and XFCE against a recording stand-in on a private session bus:
// run under dbus-run-session.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <string>
#include <vector>

#include "linux_desktop/js_string_literal.h"
#include "linux_desktop/plasma_wallpaper.h"
#include "linux_desktop/xfce_wallpaper.h"
#include "posix/scratch_folder.h"

namespace plimex::linux_desktop {
namespace {

struct Call {
    QString member;
    QStringList arguments;
};

// Reads the double-quoted literal at the start of source as a JavaScript
// engine would, for the escapes a literal may hold; what follows the closing
// quote is left in rest. Nothing when it is not a well-formed literal.
std::optional<QString> ParseJsString(QStringView source, QStringView* rest = nullptr) {
    if (source.isEmpty() || source[0] != u'"') return std::nullopt;
    QString text;
    for (qsizetype i = 1; i < source.size(); ++i) {
        const char16_t c = source[i].unicode();
        if (c == u'"') {
            if (rest != nullptr) *rest = source.mid(i + 1);
            return text;
        }
        // A raw line terminator ends a literal with a syntax error.
        if (c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029) return std::nullopt;
        if (c != u'\\') {
            text += QChar(c);
            continue;
        }
        if (++i == source.size()) return std::nullopt;
        switch (source[i].unicode()) {
            case u'n':
                text += u'\n';
                break;
            case u'r':
                text += u'\r';
                break;
            case u't':
                text += u'\t';
                break;
            case u'u': {
                bool ok = false;
                const uint code = source.mid(i + 1, 4).toUInt(&ok, 16);
                if (!ok || source.mid(i + 1, 4).size() != 4) return std::nullopt;
                text += QChar(static_cast<char16_t>(code));
                i += 4;
                break;
            }
            default:
                text += source[i];
                break;
        }
    }
    return std::nullopt;
}

TEST(JsStringLiteral, EvaluatesBackToTheTextAndStaysOnOneLine) {
    const QString text = QString::fromUtf8("\"quoted\" back\\slash\nnew\rline\tté 😀 ") +
                         QChar(0x2028) + QChar(0x2029) + QChar(0) + QStringLiteral("'</script>");
    const QString literal = JsStringLiteral(text);
    QStringView rest;
    EXPECT_EQ(ParseJsString(literal, &rest), text) << literal.toStdString();
    EXPECT_TRUE(rest.isEmpty());
    for (const QChar c : literal) {
        EXPECT_TRUE(c.unicode() >= 0x20 && c.unicode() < 0x7f)
            << "raw character " << static_cast<unsigned>(c.unicode());
    }
}

class DBusWallpaperTest : public ::testing::Test {
  protected:
    void StartService(const char* mode) {
        service_.start(QStringLiteral(FAKE_DESKTOP_SERVICE),
                       {QString::fromStdString(record_), QString::fromLatin1(mode)});
        ASSERT_TRUE(service_.waitForStarted());
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        QElapsedTimer waited;
        waited.start();
        while (!bus->isServiceRegistered(QStringLiteral("org.xfce.Xfconf")) &&
               waited.elapsed() < 5000) {
            QThread::msleep(10);
        }
        ASSERT_TRUE(bus->isServiceRegistered(QStringLiteral("org.xfce.Xfconf")));
    }

    void TearDown() override {
        service_.kill();
        service_.waitForFinished();
    }

    std::vector<Call> Calls() const {
        QFile file(QString::fromStdString(record_));
        std::vector<Call> calls;
        if (!file.open(QIODevice::ReadOnly)) return calls;
        QDataStream stream(&file);
        while (!stream.atEnd()) {
            Call call;
            stream >> call.member >> call.arguments;
            calls.push_back(call);
        }
        return calls;
    }

    ScratchFolder folder_;
    const std::string record_ = folder_ / "record";
    const std::string path_ = folder_ / kAwkwardLeaf;
    QProcess service_;
};

// The script's image literal, evaluated, and the file URI in it decoded.
QByteArray ImagePathOfScript(const QString& script) {
    const QString marker = QStringLiteral("const image = ");
    const qsizetype at = script.indexOf(marker);
    if (at < 0) return "<no image literal>";
    const std::optional<QString> uri = ParseJsString(QStringView(script).mid(at + marker.size()));
    if (!uri || !uri->startsWith(QLatin1String("file://"))) return "<not a file URI>";
    return QByteArray::fromPercentEncoding(uri->mid(7).toLatin1());
}

TEST_F(DBusWallpaperTest, PlasmaGetsAScriptWhoseImageIsThePathIntact) {
    StartService("accept");
    const std::string path = path_ + "\xe9";
    ASSERT_TRUE(PlasmaWallpaper().Show(path));

    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].member, "evaluateScript");
    ASSERT_EQ(calls[0].arguments.size(), 1);
    const QString script = calls[0].arguments[0];
    EXPECT_EQ(ImagePathOfScript(script).toStdString(), path) << script.toStdString();
    EXPECT_TRUE(script.contains(QLatin1String("\"org.kde.image\"")));
}

TEST_F(DBusWallpaperTest, XfceGetsThePathOnEveryLastImageProperty) {
    StartService("accept");
    ASSERT_TRUE(XfceWallpaper().Show(path_));

    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].member, "GetAllProperties");
    EXPECT_EQ(calls[0].arguments, (QStringList{"xfce4-desktop", "/backdrop"}));
    QStringList properties;
    for (std::size_t i = 1; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].member, "SetProperty");
        ASSERT_EQ(calls[i].arguments.size(), 4);
        EXPECT_EQ(calls[i].arguments[0], "xfce4-desktop");
        properties << calls[i].arguments[1];
        EXPECT_EQ(calls[i].arguments[2].toStdString(), path_);
        EXPECT_EQ(calls[i].arguments[3], "QString") << "xfconf wants a string value";
    }
    properties.sort();
    EXPECT_EQ(properties, (QStringList{"/backdrop/screen0/monitorHDMI-1/workspace1/last-image",
                                       "/backdrop/screen0/monitorVGA-1/workspace0/last-image"}));
}

TEST_F(DBusWallpaperTest, XfceWithoutBackdropPropertiesGetsOnePerMonitor) {
    StartService("fresh");
    XfceWallpaper xfce([] { return QStringList{"eDP-1", "HDMI-A-1"}; });
    ASSERT_TRUE(xfce.Show(path_));

    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].member, "GetAllProperties");
    EXPECT_EQ(calls[1].arguments,
              (QStringList{"xfce4-desktop", "/backdrop/screen0/monitoreDP-1/workspace0/last-image",
                           QString::fromStdString(path_), "QString"}));
    EXPECT_EQ(
        calls[2].arguments,
        (QStringList{"xfce4-desktop", "/backdrop/screen0/monitorHDMI-A-1/workspace0/last-image",
                     QString::fromStdString(path_), "QString"}));

    EXPECT_FALSE(XfceWallpaper([] { return QStringList(); }).Show(path_)) << "no monitor to name";
}

TEST_F(DBusWallpaperTest, XfceCannotTakeANameThatIsNotUtf8) {
    StartService("accept");
    EXPECT_FALSE(XfceWallpaper().Show(path_ + "\xe9"));
    EXPECT_TRUE(Calls().empty());
}

TEST_F(DBusWallpaperTest, RefusalsAreReported) {
    StartService("refuse");
    EXPECT_FALSE(PlasmaWallpaper().Show(path_));
    EXPECT_FALSE(XfceWallpaper().Show(path_));
}

TEST_F(DBusWallpaperTest, AMissingServiceFailsWithoutHanging) {
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(PlasmaWallpaper().Show(path_));
    EXPECT_FALSE(XfceWallpaper().Show(path_));
    EXPECT_LT(elapsed.elapsed(), 6000);
}

}  // namespace
}  // namespace plimex::linux_desktop

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

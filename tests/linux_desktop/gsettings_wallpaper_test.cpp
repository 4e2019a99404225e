#include "linux_desktop/gsettings_wallpaper.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <string>

#include "linux_desktop/glib_ptr.h"
#include "posix/scratch_folder.h"

// Runs on GSettings' memory backend, with the system's GNOME schemas and the
// Cinnamon and MATE schemas of this folder on GSETTINGS_SCHEMA_DIR.

namespace plimex::linux_desktop {
namespace {

struct GObjectDeleter {
    void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter>;

GObjectPtr<GSettings> Settings(const char* schemaId) {
    return GObjectPtr<GSettings>(g_settings_new(schemaId));
}

std::string StringSetting(const char* schemaId, const char* key) {
    const GCharPtr value(g_settings_get_string(Settings(schemaId).get(), key));
    return value.get();
}

// What the desktop makes of the URI: GNOME's background reads it through GFile.
std::string PathOfUri(const std::string& uri) {
    const GObjectPtr<GFile> file(g_file_new_for_uri(uri.c_str()));
    const GCharPtr path(g_file_get_path(file.get()));
    return path ? path.get() : "<not a local file>";
}

class GSettingsWallpaperTest : public ::testing::Test {
  protected:
    ScratchFolder pictures_;
    // Blanks, quotes, '#', '%', a line break, accented letters and a byte
    // that is not UTF-8.
    const std::string path_ = pictures_ / (kAwkwardLeaf + "\xe9");
};

TEST_F(GSettingsWallpaperTest, GnomeGetsTheFileUriForLightAndDarkStyle) {
    ASSERT_TRUE(GSettingsWallpaper::Gnome().Show(path_));

    const std::string uri = StringSetting("org.gnome.desktop.background", "picture-uri");
    EXPECT_EQ(uri.rfind("file:///", 0), 0u) << uri;
    EXPECT_EQ(uri.find_first_of(" #\"\n\\"), std::string::npos) << uri;
    EXPECT_NE(uri.find("%20"), std::string::npos) << uri;
    EXPECT_NE(uri.find("%23"), std::string::npos) << uri;
    EXPECT_NE(uri.find("100%25"), std::string::npos) << uri;
    EXPECT_NE(uri.find("%0A%C3%A9t%C3%A9.bmp%E9"), std::string::npos) << uri;
    EXPECT_EQ(PathOfUri(uri), path_);
    EXPECT_EQ(StringSetting("org.gnome.desktop.background", "picture-uri-dark"), uri);
}

TEST_F(GSettingsWallpaperTest, TheUsersPlacementIsKeptUnlessItShowsNoPicture) {
    const auto settings = Settings("org.gnome.desktop.background");
    g_settings_set_string(settings.get(), "picture-options", "centered");
    ASSERT_TRUE(GSettingsWallpaper::Gnome().Show(pictures_ / "a.bmp"));
    EXPECT_EQ(StringSetting("org.gnome.desktop.background", "picture-options"), "centered");

    g_settings_set_string(settings.get(), "picture-options", "none");
    ASSERT_TRUE(GSettingsWallpaper::Gnome().Show(pictures_ / "b.bmp"));
    EXPECT_EQ(StringSetting("org.gnome.desktop.background", "picture-options"), "stretched");
}

TEST_F(GSettingsWallpaperTest, CinnamonGetsTheFileUri) {
    ASSERT_TRUE(GSettingsWallpaper::Cinnamon().Show(path_));
    EXPECT_EQ(PathOfUri(StringSetting("org.cinnamon.desktop.background", "picture-uri")), path_);
}

TEST_F(GSettingsWallpaperTest, MateGetsThePlainPathWhenItIsUtf8) {
    const std::string utf8Path = pictures_ / kAwkwardLeaf;
    ASSERT_TRUE(GSettingsWallpaper::Mate().Show(utf8Path));
    EXPECT_EQ(StringSetting("org.mate.background", "picture-filename"), utf8Path);

    // A string setting cannot hold other bytes; the setting stays as it was.
    EXPECT_FALSE(GSettingsWallpaper::Mate().Show(path_));
    EXPECT_EQ(StringSetting("org.mate.background", "picture-filename"), utf8Path);
}

TEST_F(GSettingsWallpaperTest, KeysTheSchemaLacksAreLeftOut) {
    GSettingsWallpaper older("org.plimex.test.background", {"picture-uri", "picture-uri-dark"},
                             GSettingsWallpaper::ValueForm::kFileUri);
    ASSERT_TRUE(older.Show(path_));
    EXPECT_EQ(PathOfUri(StringSetting("org.plimex.test.background", "picture-uri")), path_);
}

TEST_F(GSettingsWallpaperTest, AMissingSchemaOrKeyIsAFailureNotAnAbort) {
    EXPECT_FALSE(GSettingsWallpaper("org.plimex.test.absent", {"picture-uri"},
                                    GSettingsWallpaper::ValueForm::kFileUri)
                     .Show(path_));
    EXPECT_FALSE(GSettingsWallpaper("org.gnome.desktop.interface", {"picture-uri"},
                                    GSettingsWallpaper::ValueForm::kFileUri)
                     .Show(path_));
}

TEST_F(GSettingsWallpaperTest, ARelativePathHasNoFileUri) {
    const std::string before = StringSetting("org.gnome.desktop.background", "picture-uri");
    EXPECT_FALSE(GSettingsWallpaper::Gnome().Show("relative/a.bmp"));
    EXPECT_EQ(StringSetting("org.gnome.desktop.background", "picture-uri"), before);
}

// Run alone, in a process that sees no schemas at all.
TEST(GSettingsWithoutSchemas, NothingIsWrittenAndNothingAborts) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source != nullptr ? g_settings_schema_source_lookup(
                                                      source, "org.gnome.desktop.background", TRUE)
                                                : nullptr;
    if (schema != nullptr) g_settings_schema_unref(schema);
    ASSERT_EQ(schema, nullptr) << "this test needs an environment without the GNOME schemas";
    EXPECT_FALSE(GSettingsWallpaper::Gnome().Show("/a.bmp"));
}

// The process that owns a name on the session bus.
pid_t OwnerOf(const char* name) {
    const GObjectPtr<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (!bus) return 0;
    GVariant* reply = g_dbus_connection_call_sync(
        bus.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "GetConnectionUnixProcessID", g_variant_new("(s)", name), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    if (reply == nullptr) return 0;
    guint32 pid = 0;
    g_variant_get(reply, "(u)", &pid);
    g_variant_unref(reply);
    return static_cast<pid_t>(pid);
}

// On dconf, on the test's own session bus: once dconf stops answering, a
// change is given up within seconds, not GLib's 25, and is a failure.
TEST(GSettingsOnDconf, AServiceThatStopsAnsweringIsAFailureWithinSeconds) {
    GSettingsWallpaper gnome = GSettingsWallpaper::Gnome();
    ASSERT_TRUE(gnome.Show("/answered.bmp")) << gnome.failure();
    const pid_t dconf = OwnerOf("ca.desrt.dconf");
    ASSERT_GT(dconf, 0);
    ASSERT_EQ(kill(dconf, SIGSTOP), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(gnome.Show("/unanswered.bmp"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_NE(gnome.failure().find("did not confirm"), std::string::npos) << gnome.failure();
    kill(dconf, SIGCONT);
}

}  // namespace
}  // namespace plimex::linux_desktop

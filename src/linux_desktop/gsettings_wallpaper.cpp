#include "linux_desktop/gsettings_wallpaper.h"

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>

#include "linux_desktop/dbus_timeout.h"
#include "linux_desktop/file_uri.h"
#include "linux_desktop/gio_library.h"
#include "linux_desktop/glib_ptr.h"

namespace plimex::linux_desktop {

namespace {

// Owners of what GIO hands over, released through the loaded library.
struct SchemaDeleter {
    const GioLibrary* gio;
    void operator()(GSettingsSchema* schema) const { gio->settings_schema_unref(schema); }
};
using SchemaPtr = std::unique_ptr<GSettingsSchema, SchemaDeleter>;
struct SettingsDeleter {
    const GioLibrary* gio;
    void operator()(GSettings* settings) const { gio->object_unref(settings); }
};
using SettingsPtr = std::unique_ptr<GSettings, SettingsDeleter>;

// g_settings_new() aborts the process for a schema that is not installed, so
// the schema is looked up first and a missing one is an ordinary failure.
SchemaPtr LookUpSchema(const GioLibrary& gio, const std::string& schemaId) {
    GSettingsSchemaSource* source = gio.settings_schema_source_get_default();
    if (source == nullptr) return SchemaPtr(nullptr, {&gio});
    return SchemaPtr(gio.settings_schema_source_lookup(source, schemaId.c_str(), TRUE), {&gio});
}

std::optional<std::string> SettingValue(const std::string& path,
                                        GSettingsWallpaper::ValueForm form) {
    if (form == GSettingsWallpaper::ValueForm::kFileUri) return FileUri(path);
    // A string setting must be UTF-8; a file name that is not cannot be
    // stored without changing it.
    if (!g_utf8_validate(path.data(), static_cast<gssize>(path.size()), nullptr)) {
        return std::nullopt;
    }
    return path;
}

// A desktop set to show only its colour would hide the new picture.
void ShowAPicture(const GioLibrary& gio, GSettings* settings, GSettingsSchema* schema) {
    constexpr const char* kPlacement = "picture-options";
    if (!gio.settings_schema_has_key(schema, kPlacement)) return;
    const GCharPtr placement(gio.settings_get_string(settings, kPlacement));
    if (std::string_view(placement.get()) == "none") {
        gio.settings_set_string(settings, kPlacement, "stretched");
    }
}

// The write goes out to dconf in the background; waiting for it keeps the
// setting even if the program ends right after. GLib waits up to 25 s for a
// dconf that does not answer, so the wait runs on a thread of its own and is
// given up sooner; the thread ends at GLib's own timeout.
bool Synced(const GioLibrary& gio) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> synced = done->get_future();
    std::thread([done, &gio] {
        gio.settings_sync();
        done->set_value();
    }).detach();
    return synced.wait_for(std::chrono::milliseconds(kDBusTimeoutMs)) == std::future_status::ready;
}

}  // namespace

GSettingsWallpaper::GSettingsWallpaper(std::string schemaId, std::vector<std::string> keys,
                                       ValueForm form)
    : schemaId_(std::move(schemaId)), keys_(std::move(keys)), form_(form) {}

GSettingsWallpaper GSettingsWallpaper::Gnome() {
    // Since GNOME 42 the dark style shows picture-uri-dark; older releases
    // have no such key.
    return GSettingsWallpaper("org.gnome.desktop.background", {"picture-uri", "picture-uri-dark"},
                              ValueForm::kFileUri);
}

GSettingsWallpaper GSettingsWallpaper::Cinnamon() {
    return GSettingsWallpaper("org.cinnamon.desktop.background", {"picture-uri"},
                              ValueForm::kFileUri);
}

GSettingsWallpaper GSettingsWallpaper::Mate() {
    return GSettingsWallpaper("org.mate.background", {"picture-filename"}, ValueForm::kPlainPath);
}

bool GSettingsWallpaper::Show(const std::string& path) {
    std::string loadFailure;
    const GioLibrary* loaded = GioLibrary::Load(loadFailure);
    if (loaded == nullptr) return Failed(loadFailure);
    const GioLibrary& gio = *loaded;
    const SchemaPtr schema = LookUpSchema(gio, schemaId_);
    if (!schema) return false;
    const std::optional<std::string> value = SettingValue(path, form_);
    if (!value) return false;

    const SettingsPtr settings(gio.settings_new_full(schema.get(), nullptr, nullptr), {&gio});
    // Both keys change in one step, so the desktop redraws once.
    gio.settings_delay(settings.get());
    bool wroteAny = false;
    std::string writtenKey;
    bool allWritten = true;
    for (const std::string& key : keys_) {
        if (!gio.settings_schema_has_key(schema.get(), key.c_str())) continue;
        wroteAny = true;
        writtenKey = key;
        allWritten =
            gio.settings_set_string(settings.get(), key.c_str(), value->c_str()) && allWritten;
    }
    if (wroteAny) ShowAPicture(gio, settings.get(), schema.get());
    gio.settings_apply(settings.get());
    if (!wroteAny || !allWritten) return false;
    if (!Synced(gio)) {
        return Failed("the settings service (dconf) did not confirm the change within 2.5 s");
    }
    // A change the service refused has been undone by now.
    const GCharPtr stored(gio.settings_get_string(settings.get(), writtenKey.c_str()));
    if (*value != stored.get()) return Failed("the settings service (dconf) refused the change");
    return true;
}

}  // namespace plimex::linux_desktop

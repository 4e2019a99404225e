#include "linux_desktop/gio_library.h"

#include <dlfcn.h>

#include <optional>
#include <utility>

namespace plimex::linux_desktop {
namespace {

constexpr const char* kGioFile = "libgio-2.0.so.0";

template <typename Function>
void Resolve(void* library, const char* name, Function& function, std::string& missing) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    if (function == nullptr && missing.empty()) missing = name;
}

std::pair<std::optional<GioLibrary>, std::string> Loaded() {
    void* library = ::dlopen(kGioFile, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* error = ::dlerror();
        return {std::nullopt, std::string("GIO cannot be loaded: ") + (error ? error : kGioFile)};
    }
    GioLibrary gio{};
    std::string missing;
    Resolve(library, "g_settings_schema_source_get_default", gio.settings_schema_source_get_default,
            missing);
    Resolve(library, "g_settings_schema_source_lookup", gio.settings_schema_source_lookup, missing);
    Resolve(library, "g_settings_schema_has_key", gio.settings_schema_has_key, missing);
    Resolve(library, "g_settings_schema_unref", gio.settings_schema_unref, missing);
    Resolve(library, "g_settings_new_full", gio.settings_new_full, missing);
    Resolve(library, "g_settings_delay", gio.settings_delay, missing);
    Resolve(library, "g_settings_apply", gio.settings_apply, missing);
    Resolve(library, "g_settings_sync", gio.settings_sync, missing);
    Resolve(library, "g_settings_get_string", gio.settings_get_string, missing);
    Resolve(library, "g_settings_set_string", gio.settings_set_string, missing);
    Resolve(library, "g_object_unref", gio.object_unref, missing);
    if (!missing.empty()) {
        return {std::nullopt, std::string(kGioFile) + " lacks " + missing};
    }
    return {gio, {}};
}

}  // namespace

const GioLibrary* GioLibrary::Load(std::string& failure) {
    static const auto loaded = Loaded();
    failure = loaded.second;
    return loaded.first ? &*loaded.first : nullptr;
}

}  // namespace plimex::linux_desktop

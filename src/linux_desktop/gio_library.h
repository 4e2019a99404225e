#pragma once

#include <gio/gio.h>

#include <string>

namespace plimex::linux_desktop {

// The few GSettings calls of the GNOME family's route, from GIO loaded the
// first time that route runs. Linked in, GIO and GObject would be loaded,
// relocated and initialised by every run of the program, on every desktop,
// for about a megabyte of memory that most runs never use.
struct GioLibrary {
    decltype(&g_settings_schema_source_get_default) settings_schema_source_get_default;
    decltype(&g_settings_schema_source_lookup) settings_schema_source_lookup;
    decltype(&g_settings_schema_has_key) settings_schema_has_key;
    decltype(&g_settings_schema_unref) settings_schema_unref;
    decltype(&g_settings_new_full) settings_new_full;
    decltype(&g_settings_delay) settings_delay;
    decltype(&g_settings_apply) settings_apply;
    decltype(&g_settings_sync) settings_sync;
    decltype(&g_settings_get_string) settings_get_string;
    decltype(&g_settings_set_string) settings_set_string;
    decltype(&g_object_unref) object_unref;

    // Loaded once for the rest of the run (GObject's types cannot be
    // unloaded); nothing, and why in failure, when it cannot be.
    static const GioLibrary* Load(std::string& failure);
};

}  // namespace plimex::linux_desktop

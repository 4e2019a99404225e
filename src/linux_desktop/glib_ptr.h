#pragma once

#include <glib.h>

#include <memory>

namespace plimex::linux_desktop {

// Owning pointers for the GLib objects this library holds, freed with the
// function GLib documents for each.
struct GFreeDeleter {
    void operator()(void* memory) const { g_free(memory); }
};
struct GErrorDeleter {
    void operator()(GError* error) const { g_error_free(error); }
};

using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;
using GErrorPtr = std::unique_ptr<GError, GErrorDeleter>;

}  // namespace plimex::linux_desktop

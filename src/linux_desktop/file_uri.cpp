#include "linux_desktop/file_uri.h"

#include "linux_desktop/glib_ptr.h"

namespace plimex::linux_desktop {

std::optional<std::string> FileUri(const std::string& path) {
    // GLib's encoder is the one the GNOME family decodes with.
    GError* error = nullptr;
    const GCharPtr uri(g_filename_to_uri(path.c_str(), nullptr, &error));
    const GErrorPtr owned(error);
    if (!uri) return std::nullopt;
    return std::string(uri.get());
}

}  // namespace plimex::linux_desktop

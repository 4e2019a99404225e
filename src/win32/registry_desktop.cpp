#include "win32/registry_desktop.h"

#include <string>

#include "win32/bitmap_file.h"
#include "win32/handles.h"
#include "win32/windows_api.h"

namespace plimex::win32 {
namespace {

// The system's own words for an error code, without the line break it ends with.
std::string SystemErrorText(DWORD error) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) {
        reason.pop_back();
    }
    return "error " + std::to_string(error) + (reason.empty() ? "" : " (" + reason + ")");
}

// The picture the desktop shows now, as the system reports it.
std::string ShownWallpaper() {
    char path[MAX_PATH + 1] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

}  // namespace

void RegistryDesktop::StoreWallpaper(const std::string& path) {
    HKEY opening = nullptr;
    const LONG opened =
        RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_WRITE, &opening);
    // Writing through or closing a key that never opened would hand the
    // system a stale handle.
    const UniqueKey key(opened == ERROR_SUCCESS ? opening : nullptr);
    if (!key) {
        diagnostics_.ReportFailure("RegOpenKeyExA Control Panel\\Desktop", path,
                                   SystemErrorText(static_cast<DWORD>(opened)));
        return;
    }
    // The data is the path and its terminating null.
    const LONG written = RegSetValueExA(key.get(), "Wallpaper", 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(path.c_str()),
                                        static_cast<DWORD>(path.size() + 1));
    if (written != ERROR_SUCCESS) {
        diagnostics_.ReportFailure("RegSetValueExA Wallpaper", path,
                                   SystemErrorText(static_cast<DWORD>(written)));
    }
}

bool RegistryDesktop::SetWallpaper(const std::string& path) {
    // Nothing the system would choke on reaches the setting: the desktop
    // reads it again at every start.
    const BitmapFile picture(path);
    if (!picture.failure().empty()) {
        diagnostics_.ReportFailure("Windows wallpaper", path, "not shown: " + picture.failure());
        return false;
    }
    StoreWallpaper(path);
    // The call takes a non-const buffer although it only reads the path.
    std::string buffer = path;
    SetLastError(ERROR_SUCCESS);
    if (SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, buffer.data(), SPIF_SENDCHANGE) != FALSE) {
        return true;
    }
    diagnostics_.ReportFailure(
        "SystemParametersInfoA", path,
        "the system did not take the wallpaper: " + SystemErrorText(GetLastError()));
    // The setting must keep naming the picture that still shows.
    StoreWallpaper(ShownWallpaper());
    return false;
}

}  // namespace plimex::win32

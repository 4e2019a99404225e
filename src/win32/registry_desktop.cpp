#include "win32/registry_desktop.h"

#include <algorithm>
#include <string>

#include "win32/handle_width.h"

namespace plimex::win32 {
namespace {

HKEY ToHkey(Desktop::KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

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

}  // namespace

HKEY RootKey(std::uint32_t root) {
    return WidenHandle<HKEY>(root);
}

long RegistryDesktop::RegOpenKeyExA(std::uint32_t root, const std::string& subKey,
                                    std::uint32_t options, std::uint32_t access, KeyHandle& key) {
    HKEY opened = nullptr;
    const LONG result = ::RegOpenKeyExA(RootKey(root), subKey.c_str(), options,
                                        static_cast<REGSAM>(access), &opened);
    key = reinterpret_cast<KeyHandle>(opened);
    return result;
}

long RegistryDesktop::RegSetValueExA(KeyHandle key, const std::string& valueName,
                                     std::uint32_t reserved, std::uint32_t type,
                                     const std::string& data, std::uint32_t size) {
    // Never let the system read past the bytes we hold, whatever size says.
    const auto bounded = static_cast<DWORD>(std::min<std::size_t>(size, data.size()));
    return ::RegSetValueExA(ToHkey(key), valueName.c_str(), reserved, type,
                            reinterpret_cast<const BYTE*>(data.data()), bounded);
}

long RegistryDesktop::RegCloseKey(KeyHandle key) {
    return ::RegCloseKey(ToHkey(key));
}

bool RegistryDesktop::SystemParametersInfoA(std::uint32_t action, std::uint32_t param,
                                            const std::string& path, std::uint32_t winIni) {
    // The call takes a non-const buffer although it only reads the path.
    std::string buffer = path;
    SetLastError(ERROR_SUCCESS);
    if (::SystemParametersInfoA(action, param, buffer.data(), winIni) != 0) {
        return true;
    }
    diagnostics_.ReportFailure(
        "SystemParametersInfoA", path,
        "the system did not take the wallpaper: " + SystemErrorText(GetLastError()));
    return false;
}

}  // namespace plimex::win32

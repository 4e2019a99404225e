#include "win32/registry_desktop.h"

#include <algorithm>

#include "win32/windows_api.h"

namespace plimex::win32 {
namespace {

HKEY ToHkey(std::uintptr_t value) {
    return reinterpret_cast<HKEY>(value);
}

}  // namespace

long RegistryDesktop::RegOpenKeyExA(std::uint32_t root, const std::string& subKey,
                                    std::uint32_t options, std::uint32_t access, KeyHandle& key) {
    HKEY opened = nullptr;
    const LONG result = ::RegOpenKeyExA(ToHkey(static_cast<std::uintptr_t>(root)), subKey.c_str(),
                                        options, static_cast<REGSAM>(access), &opened);
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
    return ::SystemParametersInfoA(action, param, buffer.data(), winIni) != 0;
}

}  // namespace plimex::win32

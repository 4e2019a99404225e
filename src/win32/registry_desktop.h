#pragma once

#include "platform/desktop.h"
#include "platform/diagnostics.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The real registry and wallpaper call: the core passes the Windows
// arguments through unchanged. A wallpaper call the system refuses is
// reported with the system's reason.
class RegistryDesktop : public Desktop {
  public:
    explicit RegistryDesktop(Diagnostics& diagnostics) : diagnostics_(diagnostics) {}

    long RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, KeyHandle& key) override;
    long RegSetValueExA(KeyHandle key, const std::string& valueName, std::uint32_t reserved,
                        std::uint32_t type, const std::string& data, std::uint32_t size) override;
    long RegCloseKey(KeyHandle key) override;
    bool SystemParametersInfoA(std::uint32_t action, std::uint32_t param, const std::string& path,
                               std::uint32_t winIni) override;

  private:
    Diagnostics& diagnostics_;
};

// The system's key for a root that the core names by its 32-bit value.
HKEY RootKey(std::uint32_t root);

}  // namespace plimex::win32

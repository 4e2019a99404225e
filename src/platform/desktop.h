#pragma once

#include <cstdint>
#include <string>

namespace plimex {

// The per-user desktop settings and the system's set-wallpaper call, with the
// arguments of the Windows API. A platform without a registry maps the one key
// and value the program writes onto its own persistent wallpaper setting.
class Desktop {
  public:
    using KeyHandle = std::uintptr_t;

    static constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
    static constexpr std::uint32_t kKeyWrite = 0x20006u;
    static constexpr std::uint32_t kRegSz = 1;
    static constexpr std::uint32_t kSpiSetDeskWallpaper = 20;
    static constexpr std::uint32_t kSpifSendChange = 2;

    virtual ~Desktop() = default;
    virtual long RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, KeyHandle& key) = 0;
    // data holds the value's bytes including its terminating null; size is
    // what is handed to the system as the data size.
    virtual long RegSetValueExA(KeyHandle key, const std::string& valueName, std::uint32_t reserved,
                                std::uint32_t type, const std::string& data,
                                std::uint32_t size) = 0;
    virtual long RegCloseKey(KeyHandle key) = 0;
    virtual bool SystemParametersInfoA(std::uint32_t action, std::uint32_t param,
                                       const std::string& path, std::uint32_t winIni) = 0;
};

}  // namespace plimex

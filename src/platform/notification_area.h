#pragma once

#include <array>
#include <cstdint>

namespace plimex {

// The 88-byte first form of NOTIFYICONDATAA, little-endian, as the shell reads it.
using NotifyIconBuffer = std::array<std::uint8_t, 88>;

class NotificationArea {
  public:
    static constexpr std::uint32_t kNimAdd = 0;
    static constexpr std::uint32_t kNimDelete = 2;

    virtual ~NotificationArea() = default;
    virtual bool ShellNotifyIconA(std::uint32_t message, const NotifyIconBuffer& record) = 0;
};

}  // namespace plimex

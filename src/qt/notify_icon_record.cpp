#include "qt/notify_icon_record.h"

#include <algorithm>
#include <string_view>

namespace plimex::qt {
namespace {

constexpr std::size_t kUidOffset = 8;
constexpr std::size_t kIconOffset = 20;
constexpr std::size_t kTipOffset = 24;

std::uint32_t LittleEndianAt(const NotifyIconBuffer& buffer, std::size_t offset) {
    return static_cast<std::uint32_t>(buffer[offset]) |
           static_cast<std::uint32_t>(buffer[offset + 1]) << 8 |
           static_cast<std::uint32_t>(buffer[offset + 2]) << 16 |
           static_cast<std::uint32_t>(buffer[offset + 3]) << 24;
}

}  // namespace

NotifyIconRecord DecodeNotifyIconRecord(const NotifyIconBuffer& buffer,
                                        const AnsiCodePage& codePage) {
    const auto tipBegin = buffer.begin() + kTipOffset;
    const auto tipEnd = std::find(tipBegin, buffer.end(), std::uint8_t{0});
    const std::string tip(tipBegin, tipEnd);
    return {LittleEndianAt(buffer, kUidOffset), LittleEndianAt(buffer, kIconOffset),
            codePage.FromAnsi(tip)};
}

}  // namespace plimex::qt

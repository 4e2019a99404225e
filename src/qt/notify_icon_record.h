#pragma once

#include <cstdint>
#include <string>

#include "platform/ansi_code_page.h"
#include "platform/notification_area.h"

namespace plimex::qt {

// The fields of the shell's 88-byte record that a notification area uses.
struct NotifyIconRecord {
    std::uint32_t uID = 0;
    std::uint32_t hIcon = 0;
    std::wstring tip;  // up to the first NUL of the 64-byte tip
};

NotifyIconRecord DecodeNotifyIconRecord(const NotifyIconBuffer& buffer,
                                        const AnsiCodePage& codePage);

}  // namespace plimex::qt

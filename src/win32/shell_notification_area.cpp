#include "win32/shell_notification_area.h"

#include <algorithm>

#include "core/tray_icon_record.h"
#include "win32/handle_width.h"

namespace plimex::win32 {
namespace {

std::uint32_t Uint32At(const NotifyIconBuffer& record, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(record[offset + i]) << (8 * i);
    }
    return value;
}

}  // namespace

NOTIFYICONDATAA ToNotifyIconData(const NotifyIconBuffer& record) {
    // The record is the shell's first form with 32-bit handles. A 32-bit
    // program's first form is that very layout; a 64-bit one has wider
    // handles and padding, hence another size.
    NOTIFYICONDATAA data{};
    const std::uint32_t size = Uint32At(record, 0);
    data.cbSize = size == TrayIconRecord::kRecordSize ? NOTIFYICONDATAA_V1_SIZE : size;
    data.hWnd = WidenHandle<HWND>(Uint32At(record, 4));
    data.uID = Uint32At(record, 8);
    data.uFlags = Uint32At(record, 12);
    data.uCallbackMessage = Uint32At(record, 16);
    data.hIcon = WidenHandle<HICON>(Uint32At(record, 20));
    std::copy_n(record.begin() + 24, TrayIconRecord::kTipLength, data.szTip);
    return data;
}

bool ShellNotificationArea::ShellNotifyIconA(std::uint32_t message,
                                             const NotifyIconBuffer& record) {
    NOTIFYICONDATAA data = ToNotifyIconData(record);
    const bool done = ::Shell_NotifyIconA(message, &data) != 0;
    if (message == NIM_ADD) {
        shown_ = record;
    }
    if (message == NIM_DELETE) {
        shown_.reset();
    }
    return done;
}

void ShellNotificationArea::RestoreAfterShellRestart() {
    if (shown_) {
        NOTIFYICONDATAA data = ToNotifyIconData(*shown_);
        ::Shell_NotifyIconA(NIM_ADD, &data);
    }
}

}  // namespace plimex::win32

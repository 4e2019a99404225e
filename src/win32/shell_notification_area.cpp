#include "win32/shell_notification_area.h"

#include <cstring>

namespace plimex::win32 {

static_assert(NOTIFYICONDATAA_V1_SIZE == std::tuple_size_v<NotifyIconBuffer>,
              "the core's record is the first form of NOTIFYICONDATAA");

NOTIFYICONDATAA ToNotifyIconData(const NotifyIconBuffer& record) {
    NOTIFYICONDATAA data{};
    std::memcpy(&data, record.data(), record.size());
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

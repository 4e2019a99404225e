#pragma once

#include <optional>

#include "platform/notification_area.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The shell's notification area. It remembers the icon it last added so
// that the icon can come back when the shell itself restarts.
class ShellNotificationArea : public NotificationArea {
  public:
    bool ShellNotifyIconA(std::uint32_t message, const NotifyIconBuffer& record) override;
    // Adds the shown icon again, after the shell announced a new taskbar.
    void RestoreAfterShellRestart();

  private:
    std::optional<NotifyIconBuffer> shown_;
};

// The record as this program's own NOTIFYICONDATAA, first form: at 32 bits
// byte for byte the record, at 64 bits the same fields with widened handles.
// What lies beyond the first form stays zero.
NOTIFYICONDATAA ToNotifyIconData(const NotifyIconBuffer& record);

}  // namespace plimex::win32

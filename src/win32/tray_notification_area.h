#pragma once

#include <optional>

#include "platform/ansi_code_page.h"
#include "platform/notification_area.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The shell's notification area. It remembers the icon it last added so
// that the icon can come back when the shell itself restarts.
class TrayNotificationArea : public NotificationArea {
  public:
    explicit TrayNotificationArea(const AnsiCodePage& codePage) : codePage_(codePage) {}

    bool Add(const TrayIconRecord& record) override;
    bool Delete(const TrayIconRecord& record) override;
    // Adds the shown icon again, after the shell announced a new taskbar.
    void RestoreAfterShellRestart();

  private:
    const AnsiCodePage& codePage_;
    std::optional<TrayIconRecord> shown_;
};

// The record as this program's own NOTIFYICONDATAA, first form: at 32 bits
// the shell's 88-byte layout, at 64 bits its wider form with the same field
// values and the handles widened. The tip is in the code page, cut to whole
// characters so that its NUL always fits. What lies beyond the first form
// stays zero.
NOTIFYICONDATAA ToNotifyIconData(const TrayIconRecord& record, const AnsiCodePage& codePage);

}  // namespace plimex::win32

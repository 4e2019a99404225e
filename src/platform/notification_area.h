#pragma once

#include "platform/tray_icon_record.h"

namespace plimex {

// The desktop's notification area, which shows the icon a record describes
// and reports the mouse actions over it to the record's window.
class NotificationArea {
  public:
    virtual ~NotificationArea() = default;
    // Shows the icon; false when the area refused it (one is shown already).
    virtual bool Add(const TrayIconRecord& record) = 0;
    // Takes away the icon of the record's window and identifier; false when
    // there was none.
    virtual bool Delete(const TrayIconRecord& record) = 0;
};

}  // namespace plimex

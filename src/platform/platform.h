#pragma once

#include "platform/ansi_code_page.h"
#include "platform/desktop.h"
#include "platform/diagnostics.h"
#include "platform/file_system.h"
#include "platform/notification_area.h"
#include "platform/random_source.h"

namespace plimex {

// The operating-system services the main window uses, besides its controls.
struct Platform {
    Desktop& desktop;
    NotificationArea& notificationArea;
    FileSystem& fileSystem;
    RandomSource& random;
    const AnsiCodePage& codePage;
    Diagnostics& diagnostics;
};

}  // namespace plimex

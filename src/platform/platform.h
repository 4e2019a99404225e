#pragma once

#include "platform/ansi_code_page.h"
#include "platform/background_work.h"
#include "platform/desktop.h"
#include "platform/diagnostics.h"
#include "platform/file_system.h"
#include "platform/random_source.h"
#include "platform/tray_icon.h"

namespace plimex {

// The operating-system services the main window uses, besides its controls.
struct Platform {
    Desktop& desktop;
    TrayIcon& trayIcon;
    FileSystem& fileSystem;
    RandomSource& random;
    const AnsiCodePage& codePage;
    Diagnostics& diagnostics;
    BackgroundWork& work;
};

}  // namespace plimex

#pragma once

// Shared by the resource script and the code.
#define PLIMEX_APP_ICON 1
#define PLIMEX_IMAGELIST1_BITMAP 102
#define PLIMEX_ABOUT1_BITMAP 103
#define PLIMEX_ABOUT2_BITMAP 104

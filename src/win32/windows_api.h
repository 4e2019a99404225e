#pragma once

// The Windows headers, included in one place: they define function-name
// macros (ReplaceFile, ExtractIcon) that would otherwise rename the core's
// interface methods in some of our files and not in others.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>
// clang-format on

#undef ExtractIcon
#undef ReplaceFile

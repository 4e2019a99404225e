#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/ansi_code_page.h"
#include "platform/notification_area.h"

namespace plimex {

// The record handed to the shell for every add and remove of the tray icon.
// It is kept from one call to the next: each call sets only its own fields.
struct TrayIconRecord {
    static constexpr std::size_t kTipLength = 64;
    static constexpr std::uint32_t kRecordSize = 88;
    static constexpr std::uint32_t kIconId = 1;
    static constexpr std::uint32_t kAddFlags = 7;           // NIF_MESSAGE | NIF_ICON | NIF_TIP
    static constexpr std::uint32_t kCallbackMessage = 512;  // WM_MOUSEMOVE

    std::uint32_t cbSize = 0;
    std::uint32_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uint32_t hIcon = 0;
    std::array<wchar_t, kTipLength> szTip{};

    // The text, one NUL, and blanks up to the full length; a text too long
    // for the record is cut so that the NUL still fits.
    void SetTip(std::wstring_view text);

    // The shell's layout: six little-endian 32-bit fields, then the tip in
    // the code page. Its text is cut to whole characters if the code page
    // needs more than one byte for some of them, so the NUL always fits.
    NotifyIconBuffer ToBuffer(const AnsiCodePage& codePage) const;
};

}  // namespace plimex

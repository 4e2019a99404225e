#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace plimex {

using PictureHandle = std::uint32_t;  // an icon handle as the tray record carries it

// The record handed to the notification area for every add and remove of the
// tray icon. It is kept from one call to the next: each call sets only its
// own fields.
struct TrayIconRecord {
    static constexpr std::size_t kTipLength = 64;
    static constexpr std::uint32_t kRecordSize = 88;  // the shell's first form, 32-bit
    static constexpr std::uint32_t kIconId = 1;
    static constexpr std::uint32_t kAddFlags = 7;           // NIF_MESSAGE | NIF_ICON | NIF_TIP
    static constexpr std::uint32_t kCallbackMessage = 512;  // WM_MOUSEMOVE

    std::uint32_t cbSize = 0;
    std::uint32_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    PictureHandle hIcon = 0;
    std::array<wchar_t, kTipLength> szTip{};

    // The text, one NUL, and blanks up to the full length; a text too long
    // for the record is cut so that the NUL still fits.
    void SetTip(std::wstring_view text) {
        const std::size_t length = std::min(text.size(), kTipLength - 1);
        std::fill(szTip.begin(), szTip.end(), L' ');
        std::copy_n(text.begin(), length, szTip.begin());
        szTip[length] = L'\0';
    }

    // The tip as the notification area shows it: the text up to its NUL.
    std::wstring_view Tip() const {
        return {szTip.data(), static_cast<std::size_t>(
                                  std::find(szTip.begin(), szTip.end(), L'\0') - szTip.begin())};
    }
};

}  // namespace plimex

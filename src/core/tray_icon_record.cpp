#include "core/tray_icon_record.h"

#include <algorithm>
#include <string>

namespace plimex {
namespace {

void PutUint32(NotifyIconBuffer& buffer, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        buffer[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

void TrayIconRecord::SetTip(std::wstring_view text) {
    const std::size_t length = std::min(text.size(), kTipLength - 1);
    std::fill(szTip.begin(), szTip.end(), L' ');
    std::copy_n(text.begin(), length, szTip.begin());
    szTip[length] = L'\0';
}

NotifyIconBuffer TrayIconRecord::ToBuffer(const AnsiCodePage& codePage) const {
    NotifyIconBuffer buffer{};
    const std::array<std::uint32_t, 6> fields{cbSize, hWnd, uID, uFlags, uCallbackMessage, hIcon};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        PutUint32(buffer, 4 * i, fields[i]);
    }

    // The text up to its NUL, cut to whole characters so that the NUL fits,
    // then the NUL, then what follows it (blanks) up to the full length.
    const auto nul = std::find(szTip.begin(), szTip.end(), L'\0');
    std::string tip;
    for (auto c = szTip.begin(); c != nul; ++c) {
        const std::string bytes = codePage.ToAnsi(std::wstring_view(&*c, 1));
        if (tip.size() + bytes.size() > kTipLength - 1) {
            break;
        }
        tip += bytes;
    }
    tip += '\0';
    for (auto c = nul == szTip.end() ? nul : nul + 1; c != szTip.end(); ++c) {
        const std::string bytes = codePage.ToAnsi(std::wstring_view(&*c, 1));
        if (tip.size() + bytes.size() > kTipLength) {
            break;
        }
        tip += bytes;
    }
    std::copy(tip.begin(), tip.end(), buffer.begin() + 24);
    return buffer;
}

}  // namespace plimex

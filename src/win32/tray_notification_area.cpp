#include "win32/tray_notification_area.h"

#include <algorithm>
#include <string>

#include "win32/handle_width.h"

namespace plimex::win32 {
namespace {

// The characters from first to last in the code page, as many whole ones as
// fit in room bytes.
std::string AnsiCut(const wchar_t* first, const wchar_t* last, std::size_t room,
                    const AnsiCodePage& codePage) {
    std::string text;
    for (const wchar_t* c = first; c != last; ++c) {
        const std::string bytes = codePage.ToAnsi(std::wstring_view(c, 1));
        if (text.size() + bytes.size() > room) {
            break;
        }
        text += bytes;
    }
    return text;
}

// The text up to its NUL, cut so that the NUL fits, then the NUL, then what
// follows it (blanks) up to the full length.
std::string AnsiTip(const TrayIconRecord& record, const AnsiCodePage& codePage) {
    const wchar_t* begin = record.szTip.data();
    const wchar_t* end = begin + record.szTip.size();
    const wchar_t* nul = std::find(begin, end, L'\0');
    std::string tip = AnsiCut(begin, nul, TrayIconRecord::kTipLength - 1, codePage) + '\0';
    return tip + AnsiCut(nul == end ? nul : nul + 1, end, TrayIconRecord::kTipLength - tip.size(),
                         codePage);
}

bool Notify(DWORD message, const TrayIconRecord& record, const AnsiCodePage& codePage) {
    NOTIFYICONDATAA data = ToNotifyIconData(record, codePage);
    return ::Shell_NotifyIconA(message, &data) != FALSE;
}

}  // namespace

NOTIFYICONDATAA ToNotifyIconData(const TrayIconRecord& record, const AnsiCodePage& codePage) {
    NOTIFYICONDATAA data{};
    data.cbSize =
        record.cbSize == TrayIconRecord::kRecordSize ? NOTIFYICONDATAA_V1_SIZE : record.cbSize;
    data.hWnd = WidenHandle<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = WidenHandle<HICON>(record.hIcon);
    const std::string tip = AnsiTip(record, codePage);
    std::copy(tip.begin(), tip.end(), data.szTip);
    return data;
}

bool TrayNotificationArea::Add(const TrayIconRecord& record) {
    shown_ = record;
    return Notify(NIM_ADD, record, codePage_);
}

bool TrayNotificationArea::Delete(const TrayIconRecord& record) {
    shown_.reset();
    return Notify(NIM_DELETE, record, codePage_);
}

void TrayNotificationArea::RestoreAfterShellRestart() {
    if (shown_) {
        Notify(NIM_ADD, *shown_, codePage_);
    }
}

}  // namespace plimex::win32

#include "win32/tray_icon.h"

#include <algorithm>
#include <string>

#include "core/layout.h"
#include "win32/icon_from_bitmap.h"
#include "win32/resource_ids.h"

namespace plimex::win32 {
namespace {

// The icon as the notification area shows it: the small size.
UniqueIcon ApplicationIcon(HINSTANCE instance) {
    return UniqueIcon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(PLIMEX_APP_ICON),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0)));
}

// The first form's tip takes 64 bytes of the field: the text in the code
// page, as many whole characters as leave room for the NUL, then the NUL,
// then blanks up to the full length.
void SetTip(CHAR* tip, std::wstring_view text, const AnsiCodePage& codePage) {
    constexpr std::size_t kTipBytes = 64;
    std::string bytes;
    for (const wchar_t c : text) {
        const std::string character = codePage.ToAnsi(std::wstring_view(&c, 1));
        if (bytes.size() + character.size() >= kTipBytes) {
            break;
        }
        bytes += character;
    }
    std::fill(std::copy(bytes.begin(), bytes.end(), tip), tip + kTipBytes, ' ');
    tip[bytes.size()] = '\0';
}

}  // namespace

Win32TrayIcon::Win32TrayIcon(const AnsiCodePage& codePage, HINSTANCE instance)
    : codePage_(codePage),
      on_(ApplicationIcon(instance)),
      off_(IconFromBitmap(instance, PLIMEX_IMAGELIST1_BITMAP, layout::kIconPixels)) {}

HICON Win32TrayIcon::PictureOf(TrayPicture picture) const {
    switch (picture) {
        case TrayPicture::On:
            return on_.get();
        case TrayPicture::Off:
            return off_.get();
        case TrayPicture::None:
            break;
    }
    return nullptr;
}

// Every add and remove names the icon afresh, by its window and identifier.
void Win32TrayIcon::IdentifyIcon() {
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = window_;
    record_.uID = kIconId;
}

bool Win32TrayIcon::Notify(DWORD message) {
    return ::Shell_NotifyIconA(message, &record_) != FALSE;
}

bool Win32TrayIcon::Add(TrayPicture picture, std::wstring_view tip) {
    IdentifyIcon();
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = WM_MOUSEMOVE;
    record_.hIcon = PictureOf(picture);
    SetTip(record_.szTip, tip, codePage_);
    shown_ = true;
    return Notify(NIM_ADD);
}

bool Win32TrayIcon::Remove() {
    IdentifyIcon();
    shown_ = false;
    return Notify(NIM_DELETE);
}

void Win32TrayIcon::RestoreAfterShellRestart() {
    if (shown_) {
        Notify(NIM_ADD);
    }
}

}  // namespace plimex::win32

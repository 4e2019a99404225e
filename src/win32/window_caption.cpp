#include "win32/window_caption.h"

namespace plimex::win32 {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void WindowCaption::SetCaption(const std::wstring& caption) {
    SetWindowTextW(window_, caption.c_str());
}

}  // namespace plimex::win32

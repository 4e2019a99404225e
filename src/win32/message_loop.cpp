#include "win32/message_loop.h"

#include "win32/windows_api.h"

namespace plimex::win32 {

bool DeliverNextMessage(int& exitCode) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
        exitCode = got == 0 ? static_cast<int>(message.wParam) : 1;
        return false;
    }
    HWND window = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (window != nullptr && IsDialogMessageW(window, &message)) {
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return true;
}

}  // namespace plimex::win32

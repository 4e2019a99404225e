// Drives a running plimex.exe from outside with standard window messages
// only, the way an accessibility tool or a user would, and prints what it
// sees. One command per run; the end-to-end test script chains them.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <string_view>

#include "core/layout.h"
#include "win32/control_ids.h"

namespace {

using plimex::win32::ControlId;

constexpr wchar_t kDesktop[] = L"Plimex";
constexpr wchar_t kMainClass[] = L"PlimexForm1";
constexpr UINT kTrayCallback = WM_MOUSEMOVE;

HWND MainWindow() {
    return FindWindowW(kMainClass, L"Plimex 2000");
}

HWND Control(HWND main, const char* name) {
    return GetDlgItem(main, ControlId(plimex::layout::MainWindow(), name));
}

// Console output is in the ANSI code page; the test converts it back.
void PrintLine(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

std::wstring Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring ItemText(HWND list, int index) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// What a selection by the user makes the list box tell its parent.
void SelectItem(HWND list, int index, WORD notification) {
    SendMessageW(list, LB_SETCURSEL, index, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), notification),
                 reinterpret_cast<LPARAM>(list));
}

DWORD GdiObjectsOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    const DWORD count = GetGuiResources(process, GR_GDIOBJECTS);
    CloseHandle(process);
    return count;
}

HWND g_popupMenu = nullptr;

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"#32768") == 0 && IsWindowVisible(window)) {
        g_popupMenu = window;
        return FALSE;
    }
    return TRUE;
}

bool WaitFor(bool (*condition)(), int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (condition()) {
            return true;
        }
        Sleep(100);
    }
    return condition();
}

int Fail(const char* message) {
    std::fprintf(stderr, "plimex_driver: %s\n", message);
    return 1;
}

int Run(int argc, char** argv) {
    const std::string_view command = argv[1];
    const int timeoutMs = 20000;
    if (command == "wait-window") {
        return WaitFor([] { return MainWindow() != nullptr; }, timeoutMs) ? 0 : Fail("no window");
    }
    if (command == "wait-gone") {
        return WaitFor([] { return MainWindow() == nullptr; }, timeoutMs) ? 0 : Fail("still there");
    }
    if (command == "menu-open") {
        g_popupMenu = nullptr;
        EnumWindows(FindPopupMenu, 0);
        std::printf("%d\n", g_popupMenu != nullptr ? 1 : 0);
        return 0;
    }
    HWND main = MainWindow();
    if (main == nullptr) {
        return Fail("plimex is not running");
    }
    if (command == "visible") {
        std::printf("%d\n", IsWindowVisible(main) ? 1 : 0);
        return 0;
    }
    if (command == "tray" && argc == 3) {
        // The shell's report of a mouse action over the icon: wParam the
        // icon's identifier, lParam the mouse message.
        PostMessageW(main, kTrayCallback, 1, std::atoi(argv[2]));
        return 0;
    }
    if (command == "gdi") {
        std::printf("%lu\n", GdiObjectsOf(main));
        return 0;
    }
    if (argc < 3) {
        return Fail("missing control name");
    }
    HWND control = Control(main, argv[2]);
    if (control == nullptr) {
        return Fail("no such control");
    }
    if (command == "text") {
        PrintLine(Text(control));
    } else if (command == "items") {
        const auto count = SendMessageW(control, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            PrintLine(ItemText(control, i));
        }
    } else if (command == "selected") {
        std::printf("%ld\n", static_cast<long>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
    } else if (command == "checked") {
        std::printf("%ld\n", static_cast<long>(SendMessageW(control, BM_GETCHECK, 0, 0)));
    } else if (command == "click") {
        SendMessageW(control, BM_CLICK, 0, 0);
    } else if (command == "select" && argc == 4) {
        SelectItem(control, std::atoi(argv[3]), LBN_SELCHANGE);
    } else if (command == "dblclick" && argc == 4) {
        SelectItem(control, std::atoi(argv[3]), LBN_SELCHANGE);
        SelectItem(control, std::atoi(argv[3]), LBN_DBLCLK);
    } else if (command == "previews" && argc == 4) {
        // Selects the first two entries in turn; each selection replaces the preview.
        const int count = std::atoi(argv[3]);
        SelectItem(control, 0, LBN_SELCHANGE);
        const DWORD before = GdiObjectsOf(main);
        for (int i = 0; i < count; ++i) {
            SelectItem(control, i % 2, LBN_SELCHANGE);
        }
        SelectItem(control, 0, LBN_SELCHANGE);
        std::printf("%lu %lu\n", before, GdiObjectsOf(main));
    } else {
        return Fail("unknown command");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Fail("usage: plimex_driver COMMAND [CONTROL [ARGUMENT]]");
    }
    // Plimex runs in the virtual desktop of the test; windows are per desktop.
    if (HDESK desktop = OpenDesktopW(kDesktop, 0, FALSE, GENERIC_ALL)) {
        SetThreadDesktop(desktop);
    }
    return Run(argc, argv);
}

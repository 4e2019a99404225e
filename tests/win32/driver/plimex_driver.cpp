// Drives a running plimex.exe from outside with standard window messages
// only, the way an accessibility tool or a user would, and prints what it
// sees. One command per run; the end-to-end test script chains them.

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <string_view>
#include <thread>

#include "core/layout.h"
#include "platform/tray_icon_record.h"
#include "win32/about_box.h"
#include "win32/control_ids.h"
#include "win32/main_form.h"
#include "win32/twips_scale.h"
#include "win32/windows_api.h"

namespace {

using plimex::TrayIconRecord;
using plimex::win32::ControlId;

constexpr wchar_t kDesktop[] = L"Plimex";
constexpr const wchar_t* kMainClass = plimex::win32::MainForm::kClassName;
constexpr const wchar_t* kAboutClass = plimex::win32::AboutBox::kClassName;

// Plimex runs in the virtual desktop of the test, and windows are per
// desktop. A thread joins a desktop once, so a thread that looked before the
// desktop existed cannot look again: waiting asks a new thread each time.
bool JoinTestDesktop() {
    HDESK desktop = OpenDesktopW(kDesktop, 0, FALSE, GENERIC_ALL);
    return desktop != nullptr && SetThreadDesktop(desktop) != 0;
}

HWND MainWindow() {
    const std::wstring caption(plimex::layout::MainWindow().caption);
    return FindWindowW(kMainClass, caption.c_str());
}

bool MainWindowExists() {
    bool exists = false;
    std::thread([&exists] { exists = JoinTestDesktop() && MainWindow() != nullptr; }).join();
    return exists;
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

// The layout name of the control that has the keyboard focus in the window's thread.
std::wstring FocusedControlName(HWND main) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &thread);
    const int id = GetDlgCtrlID(thread.hwndFocus);
    for (const plimex::layout::Control& control : plimex::layout::MainWindow().controls) {
        if (ControlId(plimex::layout::MainWindow(), control.name) == id) {
            return std::wstring(control.name.begin(), control.name.end());
        }
    }
    return L"";
}

// A point of the client area given in twips, on the screen.
POINT ClientPointOnScreen(HWND main, int xTwips, int yTwips) {
    const plimex::win32::TwipsScale scale;
    POINT point{scale.X(xTwips), scale.Y(yTwips)};
    ClientToScreen(main, &point);
    return point;
}

DWORD GdiObjectsOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    const DWORD count = GetGuiResources(process, GR_GDIOBJECTS);
    CloseHandle(process);
    return count;
}

// Counts the visible top-level windows of a class: "#32768" for popup
// menus, "#32770" for dialog boxes such as error messages.
struct ClassCount {
    const wchar_t* className;
    int count;
    HWND last;
};

BOOL CALLBACK CountVisibleOfClass(HWND window, LPARAM data) {
    auto& wanted = *reinterpret_cast<ClassCount*>(data);
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    if (std::wcscmp(className, wanted.className) == 0 && IsWindowVisible(window)) {
        ++wanted.count;
        wanted.last = window;
    }
    return TRUE;
}

ClassCount VisibleWindowsOfClass(const wchar_t* className) {
    ClassCount wanted{className, 0, nullptr};
    EnumWindows(CountVisibleOfClass, reinterpret_cast<LPARAM>(&wanted));
    return wanted;
}

bool WaitUntilMainWindowExists(bool exists, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (MainWindowExists() == exists) {
            return true;
        }
        Sleep(100);
    }
    return MainWindowExists() == exists;
}

int Fail(const char* message) {
    std::fprintf(stderr, "plimex_driver: %s\n", message);
    return 1;
}

int Run(int argc, char** argv) {
    const std::string_view command = argv[1];
    const int timeoutMs = 20000;
    if (command == "wait-window") {
        return WaitUntilMainWindowExists(true, timeoutMs) ? 0 : Fail("no window");
    }
    if (command == "wait-gone") {
        return WaitUntilMainWindowExists(false, timeoutMs) ? 0 : Fail("still there");
    }
    JoinTestDesktop();
    if (command == "menus") {
        std::printf("%d\n", VisibleWindowsOfClass(L"#32768").count);
        return 0;
    }
    if (command == "menu-item-centre" && argc == 3) {
        // Where a click picks an item of the open popup menu, on the screen.
        // Menu handles do not cross processes: the items share the window's
        // height inside its frame.
        HWND menu = VisibleWindowsOfClass(L"#32768").last;
        RECT frame{};
        if (menu == nullptr || !GetWindowRect(menu, &frame)) {
            return Fail("no open menu");
        }
        const int border = GetSystemMetrics(SM_CYFIXEDFRAME);
        const int items = static_cast<int>(plimex::layout::PopupMenu().size());
        const int itemHeight = (frame.bottom - frame.top - 2 * border) / items;
        const int item = std::atoi(argv[2]);
        std::printf("%ld %ld\n", (frame.left + frame.right) / 2,
                    frame.top + border + item * itemHeight + itemHeight / 2);
        return 0;
    }
    if (command == "repaint-taskbar") {
        // Under Wine a new wallpaper can be drawn over the taskbar until it repaints.
        RedrawWindow(FindWindowW(L"Shell_TrayWnd", nullptr), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return 0;
    }
    if (command == "dialogs") {
        std::printf("%d\n", VisibleWindowsOfClass(L"#32770").count);
        return 0;
    }
    if (command == "about-open") {
        std::printf("%d\n", FindWindowW(kAboutClass, nullptr) != nullptr ? 1 : 0);
        return 0;
    }
    if (command == "about-text" && argc == 3) {
        HWND about = FindWindowW(kAboutClass, nullptr);
        HWND control = GetDlgItem(about, ControlId(plimex::layout::AboutWindow(), argv[2]));
        if (control == nullptr) {
            return Fail("no such control in the About window");
        }
        PrintLine(Text(control));
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
    if (command == "enabled") {
        std::printf("%d\n", IsWindowEnabled(main) ? 1 : 0);
        return 0;
    }
    if (command == "focused") {
        PrintLine(FocusedControlName(main));
        return 0;
    }
    if (command == "client-point" && argc == 4) {
        const POINT point = ClientPointOnScreen(main, std::atoi(argv[2]), std::atoi(argv[3]));
        std::printf("%ld %ld\n", point.x, point.y);
        return 0;
    }
    if (command == "close") {
        PostMessageW(main, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "end-session") {
        // What the system sends every program when the user logs off.
        if (SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) == FALSE) {
            return Fail("the log-off was refused");
        }
        SendMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        return 0;
    }
    if (command == "lose-tray-icon") {
        // What a restart of the shell does to every icon in the notification area.
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = main;
        icon.uID = TrayIconRecord::kIconId;
        return Shell_NotifyIconA(NIM_DELETE, &icon) ? 0 : Fail("no icon to remove");
    }
    if (command == "taskbar-created") {
        PostMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        return 0;
    }
    if (command == "tray" && argc == 3) {
        // The shell's report of a mouse action over the icon: wParam the
        // icon's identifier, lParam the mouse message.
        PostMessageW(main, TrayIconRecord::kCallbackMessage, TrayIconRecord::kIconId,
                     std::atoi(argv[2]));
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
    return Run(argc, argv);
}

// Drives a running plimex.exe from outside with standard window messages
// only, the way an accessibility tool or a user would, and prints what it
// sees. One command per run; the end-to-end test script chains them.

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <exception>
#include <string>
#include <string_view>
#include <thread>

#include "core/layout.h"
#include "win32/control_ids.h"
#include "win32/form1_window.h"
#include "win32/form2_dialog.h"
#include "win32/twips.h"
#include "win32/windows_api.h"
// After the Windows headers, which it needs.
#include <psapi.h>

namespace {

using plimex::win32::ControlId;
using plimex::win32::Win32TrayIcon;

constexpr wchar_t kDesktop[] = L"Plimex";
constexpr const wchar_t* kMainClass = plimex::win32::Win32Form1Window::kClassName;
constexpr const wchar_t* kAboutClass = plimex::win32::Win32Form2Dialog::kClassName;

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
    const plimex::win32::Twips scale;
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

int Print(long value) {
    std::printf("%ld\n", value);
    return 0;
}

// What a command has to work with: its own arguments, and the windows it
// needs, found before it runs.
struct Context {
    char** arguments;
    HWND main;
    HWND control;
};

enum class Needs { Nothing, Desktop, MainWindow, Control };

struct Command {
    std::string_view name;
    int arguments;  // besides the control's name, for those that need one
    Needs needs;
    int (*run)(const Context&);
};

constexpr int kTimeoutMs = 20000;

const Command kCommands[] = {
    {"wait-window", 0, Needs::Nothing,
     [](const Context&) {
         return WaitUntilMainWindowExists(true, kTimeoutMs) ? 0 : Fail("no window");
     }},
    {"wait-gone", 0, Needs::Nothing,
     [](const Context&) {
         return WaitUntilMainWindowExists(false, kTimeoutMs) ? 0 : Fail("still there");
     }},
    {"menus", 0, Needs::Desktop,
     [](const Context&) { return Print(VisibleWindowsOfClass(L"#32768").count); }},
    {"menu-item-centre", 1, Needs::Desktop,
     [](const Context& context) {
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
         const int item = std::atoi(context.arguments[0]);
         std::printf("%ld %ld\n", (frame.left + frame.right) / 2,
                     frame.top + border + item * itemHeight + itemHeight / 2);
         return 0;
     }},
    {"repaint-taskbar", 0, Needs::Desktop,
     [](const Context&) {
         // Under Wine a new wallpaper can be drawn over the taskbar until it repaints.
         RedrawWindow(FindWindowW(L"Shell_TrayWnd", nullptr), nullptr, nullptr,
                      RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
         return 0;
     }},
    {"dialogs", 0, Needs::Desktop,
     [](const Context&) { return Print(VisibleWindowsOfClass(L"#32770").count); }},
    {"about-open", 0, Needs::Desktop,
     [](const Context&) { return Print(FindWindowW(kAboutClass, nullptr) != nullptr ? 1 : 0); }},
    {"about-text", 1, Needs::Desktop,
     [](const Context& context) {
         HWND about = FindWindowW(kAboutClass, nullptr);
         HWND control =
             GetDlgItem(about, ControlId(plimex::layout::AboutWindow(), context.arguments[0]));
         if (control == nullptr) {
             return Fail("no such control in the About window");
         }
         PrintLine(Text(control));
         return 0;
     }},
    {"visible", 0, Needs::MainWindow,
     [](const Context& context) { return Print(IsWindowVisible(context.main) ? 1 : 0); }},
    // An owned window has no taskbar button.
    {"owned", 0, Needs::MainWindow,
     [](const Context& context) { return Print(GetWindow(context.main, GW_OWNER) ? 1 : 0); }},
    {"enabled", 0, Needs::MainWindow,
     [](const Context& context) { return Print(IsWindowEnabled(context.main) ? 1 : 0); }},
    {"focused", 0, Needs::MainWindow,
     [](const Context& context) {
         PrintLine(FocusedControlName(context.main));
         return 0;
     }},
    {"client-point", 2, Needs::MainWindow,
     [](const Context& context) {
         const POINT point = ClientPointOnScreen(context.main, std::atoi(context.arguments[0]),
                                                 std::atoi(context.arguments[1]));
         std::printf("%ld %ld\n", point.x, point.y);
         return 0;
     }},
    {"window-rect", 0, Needs::MainWindow,
     [](const Context& context) {
         // Where the window, frame included, is on the screen: left, top, width, height.
         RECT rect{};
         GetWindowRect(context.main, &rect);
         std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top);
         return 0;
     }},
    {"close", 0, Needs::MainWindow,
     [](const Context& context) {
         PostMessageW(context.main, WM_CLOSE, 0, 0);
         return 0;
     }},
    {"end-session", 0, Needs::MainWindow,
     [](const Context& context) {
         // What the system sends every program when the user logs off.
         if (SendMessageW(context.main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) == FALSE) {
             return Fail("the log-off was refused");
         }
         SendMessageW(context.main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
         return 0;
     }},
    {"lose-tray-icon", 0, Needs::MainWindow,
     [](const Context& context) {
         // What a restart of the shell does to every icon in the notification area.
         NOTIFYICONDATAA icon{};
         icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
         icon.hWnd = context.main;
         icon.uID = Win32TrayIcon::kIconId;
         return Shell_NotifyIconA(NIM_DELETE, &icon) ? 0 : Fail("no icon to remove");
     }},
    {"taskbar-created", 0, Needs::MainWindow,
     [](const Context& context) {
         PostMessageW(context.main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
         return 0;
     }},
    {"tray", 1, Needs::MainWindow,
     [](const Context& context) {
         // The shell's report of a mouse action over the icon: wParam the
         // icon's identifier, lParam the mouse message.
         PostMessageW(context.main, WM_MOUSEMOVE, Win32TrayIcon::kIconId,
                      std::atoi(context.arguments[0]));
         return 0;
     }},
    {"text", 0, Needs::Control,
     [](const Context& context) {
         PrintLine(Text(context.control));
         return 0;
     }},
    {"items", 0, Needs::Control,
     [](const Context& context) {
         const auto count = SendMessageW(context.control, LB_GETCOUNT, 0, 0);
         for (int i = 0; i < count; ++i) {
             PrintLine(ItemText(context.control, i));
         }
         return 0;
     }},
    {"selected", 0, Needs::Control,
     [](const Context& context) {
         return Print(static_cast<long>(SendMessageW(context.control, LB_GETCURSEL, 0, 0)));
     }},
    {"checked", 0, Needs::Control,
     [](const Context& context) {
         return Print(static_cast<long>(SendMessageW(context.control, BM_GETCHECK, 0, 0)));
     }},
    {"click", 0, Needs::Control,
     [](const Context& context) {
         SendMessageW(context.control, BM_CLICK, 0, 0);
         return 0;
     }},
    {"select", 1, Needs::Control,
     [](const Context& context) {
         SelectItem(context.control, std::atoi(context.arguments[0]), LBN_SELCHANGE);
         return 0;
     }},
    {"dblclick", 1, Needs::Control,
     [](const Context& context) {
         SelectItem(context.control, std::atoi(context.arguments[0]), LBN_SELCHANGE);
         SelectItem(context.control, std::atoi(context.arguments[0]), LBN_DBLCLK);
         return 0;
     }},
    {"previews", 2, Needs::Control,
     [](const Context& context) {
         // Selects the first ENTRIES entries in turn; each selection replaces the preview.
         const int count = std::atoi(context.arguments[0]);
         const int entries = std::atoi(context.arguments[1]);
         SelectItem(context.control, 0, LBN_SELCHANGE);
         const DWORD before = GdiObjectsOf(context.main);
         for (int i = 0; i < count; ++i) {
             SelectItem(context.control, i % entries, LBN_SELCHANGE);
         }
         SelectItem(context.control, 0, LBN_SELCHANGE);
         std::printf("%lu %lu\n", before, GdiObjectsOf(context.main));
         return 0;
     }},
    {"memory", 0, Needs::MainWindow,
     [](const Context& context) {
         // The program's private and resident memory, in KiB.
         DWORD processId = 0;
         GetWindowThreadProcessId(context.main, &processId);
         const HANDLE process =
             OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
         PROCESS_MEMORY_COUNTERS counters{};
         const bool read = GetProcessMemoryInfo(process, &counters, sizeof counters) != 0;
         CloseHandle(process);
         if (!read) {
             return Fail("no memory figures");
         }
         std::printf("%lu %lu\n", static_cast<unsigned long>(counters.PagefileUsage / 1024),
                     static_cast<unsigned long>(counters.WorkingSetSize / 1024));
         return 0;
     }},
};

int Run(const Command& command, int argc, char** argv) {
    const int named = command.needs == Needs::Control ? 1 : 0;
    if (argc != 2 + named + command.arguments) {
        return Fail("wrong number of arguments");
    }
    Context context{argv + 2 + named, nullptr, nullptr};
    if (command.needs != Needs::Nothing) {
        JoinTestDesktop();
    }
    if (command.needs == Needs::MainWindow || command.needs == Needs::Control) {
        context.main = MainWindow();
        if (context.main == nullptr) {
            return Fail("plimex is not running");
        }
    }
    if (command.needs == Needs::Control) {
        context.control = Control(context.main, argv[2]);
        if (context.control == nullptr) {
            return Fail("no such control");
        }
    }
    return command.run(context);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2) {
        for (const Command& command : kCommands) {
            if (command.name == argv[1]) {
                try {
                    return Run(command, argc, argv);
                } catch (const std::exception& error) {
                    return Fail(error.what());  // a control name not in the layout
                }
            }
        }
    }
    return Fail("usage: plimex_driver COMMAND [CONTROL] [ARGUMENTS]");
}

// How long the file list takes to show a folder of 10,000 bitmaps: the same
// steps as a change of folder (search, conversion, fill of a sorted list box
// in a shown window, and its repaint). Prints the figures; fails only beyond
// a generous bound, since the machine may be busy.

#include <cstdio>
#include <string>
#include <vector>

#include "../backend/test_files.h"
#include "win32/debug_output_diagnostics.h"
#include "win32/file_list_box.h"
#include "win32/handles.h"
#include "win32/system_ansi_code_page.h"
#include "win32/windows_file_system.h"

namespace {

constexpr int kFiles = 10000;
constexpr double kBoundSeconds = 5.0;

double Now() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Paints whatever the fill left to paint, as the message loop would.
void PaintPending(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

int main() {
    using namespace plimex::win32;
    const testing::ScratchFolder folder;
    // Names in an order unlike the sorted one, as a real folder gives them.
    for (int i = 0; i < kFiles; ++i) {
        const int scrambled = (i * 7919) % kFiles;
        folder.Write("Image " + std::to_string(scrambled) + ".bmp", "");
    }

    const UniqueWindow window(CreateWindowExW(0, WC_STATICW, L"bench", WS_OVERLAPPEDWINDOW, 0, 0,
                                              400, 400, nullptr, nullptr, nullptr, nullptr));
    HWND box = CreateWindowExW(0, WC_LISTBOXW, L"",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_SORT | LBS_NOTIFY, 0, 0,
                               200, 300, window.get(), nullptr, nullptr, nullptr);
    ShowWindow(window.get(), SW_SHOWNA);
    PaintPending(window.get());

    DebugOutputDiagnostics diagnostics;
    const double start = Now();
    const std::vector<std::string> names =
        WindowsFileSystem(diagnostics).FindNormalFiles(folder.Path() + "*.bmp");
    const double searched = Now();
    const SystemAnsiCodePage codePage;
    std::vector<std::wstring> entries;
    entries.reserve(names.size());
    for (const std::string& name : names) {
        entries.push_back(codePage.FromAnsi(name));
    }
    Win32FileListBox list(box);
    list.Clear();
    list.AddItems(entries);
    PaintPending(window.get());
    const double filled = Now();

    const double total = filled - start;
    std::printf("files listed:                 %d\n", list.ListCount());
    std::printf("search and conversion:        %.3f s\n", searched - start);
    std::printf("change of folder, in total:   %.3f s\n", total);
    return list.ListCount() == kFiles && total < kBoundSeconds ? 0 : 1;
}

// How long the file list takes to show a folder of many bitmaps, beside the
// least such a fill can do, timed in the same run: the program's own steps
// (search, conversion, fill of the real LstFic in a shown window, repaint),
// and a floor that searches, converts, sorts once by names folded to capitals
// and fills a plain list box. Prints min, median and max of each; fails only
// when it cannot run or the two list different counts.
//
//   list_fill_bench [--runs N] FOLDER...     (5 runs by default; each folder ends in "\")
//
// tools/bench makes the folders: the host writes many files far faster than
// Wine, which looks for a name of another case in the folder at each one.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/layout.h"
#include "win32/child_controls.h"
#include "win32/file_list_box.h"
#include "win32/handles.h"
#include "win32/log_file_diagnostics.h"
#include "win32/twips.h"
#include "win32/windows_file_system.h"

namespace {

using namespace plimex::win32;

double Now() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Spread {
    double min, median, max;
};

Spread SpreadOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2], samples.back()};
}

// Paints whatever the fill left to paint, as the message loop would.
void PaintPending(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

struct ProgramTimes {
    double listed;  // search
    double shown;   // filled and painted
    int count;
};

// The program's own call: the names as the system gives them.
plimex::PackedNames BitmapNamesIn(const std::string& folder) {
    LogFileDiagnostics diagnostics;
    return WindowsFileSystem(diagnostics).FindNormalFiles(folder + "*.bmp");
}

// A change of folder as the program makes it, into the real LstFic.
ProgramTimes ProgramFill(HWND window, const std::string& folder) {
    const UniqueFont font = MessageFont();
    const UniqueWindow box(
        CreateLayoutControl(window, plimex::layout::Get(plimex::layout::MainWindow(), "LstFic"), 1,
                            Twips(), {0, 0}, font.get()));
    PaintPending(window);
    const double start = Now();
    Win32FileListBox list(box.get());
    list.Clear();
    plimex::PackedNames names = BitmapNamesIn(folder);
    const double listed = Now();
    list.AddItems(std::move(names));
    PaintPending(window);
    return {listed - start, Now() - start, list.ListCount()};
}

std::vector<std::wstring> SortedByFoldedNames(std::vector<std::wstring> names) {
    std::vector<std::wstring> folded = names;
    for (std::wstring& name : folded) {
        CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    }
    std::vector<std::size_t> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return folded[a] < folded[b]; });
    std::vector<std::wstring> sorted;
    sorted.reserve(names.size());
    for (const std::size_t index : order) {
        sorted.push_back(std::move(names[index]));
    }
    return sorted;
}

struct FloorTimes {
    double shown;
    int count;
};

// The least a fill can do: one search, one conversion, one sort, and a plain
// list box that compares nothing.
FloorTimes FloorFill(HWND window, const std::string& folder) {
    const RECT place =
        LayoutRect(plimex::layout::Get(plimex::layout::MainWindow(), "LstFic"), Twips(), {0, 0});
    const UniqueWindow box(CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, place.left, place.top,
        place.right - place.left, place.bottom - place.top, window, nullptr, nullptr, nullptr));
    PaintPending(window);
    const double start = Now();
    std::vector<std::wstring> names;
    WIN32_FIND_DATAA found;
    const UniqueFind search = AdoptFind(FindFirstFileA((folder + "*.bmp").c_str(), &found));
    if (search) {
        do {
            const int length = MultiByteToWideChar(CP_ACP, 0, found.cFileName, -1, nullptr, 0);
            std::wstring name(static_cast<std::size_t>(length), L'\0');
            MultiByteToWideChar(CP_ACP, 0, found.cFileName, -1, name.data(), length);
            name.pop_back();
            names.push_back(std::move(name));
        } while (FindNextFileA(search.get(), &found));
    }
    const std::vector<std::wstring> sorted = SortedByFoldedNames(std::move(names));
    SendMessageW(box.get(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(box.get(), LB_INITSTORAGE, sorted.size(), sorted.size() * 64);
    for (const std::wstring& name : sorted) {
        SendMessageW(box.get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(box.get(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box.get(), nullptr, TRUE);
    PaintPending(window);
    const double shown = Now() - start;
    return {shown, static_cast<int>(SendMessageW(box.get(), LB_GETCOUNT, 0, 0))};
}

bool Measure(HWND window, const std::string& folder, int runs) {
    std::vector<double> program, listed, floor;
    int count = 0;
    for (int run = 0; run < runs; ++run) {
        const ProgramTimes times = ProgramFill(window, folder);
        const FloorTimes least = FloorFill(window, folder);
        if (times.count != least.count) {
            std::fprintf(stderr, "%s: %d bitmaps in LstFic, %d in the floor's list\n",
                         folder.c_str(), times.count, least.count);
            return false;
        }
        count = times.count;
        program.push_back(times.shown * 1000);
        listed.push_back(times.listed * 1000);
        floor.push_back(least.shown * 1000);
    }
    const Spread fill = SpreadOf(program);
    const Spread least = SpreadOf(floor);
    std::printf(
        "%8d bitmaps: LstFic filled  min %7.1f  median %7.1f  max %7.1f ms"
        "  (median: %.1f searched and converted)\n"
        "%8s          floor          min %7.1f  median %7.1f  max %7.1f ms"
        "  (LstFic / floor: %.2f)\n",
        count, fill.min, fill.median, fill.max, SpreadOf(listed).median, "", least.min,
        least.median, least.max, fill.median / least.median);
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            folders.emplace_back(argv[i]);
        }
    }
    if (folders.empty()) {
        std::fprintf(stderr, "Usage: list_fill_bench [--runs N] FOLDER...\n");
        return 2;
    }
    const UniqueWindow window(CreateWindowExW(0, WC_STATICW, L"bench", WS_OVERLAPPEDWINDOW, 0, 0,
                                              400, 400, nullptr, nullptr, nullptr, nullptr));
    if (!window) {
        std::fprintf(stderr, "no window: the benchmark needs a display\n");
        return 1;
    }
    ShowWindow(window.get(), SW_SHOWNA);
    std::printf("Windows list fill, %d-bit, %d runs a folder\n",
                static_cast<int>(sizeof(void*) * 8), runs);
    for (const std::string& folder : folders) {
        if (!Measure(window.get(), folder, runs)) {
            return 1;
        }
    }
    return 0;
}

// How long opening a folder of many bitmaps takes: the listing, the decoding
// of the names and the filling of the real file list, shown on screen, next
// to `ls -f | sort -f` on the same folder.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "linux_desktop/unique_fd.h"
#include "qt/file_list_box.h"
#include "qt/locale_code_page.h"
#include "qt/posix_file_system.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string MakeFolder(int count) {
    std::string folder = (std::filesystem::temp_directory_path() / "plimex-bench-XXXXXX").string();
    ::mkdtemp(folder.data());
    std::mt19937 generator(static_cast<unsigned>(count));
    const char* stems[] = {"Vacances", "photo", "Paysage", "IMG", "fond", "Été"};
    for (int i = 0; i < count; ++i) {
        const std::string name = folder + "/" + stems[generator() % 6] + "_" +
                                 std::to_string(generator() % 1000000) + "_" + std::to_string(i) +
                                 (i % 7 == 0 ? ".BMP" : ".bmp");
        plimex::linux_desktop::UniqueFd(::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
    return folder + "/";
}

double FillOnce(const std::string& folder, plimex::qt::FileListBox& list) {
    const plimex::qt::LocaleCodePage codePage;
    const plimex::qt::PosixFileSystem fileSystem(codePage);
    const Clock::time_point start = Clock::now();
    list.Clear();
    std::vector<std::wstring> entries;
    for (const std::string& name : fileSystem.FindNormalFiles(folder + "*.bmp")) {
        entries.push_back(codePage.FromAnsi(name));
    }
    list.AddItems(std::move(entries));
    QApplication::processEvents();  // lay out and paint the visible rows
    return MillisecondsSince(start);
}

double ListAndSortWithTheShell(const std::string& folder) {
    const std::string command = "cd '" + folder + "' && ls -f | sort -f > /dev/null";
    const Clock::time_point start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        return -1;
    }
    return MillisecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    QApplication application(argc, argv);
    plimex::qt::FileListBox list;
    list.resize(129, 212);
    list.show();

    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty()) {
        counts = {100000, 10000};
    }
    constexpr int kRuns = 5;
    for (const int count : counts) {
        const std::string folder = MakeFolder(count);
        double best = 1e9, bestShell = 1e9;
        for (int run = 0; run < kRuns; ++run) {
            best = std::min(best, FillOnce(folder, list));
            bestShell = std::min(bestShell, ListAndSortWithTheShell(folder));
        }
        std::printf(
            "%7d bitmaps: list filled in %7.1f ms (best of %d); ls -f | sort -f %7.1f ms; %d "
            "rows\n",
            count, best, kRuns, bestShell, list.ListCount());
        std::filesystem::remove_all(folder);
    }
    return 0;
}

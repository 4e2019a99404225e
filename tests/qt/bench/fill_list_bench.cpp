// How long opening a folder of many bitmaps takes: the listing, the decoding
// of the names, the filling of the real file list shown on screen and the
// selection of its first entry, next to `ls -f | sort -f` on the same folder
// timed in the same run. Prints min, median and max of each, how the time
// grows from the smallest count to the largest, and the peak memory.
//
//   fill_list_bench [--runs N] [COUNT...]     (default: 5 runs of 100000 and 1000000)
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "posix/locale_code_page.h"
#include "posix/posix_file_system.h"
#include "posix/standard_error_diagnostics.h"
#include "posix/unique_fd.h"
#include "qt/file_list_box.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long PeakResidentKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Spread {
    double min, median, max;
};

Spread SpreadOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2], samples.back()};
}

// Names of the kinds a real folder holds: mixed case, accents, digits, and
// names that differ only in case.
std::string MakeFolder(int count) {
    std::string folder = (std::filesystem::temp_directory_path() / "plimex-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    std::mt19937 generator(static_cast<unsigned>(count));
    const char* stems[] = {"Vacances", "photo", "Paysage", "IMG", "fond", "Été"};
    for (int i = 0; i < count; ++i) {
        const std::string name = folder + "/" + stems[generator() % 6] + "_" +
                                 std::to_string(generator() % 1000000) + "_" + std::to_string(i) +
                                 (i % 7 == 0 ? ".BMP" : ".bmp");
        plimex::posix::UniqueFd(::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
    return folder + "/";
}

struct FillTimes {
    double listed;    // listing and decoding
    double added;     // into the sorted model
    double shown;     // laid out and painted
    double selected;  // the first entry selected and repainted
};

// The same call as the program's own fill: the names as the system gives them.
plimex::PackedNames BitmapNamesIn(const std::string& folder) {
    const plimex::posix::LocaleCodePage codePage;
    plimex::posix::StandardErrorDiagnostics diagnostics;
    const plimex::posix::PosixFileSystem fileSystem(codePage, diagnostics);
    return fileSystem.FindNormalFiles(folder + "*.bmp");
}

FillTimes FillOnce(const std::string& folder, plimex::qt::QtFileListBox& list) {
    FillTimes times{};
    const Clock::time_point start = Clock::now();
    list.Clear();
    plimex::PackedNames names = BitmapNamesIn(folder);
    times.listed = MillisecondsSince(start);
    list.AddItems(std::move(names));
    times.added = MillisecondsSince(start);
    QApplication::processEvents();
    times.shown = MillisecondsSince(start);
    const Clock::time_point click = Clock::now();
    list.setCurrentIndex(list.model()->index(0, 0));
    QApplication::processEvents();
    times.selected = MillisecondsSince(click);
    return times;
}

double ListAndSortWithTheShell(const std::string& folder) {
    const std::string command = "cd '" + folder + "' && ls -f | sort -f > /dev/null";
    const Clock::time_point start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "%s failed\n", command.c_str());
        std::exit(1);
    }
    return MillisecondsSince(start);
}

struct CountResult {
    int count;
    Spread fill, shell;
};

CountResult Measure(int count, int runs, plimex::qt::QtFileListBox& list) {
    const std::string folder = MakeFolder(count);
    std::vector<double> fill, shell, listed, added, selected;
    for (int run = 0; run < runs; ++run) {
        const FillTimes times = FillOnce(folder, list);
        fill.push_back(times.shown);
        listed.push_back(times.listed);
        added.push_back(times.added - times.listed);
        selected.push_back(times.selected);
        shell.push_back(ListAndSortWithTheShell(folder));
    }
    if (list.ListCount() != count) {
        std::fprintf(stderr, "%d bitmaps listed, %d expected\n", list.ListCount(), count);
        std::exit(1);
    }
    std::filesystem::remove_all(folder);
    const CountResult result{count, SpreadOf(fill), SpreadOf(shell)};
    std::printf(
        "%8d bitmaps: list filled  min %7.1f  median %7.1f  max %7.1f ms"
        "  (median: %.1f listed, %.1f sorted into the model, first entry selected "
        "%.1f)\n"
        "%8s          ls -f | sort -f  min %7.1f  median %7.1f  max %7.1f ms"
        "  (fill / ls|sort: %.2f)\n",
        count, result.fill.min, result.fill.median, result.fill.max, SpreadOf(listed).median,
        SpreadOf(added).median, SpreadOf(selected).median, "", result.shell.min,
        result.shell.median, result.shell.max, result.fill.median / result.shell.median);
    std::fflush(stdout);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    // As the program does: buffers of a folder's size go back to the system
    // when they are freed, instead of staying in the heap.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    QApplication application(argc, argv);
    plimex::posix::UseUserLocale();
    int runs = 5;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            counts.push_back(std::atoi(argv[i]));
        }
    }
    if (counts.empty()) {
        counts = {100000, 1000000};
    }
    std::sort(counts.begin(), counts.end());

    const plimex::posix::LocaleCodePage codePage;
    plimex::qt::QtFileListBox list(codePage);
    list.resize(129, 212);
    list.show();
    QApplication::processEvents();
    const long idleKilobytes = PeakResidentKilobytes();

    std::printf("list fill, %d runs a count (folder %s)\n", runs,
                std::filesystem::temp_directory_path().c_str());
    std::vector<CountResult> results;
    for (const int count : counts) {
        results.push_back(Measure(count, runs, list));
    }
    const CountResult& smallest = results.front();
    const CountResult& largest = results.back();
    if (largest.count > smallest.count) {
        std::printf("growth %d -> %d bitmaps (medians): list %.1fx, ls -f | sort -f %.1fx\n",
                    smallest.count, largest.count, largest.fill.median / smallest.fill.median,
                    largest.shell.median / smallest.shell.median);
    }
    const long peakKilobytes = PeakResidentKilobytes();
    std::printf("peak RSS %.1f MB (%.1f MB idle; %.0f bytes a name above it at %d)\n",
                peakKilobytes / 1024.0, idleKilobytes / 1024.0,
                (peakKilobytes - idleKilobytes) * 1024.0 / largest.count, largest.count);
    return 0;
}

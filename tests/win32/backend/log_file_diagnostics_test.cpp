#include "win32/log_file_diagnostics.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace plimex::win32 {
namespace {

std::wstring Wide(const std::string& path) {
    return std::wstring(path.begin(), path.end());
}

// Each failure is appended as one line; the file never grows past its limit
// but starts afresh, and the lines before live on in the old log.
TEST(LogFileDiagnostics, AppendsLinesAndKeepsTheFileWithinItsLimit) {
    const testing::ScratchFolder folder;
    const std::string log = folder.Path() + "Plimex.log";
    const std::string old = folder.Path() + "Plimex.old.log";
    folder.Write("Plimex.log", "earlier run\r\n");
    LogFileDiagnostics diagnostics(Wide(log), Wide(old), 100);

    diagnostics.ReportFailure("SetWallpaper", "C:\\a.bmp", "too big");
    const std::string line = "plimex: SetWallpaper: C:\\a.bmp: too big\r\n";
    EXPECT_EQ(testing::ReadWhole(log), "earlier run\r\n" + line);

    for (int i = 0; i < 9; ++i) {
        diagnostics.ReportFailure("SetWallpaper", "C:\\a.bmp", "too big");
        EXPECT_LE(testing::ReadWhole(log).size(), 100u);
    }
    EXPECT_EQ(testing::ReadWhole(log), line + line);
    EXPECT_EQ(testing::ReadWhole(old), line + line);
}

}  // namespace
}  // namespace plimex::win32

#include "win32/log_file_diagnostics.h"

#include <utility>

#include "core/failure_line.h"
#include "win32/handles.h"
#include "win32/windows_api.h"

namespace plimex::win32 {
namespace {

std::uint64_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

LogFileDiagnostics::LogFileDiagnostics(std::wstring path, std::wstring oldPath, std::uint64_t limit)
    : path_(std::move(path)), oldPath_(std::move(oldPath)), limit_(limit) {}

void LogFileDiagnostics::ReportFailure(std::string_view what, std::string_view path,
                                       std::string_view reason) {
    std::string line = FailureLine(what, path, reason);
    OutputDebugStringA(line.c_str());
    line.insert(line.size() - 1, 1, '\r');  // Notepad's line end
    // A listing on its own thread may report while the GUI thread does: one
    // line, and one move to the old log, at a time.
    const std::lock_guard lock(appending_);
    Append(line);
}

// A log that cannot be written loses the line; the debug output has it.
void LogFileDiagnostics::Append(const std::string& line) const {
    if (FileSize(path_) + line.size() > limit_) {
        MoveFileExW(path_.c_str(), oldPath_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    const UniqueFile file(CreateFileW(path_.c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.Valid()) {
        WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
}

}  // namespace plimex::win32

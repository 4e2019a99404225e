#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "platform/diagnostics.h"

namespace plimex::win32 {

// Failures go, one line each, to the debugger's output, where DebugView shows
// them, and to a log file beside the options file, where the user finds them
// (a GUI program has no console). The file is appended to; once it holds
// limit bytes it becomes the old log, replacing the one before, so that a
// run of months keeps at most twice the limit on the disk.
class LogFileDiagnostics : public Diagnostics {
  public:
    static constexpr std::uint64_t kLimit = 64 * 1024;

    explicit LogFileDiagnostics(std::wstring path = L"Plimex.log",
                                std::wstring oldPath = L"Plimex.old.log",
                                std::uint64_t limit = kLimit);
    void ReportFailure(std::string_view what, std::string_view path,
                       std::string_view reason) override;

  private:
    void Append(const std::string& line) const;

    std::wstring path_;
    std::wstring oldPath_;
    std::uint64_t limit_;
    std::mutex appending_;
};

}  // namespace plimex::win32

#include "win32/debug_output_diagnostics.h"

#include "core/failure_line.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

void DebugOutputDiagnostics::ReportFailure(std::string_view what, std::string_view path,
                                           std::string_view reason) {
    OutputDebugStringA(FailureLine(what, path, reason).c_str());
}

}  // namespace plimex::win32

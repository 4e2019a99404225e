#include "posix/standard_error_diagnostics.h"

#include <cstdio>

#include "core/failure_line.h"

namespace plimex::posix {

void StandardErrorDiagnostics::ReportFailure(std::string_view what, std::string_view path,
                                             std::string_view reason) {
    const std::string line = FailureLine(what, path, reason);
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace plimex::posix

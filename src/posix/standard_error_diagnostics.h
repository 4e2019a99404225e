#pragma once

#include "platform/diagnostics.h"

namespace plimex::posix {

// Failures go to standard error, one line each, where the session's journal
// keeps them.
class StandardErrorDiagnostics : public Diagnostics {
  public:
    void ReportFailure(std::string_view what, std::string_view path,
                       std::string_view reason) override;
};

}  // namespace plimex::posix

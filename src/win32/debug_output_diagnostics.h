#pragma once

#include "platform/diagnostics.h"

namespace plimex::win32 {

// Failures go to the debugger's output, one line each, where DebugView or a
// debugger shows them; a GUI program has no console to write to.
class DebugOutputDiagnostics : public Diagnostics {
  public:
    void ReportFailure(std::string_view what, std::string_view path,
                       std::string_view reason) override;
};

}  // namespace plimex::win32

#pragma once

#include <string>
#include <vector>

#include "platform/diagnostics.h"

namespace plimex::linux_desktop {

// Keeps each reported failure as "what: path: reason".
class RecordingDiagnostics : public Diagnostics {
  public:
    std::vector<std::string> lines;

    void ReportFailure(std::string_view what, std::string_view path,
                       std::string_view reason) override {
        lines.push_back(std::string(what) + ": " + std::string(path) + ": " + std::string(reason));
    }
};

}  // namespace plimex::linux_desktop

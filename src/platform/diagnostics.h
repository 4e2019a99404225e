#pragma once

#include <string_view>

namespace plimex {

// Where the program says what failed at the operating system's boundary. The
// user sees nothing of it on screen: these failures have no message box, but
// they must never pass in silence. Each report is one line that names what
// failed (a call, a mechanism, a file of ours), the path it concerned and why.
// Reports may come from any thread: a folder is listed on a thread of its own.
class Diagnostics {
  public:
    virtual ~Diagnostics() = default;
    virtual void ReportFailure(std::string_view what, std::string_view path,
                               std::string_view reason) = 0;
};

}  // namespace plimex

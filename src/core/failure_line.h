#pragma once

#include <string>
#include <string_view>

namespace plimex {

// The one log line of a failure: "plimex: <what>: <path>: <reason>" and a line
// feed. Control bytes in the path are written as \xNN, so that a file name
// holding a line break still gives exactly one line.
std::string FailureLine(std::string_view what, std::string_view path, std::string_view reason);

}  // namespace plimex

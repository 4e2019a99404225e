#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plimex {

// The three settings as bytes of the system's code page. A value is absent
// when the file has no line at its position or the line has another key.
struct OptionsFileValues {
    std::optional<std::string> rep;
    std::optional<std::string> tps;
    std::optional<std::string> etat;
};

// Reads the fixed four-line layout: line 1 is skipped unseen, lines 2 to 4 are
// recognised only by the key at their position, whatever its letter case.
// CR LF, a lone CR and a lone LF all end a line.
OptionsFileValues ParseOptionsFile(std::string_view contents);

std::string FormatOptionsFile(std::string_view rep, std::string_view tps, std::string_view etat);

}  // namespace plimex

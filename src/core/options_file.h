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
// CR LF, a lone CR and a lone LF all end a line. A value holding a null byte
// counts as absent: no file name or setting of ours can hold one.
OptionsFileValues ParseOptionsFile(std::string_view contents);

// Whether the file's first `readLimit` bytes hold what the reader looks at,
// as text it can understand. Not so for UTF-16 text, or any other with a null
// byte in its first four lines, nor for a first four lines that run past the
// limit: the defaults read from such a file must never replace it.
bool IsUnderstoodOptionsText(std::string_view contents, std::size_t readLimit);

// The layout has no escapes: a value with a line break would spill into the
// next line and shift every later value, and a null byte would be cut off by
// any reader that stops at it. Such a value must never be written.
bool IsStorableOptionValue(std::string_view value);

std::string FormatOptionsFile(std::string_view rep, std::string_view tps, std::string_view etat);

}  // namespace plimex

#pragma once

#include "platform/ansi_code_page.h"

namespace plimex::posix {

// Takes the user's locale for the whole program. A bare C locale would mean
// 7-bit ASCII, and every accented name would then be carried as escapes and
// every accented tip cut to '?': there, like Python, C.UTF-8 is used instead.
void UseUserLocale();

// The locale's own encoding (set with setlocale at start-up), made lossless:
// a byte that does not decode becomes U+DC80 + byte and turns back into the
// same byte, so a file name that is not valid in the locale still names the
// same file after a round trip through the program's wide strings.
class LocaleCodePage : public AnsiCodePage {
  public:
    std::string ToAnsi(std::wstring_view text) const override;
    std::wstring FromAnsi(std::string_view bytes) const override;
};

}  // namespace plimex::posix

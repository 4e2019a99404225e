#pragma once

#include "platform/ansi_code_page.h"

namespace plimex::qt {

// The locale's own encoding (set with setlocale at start-up), made lossless:
// a byte that does not decode becomes U+DC80 + byte and turns back into the
// same byte, so a file name that is not valid in the locale still names the
// same file after a round trip through the program's wide strings.
class LocaleCodePage : public AnsiCodePage {
  public:
    std::string ToAnsi(std::wstring_view text) const override;
    std::wstring FromAnsi(std::string_view bytes) const override;
};

}  // namespace plimex::qt

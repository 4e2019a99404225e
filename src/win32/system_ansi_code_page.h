#pragma once

#include "platform/ansi_code_page.h"

namespace plimex::win32 {

// The system's own ANSI code page (CP_ACP), as every "A" function uses it.
class SystemAnsiCodePage : public AnsiCodePage {
  public:
    std::string ToAnsi(std::wstring_view text) const override;
    std::wstring FromAnsi(std::string_view bytes) const override;
};

}  // namespace plimex::win32

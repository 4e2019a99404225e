#pragma once

#include <string>
#include <string_view>

namespace plimex {

// Every string leaves the program through the system's 8-bit code page: the
// registry, the wallpaper call, the tray record, the options file and the file
// system all take bytes. Converting back must give the same wide text for any
// bytes the system hands us, so that a listed file name reaches the same file.
class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;
    virtual std::string ToAnsi(std::wstring_view text) const = 0;
    virtual std::wstring FromAnsi(std::string_view bytes) const = 0;
};

}  // namespace plimex

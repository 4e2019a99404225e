#pragma once

#include "platform/ansi_code_page.h"
#include "platform/diagnostics.h"
#include "platform/file_system.h"

namespace plimex::posix {

// File names are the raw bytes the kernel knows; nothing here decodes them.
class PosixFileSystem : public FileSystem {
  public:
    // diagnostics: hears of a folder that did not answer.
    PosixFileSystem(const AnsiCodePage& codePage, Diagnostics& diagnostics)
        : codePage_(codePage), diagnostics_(diagnostics) {}

    bool IsOrdinaryFile(const std::string& name) const override;
    // Asked on a thread of its own: a network share that stopped answering
    // holds that thread in the kernel, not the caller, which takes a folder
    // that has not answered within a few seconds as missing.
    bool IsFolder(const std::string& path) const override;
    // Only patterns of the form "<folder>/*<suffix>" are asked for.
    PackedNames FindNormalFiles(const std::string& pattern) const override;
    std::optional<std::string> ReadFile(const std::string& name,
                                        std::size_t maxBytes) const override;
    DecodedBitmap ReadBitmap(const std::string& name) const override;
    std::string WhyKeptAsItIs(const std::string& name) const override;
    bool ReplaceFile(const std::string& name, const std::string& contents) override;
    // Names here have no short forms.
    std::wstring ShortPath(const std::wstring& path) const override { return path; }
    wchar_t PathSeparator() const override { return L'/'; }
    std::wstring DefaultImageFolder() const override;

  private:
    const AnsiCodePage& codePage_;
    Diagnostics& diagnostics_;
};

}  // namespace plimex::posix

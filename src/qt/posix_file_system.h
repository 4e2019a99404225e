#pragma once

#include "platform/ansi_code_page.h"
#include "platform/file_system.h"

namespace plimex::qt {

// File names are the raw bytes the kernel knows; nothing here decodes them.
class PosixFileSystem : public FileSystem {
  public:
    explicit PosixFileSystem(const AnsiCodePage& codePage) : codePage_(codePage) {}

    bool IsOrdinaryFile(const std::string& name) const override;
    bool IsFolder(const std::string& path) const override;
    // Only patterns of the form "<folder>/*<suffix>" are asked for.
    std::vector<std::string> FindNormalFiles(const std::string& pattern) const override;
    std::optional<std::string> ReadFile(const std::string& name,
                                        std::size_t maxBytes) const override;
    bool ReplaceFile(const std::string& name, const std::string& contents) override;
    wchar_t PathSeparator() const override { return L'/'; }
    std::wstring DefaultImageFolder() const override;

  private:
    const AnsiCodePage& codePage_;
};

}  // namespace plimex::qt

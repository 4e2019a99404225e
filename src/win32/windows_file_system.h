#pragma once

#include "platform/file_system.h"

namespace plimex::win32 {

class WindowsFileSystem : public FileSystem {
  public:
    bool IsOrdinaryFile(const std::string& name) const override;
    bool IsFolder(const std::string& path) const override;
    std::vector<std::string> FindNormalFiles(const std::string& pattern) const override;
    std::optional<std::string> ReadFile(const std::string& name,
                                        std::size_t maxBytes) const override;
    bool ReplaceFile(const std::string& name, const std::string& contents) override;
    wchar_t PathSeparator() const override { return L'\\'; }
    std::wstring DefaultImageFolder() const override;
};

}  // namespace plimex::win32

#pragma once

#include "platform/diagnostics.h"
#include "platform/file_system.h"

namespace plimex::win32 {

class WindowsFileSystem : public FileSystem {
  public:
    explicit WindowsFileSystem(Diagnostics& diagnostics) : diagnostics_(diagnostics) {}

    bool IsOrdinaryFile(const std::string& name) const override;
    bool IsFolder(const std::string& path) const override;
    // A name with characters the code page lacks is given in its short form,
    // or left out, and said so, where the system keeps none.
    PackedNames FindNormalFiles(const std::string& pattern) const override;
    std::optional<std::string> ReadFile(const std::string& name,
                                        std::size_t maxBytes) const override;
    DecodedBitmap ReadBitmap(const std::string& name) const override;
    std::string WhyKeptAsItIs(const std::string& name) const override;
    bool ReplaceFile(const std::string& name, const std::string& contents) override;
    std::wstring ShortPath(const std::wstring& path) const override;
    wchar_t PathSeparator() const override { return L'\\'; }
    std::wstring DefaultImageFolder() const override;

  private:
    Diagnostics& diagnostics_;
};

}  // namespace plimex::win32

#pragma once

#include "platform/ansi_code_page.h"
#include "platform/folders.h"

namespace plimex::posix {

// Folders by their names' bytes, decoded with the code page. A folder that
// may not be read is still shown, only without subfolders: the way back up
// stays open.
class PosixFolders : public Folders {
  public:
    explicit PosixFolders(const AnsiCodePage& codePage) : codePage_(codePage) {}

    std::optional<FolderPath> Locate(const std::wstring& path) const override;
    // Hidden folders left out, sorted ignoring case.
    std::optional<std::vector<std::wstring>> Subfolders(const std::wstring& folder) const override;
    bool SameName(std::wstring_view a, std::wstring_view b) const override { return a == b; }
    wchar_t Separator() const override { return L'/'; }

  private:
    const AnsiCodePage& codePage_;
};

}  // namespace plimex::posix

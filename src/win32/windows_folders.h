#pragma once

#include "platform/folders.h"

namespace plimex::win32 {

// Folders by their wide names; drives ("C:\") and shares ("\\server\share\")
// are the roots. A folder that cannot be listed is not shown.
class WindowsFolders : public Folders {
  public:
    std::optional<FolderPath> Locate(const std::wstring& path) const override;
    // Hidden and system folders left out, in the list boxes' order.
    std::optional<std::vector<std::wstring>> Subfolders(const std::wstring& folder) const override;
    bool SameName(std::wstring_view a, std::wstring_view b) const override;
    wchar_t Separator() const override { return L'\\'; }
};

}  // namespace plimex::win32

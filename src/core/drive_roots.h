#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/folders.h"

namespace plimex {

// Drive1's behaviour: the roots of the drives listed, each ending in the
// separator, in the list's order. A path belongs to the deepest root that
// holds it. A backend shows the entries and keeps the selection.
class DriveRoots : public DriveList {
  public:
    DriveRoots(const Folders& folders, std::vector<std::wstring> roots)
        : folders_(folders), roots_(std::move(roots)) {}

    std::wstring Drive() const override;
    bool SetDrive(const std::wstring& path) override;
    std::wstring DriveOf(const std::wstring& path) const override;
    const std::vector<std::wstring>& roots() const { return roots_; }

  protected:
    // -1 when no entry is selected.
    virtual int SelectedEntry() const = 0;
    // Selects an entry without raising a change.
    virtual void SelectEntry(int index) = 0;

  private:
    std::optional<std::size_t> EntryOf(const std::wstring& path) const;

    const Folders& folders_;
    std::vector<std::wstring> roots_;
};

}  // namespace plimex

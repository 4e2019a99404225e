#pragma once

#include <QTreeWidget>
#include <functional>
#include <string>

#include "platform/ansi_code_page.h"
#include "platform/controls.h"

namespace plimex::qt {

// Dir1, the classic folder list: the folders on the way down to the current
// one, each inside the last, then the current folder's subfolders. A double
// click (or Enter) on any of them opens it.
class DirListBox : public QTreeWidget, public DirList {
  public:
    explicit DirListBox(const AnsiCodePage& codePage);

    // Raised after the user opened another folder.
    void OnChanged(std::function<void()> handler) { changed_ = std::move(handler); }

    std::wstring Path() const override;
    bool SetPath(const std::wstring& path) override;

  private:
    bool Open(const std::string& folder);
    void Rebuild(const std::vector<std::string>& subfolders);

    const AnsiCodePage& codePage_;
    std::string path_;  // bytes; ends in '/' only at the root
    std::function<void()> changed_;
};

}  // namespace plimex::qt

#pragma once

#include <QIcon>
#include <map>

#include "platform/controls.h"

namespace plimex::qt {

// The icons the program hands out as handles, the way the tray record and
// the image boxes pass them around. Handle 0 stands for no icon.
class IconRegistry {
  public:
    PictureHandle Add(QIcon icon);
    void Release(PictureHandle handle);
    // An empty icon for 0 or a handle that is not (or no longer) registered.
    QIcon Icon(PictureHandle handle) const;
    std::size_t Count() const { return icons_.size(); }

  private:
    std::map<PictureHandle, QIcon> icons_;
    PictureHandle next_ = 1;
};

}  // namespace plimex::qt

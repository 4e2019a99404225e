#pragma once

#include <memory>

// Xlib's macros (None, Bool, Status) break GoogleTest and Qt headers, so the
// test's direct X calls live behind this header, which names no X type.

struct _XDisplay;

namespace plimex::linux_desktop {

// Whether the pixmap still exists on the X server of DISPLAY.
bool PixmapExists(unsigned long pixmap);

// A connection that stays open, as a window manager's does through a session:
// an X server resets, and drops everything, when its last client leaves.
class SessionClient {
  public:
    SessionClient();
    bool connected() const { return display_ != nullptr; }

  private:
    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> display_;
};

// A running program that draws the root window itself: its pixmap is named in
// _XROOTPMAP_ID only, and lives as long as this object's connection.
class ForeignRootPixmap {
  public:
    ForeignRootPixmap();
    ~ForeignRootPixmap();
    ForeignRootPixmap(const ForeignRootPixmap&) = delete;
    ForeignRootPixmap& operator=(const ForeignRootPixmap&) = delete;

    unsigned long pixmap() const { return pixmap_; }

  private:
    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> display_;
    unsigned long pixmap_ = 0;
};

}  // namespace plimex::linux_desktop

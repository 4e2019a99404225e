#include "x11_probe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace plimex::linux_desktop {

namespace {

bool errorSeen = false;

int NoteError(Display*, XErrorEvent*) {
    errorSeen = true;
    return 0;
}

}  // namespace

bool PixmapExists(unsigned long pixmap) {
    const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr),
                                                              &XCloseDisplay);
    if (!display) return false;
    errorSeen = false;
    const XErrorHandler previous = XSetErrorHandler(&NoteError);
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    XGetGeometry(display.get(), pixmap, &root, &x, &y, &width, &height, &border, &depth);
    XSync(display.get(), False);
    XSetErrorHandler(previous);
    return !errorSeen;
}

SessionClient::SessionClient() : display_(XOpenDisplay(nullptr), &XCloseDisplay) {}

ForeignRootPixmap::ForeignRootPixmap() : display_(XOpenDisplay(nullptr), &XCloseDisplay) {
    if (!display_) return;
    Display* const display = display_.get();
    const Window root = DefaultRootWindow(display);
    pixmap_ = XCreatePixmap(display, root, 8, 8, DefaultDepth(display, DefaultScreen(display)));
    XChangeProperty(display, root, XInternAtom(display, "_XROOTPMAP_ID", False), XA_PIXMAP, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pixmap_), 1);
    XSync(display, False);
}

ForeignRootPixmap::~ForeignRootPixmap() = default;

}  // namespace plimex::linux_desktop

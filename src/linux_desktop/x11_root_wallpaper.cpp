#include "linux_desktop/x11_root_wallpaper.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <bit>
#include <memory>
#include <optional>
#include <vector>

#include "linux_desktop/stretched_picture.h"

namespace plimex::linux_desktop {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct XFreeDeleter {
    void operator()(void* data) const { XFree(data); }
};

// The pixel buffer belongs to the picture, not to Xlib.
struct ImageDeleter {
    void operator()(XImage* image) const {
        image->data = nullptr;
        XDestroyImage(image);
    }
};
using ImagePtr = std::unique_ptr<XImage, ImageDeleter>;

class GraphicsContext {
  public:
    GraphicsContext(Display* display, Drawable drawable)
        : display_(display), gc_(XCreateGC(display, drawable, 0, nullptr)) {}
    ~GraphicsContext() { XFreeGC(display_, gc_); }
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;
    GC get() const { return gc_; }

  private:
    Display* display_;
    GC gc_;
};

// Xlib's default error handler ends the process; while a trap is set, errors
// are only noted. Errors arrive asynchronously, so Failed() waits for the
// server to have handled every request made so far.
class ErrorTrap {
  public:
    explicit ErrorTrap(Display* display) : display_(display) {
        failed_ = false;
        previous_ = XSetErrorHandler(&Note);
    }
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    bool Failed() const {
        XSync(display_, False);
        return failed_;
    }

  private:
    static int Note(Display*, XErrorEvent*) {
        failed_ = true;
        return 0;
    }

    static inline bool failed_ = false;
    Display* display_;
    XErrorHandler previous_;
};

// The monitors as RandR 1.5 reports them; none from an older server, and
// the picture then covers the whole screen.
std::vector<ScreenArea> MonitorAreas(Display* display, Window root) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 5)) {
        return {};
    }
    int count = 0;
    const std::unique_ptr<XRRMonitorInfo, decltype(&XRRFreeMonitors)> monitors(
        XRRGetMonitors(display, root, True, &count), &XRRFreeMonitors);
    std::vector<ScreenArea> areas;
    for (int i = 0; monitors && i < count; ++i) {
        const XRRMonitorInfo& monitor = monitors.get()[i];
        areas.push_back({monitor.x, monitor.y, monitor.width, monitor.height});
    }
    return areas;
}

bool WholeByte(unsigned long mask) {
    return mask == 0xffu || mask == 0xff00u || mask == 0xff0000u;
}

// A 24-bit visual, as nearly every screen has: the file is decoded straight
// into its layout, with the unused top byte set as the stretching wants it.
std::optional<PixelFormat> BytesLayout(const Visual& visual) {
    if (!WholeByte(visual.red_mask) || !WholeByte(visual.green_mask) ||
        !WholeByte(visual.blue_mask)) {
        return std::nullopt;
    }
    return PixelFormat{static_cast<std::uint32_t>(visual.red_mask),
                       static_cast<std::uint32_t>(visual.green_mask),
                       static_cast<std::uint32_t>(visual.blue_mask), 0xff000000u};
}

// One 8-bit channel, at the visual's depth for it.
unsigned long ScaleToMask(std::uint32_t rgb, int channelShift, unsigned long mask) {
    const unsigned long component = (rgb >> channelShift) & 0xffu;
    const int shift = std::countr_zero(mask);
    const unsigned long maximum = mask >> shift;
    return ((component * maximum + 127) / 255) << shift;
}

// Any other visual (15 or 16 bits, say) takes 0xffRRGGBB pixels turned into
// its layout one by one.
void ToVisualLayout(std::vector<std::uint32_t>& pixels, const Visual& visual) {
    for (std::uint32_t& rgb : pixels) {
        rgb = static_cast<std::uint32_t>(ScaleToMask(rgb, 16, visual.red_mask) |
                                         ScaleToMask(rgb, 8, visual.green_mask) |
                                         ScaleToMask(rgb, 0, visual.blue_mask));
    }
}

// The picture, in the root visual's layout at 32 bits a pixel.
StretchedPicture LoadScreenPicture(Display* display, int screen, const std::string& path) {
    const Visual& visual = *DefaultVisual(display, screen);
    const Window root = RootWindow(display, screen);
    const std::optional<PixelFormat> bytes = BytesLayout(visual);
    StretchedPicture picture =
        LoadStretchedPicture(path, DisplayWidth(display, screen), DisplayHeight(display, screen),
                             MonitorAreas(display, root), bytes.value_or(kOpaqueArgb32));
    if (picture.failure.empty() && !bytes) ToVisualLayout(picture.pixels, visual);
    return picture;
}

// The picture's own buffer as an image of 32-bit pixels in this machine's
// byte order; Xlib turns it into the server's order and pixel size as it
// sends it, when those differ.
ImagePtr ScreenImage(Display* display, int screen, StretchedPicture& picture) {
    ImagePtr image(XCreateImage(display, DefaultVisual(display, screen),
                                static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap, 0,
                                reinterpret_cast<char*>(picture.pixels.data()),
                                static_cast<unsigned>(picture.width),
                                static_cast<unsigned>(picture.height), 32, picture.width * 4));
    if (!image) return image;
    image->bits_per_pixel = 32;
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    if (XInitImage(image.get()) == 0) return nullptr;
    return image;
}

std::optional<Pixmap> PixmapProperty(Display* display, Window root, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                           &remaining, &data) != Success) {
        return std::nullopt;
    }
    const std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
    if (type != XA_PIXMAP || format != 32 || count != 1) return std::nullopt;
    // Xlib hands 32-bit items over as longs.
    return static_cast<Pixmap>(*reinterpret_cast<const unsigned long*>(data));
}

void PublishPixmap(Display* display, Window root, Atom property, Pixmap pixmap) {
    const unsigned long id = pixmap;
    XChangeProperty(display, root, property, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&id), 1);
}

// Every resource made on the connection, the pixmap included, is freed when
// it closes, unless the close-down mode says otherwise; so a failure on the
// way leaves nothing behind.
std::optional<Pixmap> UploadPixmap(Display* display, int screen, StretchedPicture& picture) {
    const ImagePtr image = ScreenImage(display, screen, picture);
    if (!image) return std::nullopt;
    const ErrorTrap trap(display);
    const Pixmap pixmap =
        XCreatePixmap(display, RootWindow(display, screen), static_cast<unsigned>(image->width),
                      static_cast<unsigned>(image->height), image->depth);
    const GraphicsContext gc(display, pixmap);
    XPutImage(display, pixmap, gc.get(), image.get(), 0, 0, 0, 0,
              static_cast<unsigned>(image->width), static_cast<unsigned>(image->height));
    if (trap.Failed()) return std::nullopt;
    return pixmap;
}

// A setter that leaves its pixmap behind names it in both properties; only
// such a pixmap is ours to free: its owner is a closed connection that
// nothing but the kill frees.
void FreeLeftBehindPixmap(Display* display, std::optional<Pixmap> rootPixmap,
                          std::optional<Pixmap> setterPixmap, Pixmap current) {
    if (!rootPixmap || rootPixmap != setterPixmap || *rootPixmap == current) return;
    const ErrorTrap trap(display);
    XKillClient(display, *rootPixmap);
}

}  // namespace

bool X11RootWallpaper::Show(const std::string& path) {
    const DisplayPtr display(XOpenDisplay(nullptr));
    if (!display) return Failed("no X display");
    Display* const dpy = display.get();
    const int screen = DefaultScreen(dpy);
    const Window root = RootWindow(dpy, screen);
    const int visualClass = DefaultVisual(dpy, screen)->c_class;
    if (visualClass != TrueColor && visualClass != DirectColor) {
        return Failed("the screen has no true-colour visual");
    }
    std::optional<Pixmap> pixmap;
    {
        StretchedPicture picture = LoadScreenPicture(dpy, screen, path);
        if (!picture.failure.empty()) return Failed(picture.failure);
        pixmap = UploadPixmap(dpy, screen, picture);
    }
    if (!pixmap) return Failed("the X server refused the picture");

    const Atom rootProperty = XInternAtom(dpy, "_XROOTPMAP_ID", False);
    const Atom setterProperty = XInternAtom(dpy, "ESETROOT_PMAP_ID", False);
    const std::optional<Pixmap> oldRoot = PixmapProperty(dpy, root, rootProperty);
    const std::optional<Pixmap> oldSetter = PixmapProperty(dpy, root, setterProperty);
    {
        const ErrorTrap trap(dpy);
        XSetWindowBackgroundPixmap(dpy, root, *pixmap);
        XClearWindow(dpy, root);
        PublishPixmap(dpy, root, rootProperty, *pixmap);
        PublishPixmap(dpy, root, setterProperty, *pixmap);
        if (trap.Failed()) return Failed("the X server refused the root window's background");
    }
    FreeLeftBehindPixmap(dpy, oldRoot, oldSetter, *pixmap);
    XSetCloseDownMode(dpy, RetainPermanent);
    return true;
}

}  // namespace plimex::linux_desktop

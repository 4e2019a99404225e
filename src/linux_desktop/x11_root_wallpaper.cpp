#include "linux_desktop/x11_root_wallpaper.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <sys/shm.h>

#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string>
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
// into its layout, the unused top byte set as in an opaque pixel.
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
void ToVisualLayout(std::span<std::uint32_t> pixels, const Visual& visual) {
    for (std::uint32_t& rgb : pixels) {
        rgb = static_cast<std::uint32_t>(ScaleToMask(rgb, 16, visual.red_mask) |
                                         ScaleToMask(rgb, 8, visual.green_mask) |
                                         ScaleToMask(rgb, 0, visual.blue_mask));
    }
}

constexpr int kOurByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

// Rows of 32-bit pixels in this machine's byte order; Xlib turns them into
// the server's order and pixel size as it sends them, when those differ.
ImagePtr ScreenImage(Display* display, int screen, std::span<std::uint32_t> pixels, int width,
                     int height) {
    ImagePtr image(XCreateImage(display, DefaultVisual(display, screen),
                                static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap, 0,
                                reinterpret_cast<char*>(pixels.data()),
                                static_cast<unsigned>(width), static_cast<unsigned>(height), 32,
                                width * 4));
    if (!image) return image;
    image->bits_per_pixel = 32;
    image->byte_order = kOurByteOrder;
    if (XInitImage(image.get()) == 0) return nullptr;
    return image;
}

// Memory that the X server shares with this program, when it runs on the
// same machine and its pixels are 32 bits in this machine's byte order: it
// then reads each band once, where through the socket the kernel copies it
// twice first (a 4K picture is 33 MB). Attached to the server for one apply.
class SharedBandBuffer {
  public:
    SharedBandBuffer(Display* display, int screen, std::size_t bytes)
        : display_(display), screen_(screen) {
        if (XShmQueryExtension(display) == False || !TakesOurPixels()) return;
        segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (segment_.shmid < 0) return;
        void* const address = shmat(segment_.shmid, nullptr, 0);
        if (address != reinterpret_cast<void*>(-1)) {
            segment_.shmaddr = static_cast<char*>(address);
            segment_.readOnly = True;
            // A server in another IPC namespace (a container, a remote
            // display) refuses it: the bands then go through the socket.
            const ErrorTrap trap(display);
            attached_ = XShmAttach(display, &segment_) != False && !trap.Failed();
            bytes_ = bytes;
        }
        // Freed by the system once both sides have let go, whatever happens.
        shmctl(segment_.shmid, IPC_RMID, nullptr);
    }
    ~SharedBandBuffer() {
        if (attached_) {
            const ErrorTrap trap(display_);
            XShmDetach(display_, &segment_);
        }
        if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
    }
    SharedBandBuffer(const SharedBandBuffer&) = delete;
    SharedBandBuffer& operator=(const SharedBandBuffer&) = delete;

    // Rows already in the server's layout, to (x, y) of the drawable. Returns
    // once the server has read them, so that the next band can take their
    // place; false, having sent nothing, when they do not fit.
    bool Put(Drawable drawable, GC gc, std::span<const std::uint32_t> pixels, int x, int y,
             int width, int rows) const {
        if (!attached_ || pixels.size_bytes() > bytes_) return false;
        const ImagePtr image(Image(width, rows));
        if (!image) return false;
        std::memcpy(segment_.shmaddr, pixels.data(), pixels.size_bytes());
        XShmPutImage(display_, drawable, gc, image.get(), 0, 0, x, y, static_cast<unsigned>(width),
                     static_cast<unsigned>(rows), False);
        XSync(display_, False);
        return true;
    }

  private:
    XImage* Image(int width, int rows) const {
        return XShmCreateImage(display_, DefaultVisual(display_, screen_),
                               static_cast<unsigned>(DefaultDepth(display_, screen_)), ZPixmap,
                               segment_.shmaddr, const_cast<XShmSegmentInfo*>(&segment_),
                               static_cast<unsigned>(width), static_cast<unsigned>(rows));
    }

    bool TakesOurPixels() const {
        const ImagePtr probe(Image(1, 1));
        return probe && probe->bits_per_pixel == 32 && probe->byte_order == kOurByteOrder;
    }

    Display* display_;
    int screen_;
    XShmSegmentInfo segment_{};
    std::size_t bytes_ = 0;
    bool attached_ = false;
};

// Sends each band of one monitor's picture to its place in the pixmap, in
// the root visual's layout, as soon as it is made.
class PixmapBands : public PictureBands {
  public:
    PixmapBands(Display* display, int screen, Pixmap pixmap, GC gc, const ScreenArea& area,
                bool inVisualLayout, const SharedBandBuffer& shared)
        : display_(display),
          screen_(screen),
          pixmap_(pixmap),
          gc_(gc),
          area_(area),
          inVisualLayout_(inVisualLayout),
          shared_(shared) {}

    void Put(int top, int rows, std::span<std::uint32_t> pixels) override {
        if (inVisualLayout_ &&
            shared_.Put(pixmap_, gc_, pixels, area_.x, area_.y + top, area_.width, rows)) {
            return;
        }
        if (!inVisualLayout_) ToVisualLayout(pixels, *DefaultVisual(display_, screen_));
        const ImagePtr image = ScreenImage(display_, screen_, pixels, area_.width, rows);
        if (!image) {
            failed_ = true;
            return;
        }
        XPutImage(display_, pixmap_, gc_, image.get(), 0, 0, area_.x, area_.y + top,
                  static_cast<unsigned>(area_.width), static_cast<unsigned>(rows));
    }
    bool failed() const { return failed_; }

  private:
    Display* display_;
    int screen_;
    Pixmap pixmap_;
    GC gc_;
    ScreenArea area_;
    bool inVisualLayout_;
    const SharedBandBuffer& shared_;
    bool failed_ = false;
};

// The picture stretched over each monitor, as the program's preview shows
// it, or over the whole screen when the server names no monitors; black
// where no monitor is. The file is decoded once for each monitor, so that
// nothing the size of the screen is ever held here.
std::string DrawPicture(Display* display, int screen, Pixmap pixmap, const std::string& path,
                        const SharedBandBuffer& shared) {
    const Window root = RootWindow(display, screen);
    const ScreenArea whole{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    std::vector<ScreenArea> areas = MonitorAreas(display, root);
    const GraphicsContext gc(display, pixmap);
    if (areas.empty() || (areas.size() == 1 && areas.front() == whole)) {
        areas = {whole};
    } else {
        XSetForeground(display, gc.get(), BlackPixel(display, screen));
        XFillRectangle(display, pixmap, gc.get(), 0, 0, static_cast<unsigned>(whole.width),
                       static_cast<unsigned>(whole.height));
    }
    const std::optional<PixelFormat> bytes = BytesLayout(*DefaultVisual(display, screen));
    for (const ScreenArea& area : areas) {
        if (area.width <= 0 || area.height <= 0) continue;
        PixmapBands bands(display, screen, pixmap, gc.get(), area, bytes.has_value(), shared);
        std::string failure =
            StretchPictureFile(path, area.width, area.height, bytes.value_or(kOpaqueArgb32), bands);
        if (!failure.empty()) return failure;
        if (bands.failed()) return "not enough memory for the picture";
    }
    return {};
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
std::optional<Pixmap> UploadPixmap(Display* display, int screen, const std::string& path,
                                   std::string& failure) {
    // Before the trap below: a server that refuses the shared memory has
    // refused nothing of the picture.
    const SharedBandBuffer shared(
        display, screen, LargestBandBytes(static_cast<std::size_t>(DisplayWidth(display, screen))));
    const ErrorTrap trap(display);
    const Pixmap pixmap = XCreatePixmap(display, RootWindow(display, screen),
                                        static_cast<unsigned>(DisplayWidth(display, screen)),
                                        static_cast<unsigned>(DisplayHeight(display, screen)),
                                        static_cast<unsigned>(DefaultDepth(display, screen)));
    failure = DrawPicture(display, screen, pixmap, path, shared);
    if (!failure.empty()) return std::nullopt;
    if (trap.Failed()) {
        failure = "the X server refused the picture";
        return std::nullopt;
    }
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
    std::string failure;
    const std::optional<Pixmap> pixmap = UploadPixmap(dpy, screen, path, failure);
    if (!pixmap) return Failed(failure);

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

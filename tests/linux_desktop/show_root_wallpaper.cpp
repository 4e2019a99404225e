// Shows one picture as the root window's wallpaper and ends, as the program
// itself does when it quits: the test checks what stays behind.
//
// Usage: show_root_wallpaper PATH

#include "linux_desktop/x11_root_wallpaper.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    return plimex::linux_desktop::X11RootWallpaper().Show(argv[1]) ? 0 : 1;
}

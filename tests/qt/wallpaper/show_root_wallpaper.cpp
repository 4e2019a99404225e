// Shows one picture as the root window's wallpaper and ends, as the program
// itself does when it quits: the test checks what stays behind.
//
// Usage: show_root_wallpaper PATH

#include "wallpaper/x11_root_wallpaper.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    return plimex::X11RootWallpaper().Show(argv[1]) ? 0 : 1;
}

#include "core/form1.h"

namespace plimex {

void Form1::ApplyWallpaper(const std::wstring& path) {
    const std::string ansiPath = Ansi(path);
    Desktop& desktop = platform_.desktop;

    Desktop::KeyHandle key = 0;
    // Writing through or closing a key that never opened would hand the
    // system a stale handle; the wallpaper call below is made either way.
    if (desktop.RegOpenKeyExA(Desktop::kHkeyCurrentUser, "Control Panel\\Desktop", 0,
                              Desktop::kKeyWrite, key) == 0) {
        const std::string data = ansiPath + '\0';
        desktop.RegSetValueExA(key, "Wallpaper", 0, Desktop::kRegSz, data,
                               static_cast<std::uint32_t>(ansiPath.size() + 1));
        desktop.RegCloseKey(key);
    }
    // A picture the system could not show is not the current wallpaper: the
    // label keeps naming the one that is. The desktop has said why.
    if (!desktop.SystemParametersInfoA(Desktop::kSpiSetDeskWallpaper, 0, ansiPath,
                                       Desktop::kSpifSendChange)) {
        return;
    }
    c_.LblPap.SetCaption(platform_.codePage.FromAnsi(ansiPath));
}

}  // namespace plimex

#include "win32/registry_desktop.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "test_files.h"
#include "win32/windows_api.h"

namespace plimex::win32 {
namespace {

// The user's "Wallpaper" value as the registry holds it, its type and every
// byte of its data.
std::pair<DWORD, std::string> StoredValue() {
    char data[4 * MAX_PATH] = {};
    DWORD type = 0;
    DWORD size = sizeof data;
    RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper",
                 RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size);
    return {type, std::string(data, size)};
}

// Wine's set-wallpaper call takes any path, even one that names no picture,
// so the refusal that real Windows can give is not tried here.
std::string ShownWallpaper() {
    char path[MAX_PATH + 1] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

TEST(RegistryDesktop, StoresThePathWithItsNullInTheUsersValueAndShowsIt) {
    const testing::ScratchFolder folder;
    // "été" in Windows-1252: a name the code page has reaches the system as it is.
    const std::string path =
        folder.Write("\xE9t\xE9.bmp", testing::BitmapFile(8, 8, RGB(0, 0, 255)));
    plimex::testing::FakeDiagnostics diagnostics;
    RegistryDesktop desktop(diagnostics);

    ASSERT_TRUE(desktop.SetWallpaper(path));
    EXPECT_EQ(StoredValue(), std::make_pair(static_cast<DWORD>(REG_SZ), path + '\0'));
    EXPECT_EQ(ShownWallpaper(), path);
    EXPECT_TRUE(diagnostics.lines.empty());
}

}  // namespace
}  // namespace plimex::win32

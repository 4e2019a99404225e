#include "posix/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string_view>

namespace plimex::posix {
namespace {

std::string ConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config && config[0] == '/' ? std::string(config) : HomeFolder() + "/.config";
}

// A line of user-dirs.dirs reads XDG_PICTURES_DIR="$HOME/Pictures": a quoted
// path, absolute or under $HOME.
std::string PathOfUserDirsLine(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    constexpr std::string_view kHome = "$HOME";
    if (value.starts_with(kHome)) {
        return HomeFolder() + std::string(value.substr(kHome.size()));
    }
    return value.starts_with('/') ? std::string(value) : std::string();
}

}  // namespace

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        return home;
    }
    const passwd* user = ::getpwuid(::geteuid());
    return user && user->pw_dir && user->pw_dir[0] != '\0' ? std::string(user->pw_dir) : "/";
}

std::string PicturesFolder() {
    constexpr std::string_view kKey = "XDG_PICTURES_DIR=";
    std::ifstream dirs(ConfigFolder() + "/user-dirs.dirs");
    std::string pictures;
    for (std::string line; std::getline(dirs, line);) {
        if (line.starts_with(kKey)) {
            pictures = PathOfUserDirsLine(std::string_view(line).substr(kKey.size()));
        }
    }
    return pictures.empty() ? HomeFolder() + "/Pictures" : pictures;
}

}  // namespace plimex::posix

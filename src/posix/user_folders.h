#pragma once

#include <string>

namespace plimex::posix {

// The user's home folder: $HOME, else the password database's, else the root.
std::string HomeFolder();

// The user's pictures folder, as the desktop's user-dirs.dirs names it, else
// Pictures in the home folder. It may not exist.
std::string PicturesFolder();

}  // namespace plimex::posix

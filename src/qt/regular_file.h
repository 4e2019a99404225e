#pragma once

#include <string>

#include "qt/unique_fd.h"

namespace plimex::qt {

// Opens a file for reading only when it is a regular file (links followed).
// A FIFO or a device put in a file's place could otherwise block the program
// on its first read.
UniqueFd OpenRegularFile(const std::string& path);

}  // namespace plimex::qt

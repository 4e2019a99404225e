#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "posix/unique_fd.h"

namespace plimex::posix {

// Opens a file for reading only when it is a regular file (links followed).
// A FIFO or a device put in a file's place could otherwise block the program
// on its first read, or feed it without end.
UniqueFd OpenRegularFile(const std::string& path);

// Appends at most maxBytes of the file from its current offset, sized by the
// file so that a lying header costs no memory; stops early at its end. False
// on a read error or when there is not enough memory.
bool AppendFromFile(int fd, std::size_t maxBytes, std::string& bytes);

// At most maxBytes of a regular file's beginning; nothing when it cannot be read.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes);

}  // namespace plimex::posix

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/packed_names.h"

namespace plimex::posix {

enum class EntryKind { RegularFile, Folder };

// The names in a folder, in the order the system gives them, of one kind
// (symbolic links count as what they point to) and ending in suffix ignoring
// ASCII case. Hidden names (a leading dot) are left out. Nothing when the
// folder cannot be opened.
std::optional<PackedNames> ReadDirectoryEntries(const std::string& folder, EntryKind kind,
                                                std::string_view suffix = {});

// Whether path names a folder (a link to one counts).
bool FolderExists(const std::string& path);

}  // namespace plimex::posix

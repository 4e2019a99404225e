#pragma once

#include <optional>
#include <string>

namespace plimex::linux_desktop {

// The file:// URI of an absolute path, every byte that a URI may not hold
// percent-encoded, so that any file name, even one that is not UTF-8, comes
// back unchanged when the desktop decodes it. Nothing for a relative path.
std::optional<std::string> FileUri(const std::string& path);

}  // namespace plimex::linux_desktop

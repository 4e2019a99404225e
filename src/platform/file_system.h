#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/bitmap_decoder.h"
#include "platform/packed_names.h"

namespace plimex {

// Names and contents are bytes in the system's code page. FindNormalFiles and
// ReadBitmap also run on threads of their own, beside the GUI thread's calls.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // True only for an ordinary file: folders, hidden and system files count as absent.
    virtual bool IsOrdinaryFile(const std::string& name) const = 0;
    virtual bool IsFolder(const std::string& path) const = 0;
    // The bare names of the ordinary files (not hidden, not system, not folders)
    // that match a pattern such as "C:\Images\*.bmp", in the order the system gives them.
    virtual PackedNames FindNormalFiles(const std::string& pattern) const = 0;
    // At most maxBytes of the file's beginning; nothing when it cannot be read.
    virtual std::optional<std::string> ReadFile(const std::string& name,
                                                std::size_t maxBytes) const = 0;
    // The picture of a bitmap file, decoded by the program's own decoder into
    // kOpaqueArgb32 pixels; its failure says why there is none.
    virtual DecodedBitmap ReadBitmap(const std::string& name) const = 0;
    // Why replacing the file would override the user's own choice: it is
    // read-only, hidden or a system file, or something other than a file.
    // Empty for an ordinary file that may be written and for a missing one.
    virtual std::string WhyKeptAsItIs(const std::string& name) const = 0;
    // Replaces the whole file in one step: after a failure the old file is intact.
    // Only an ordinary file, or none, is replaced; anything else is refused.
    virtual bool ReplaceFile(const std::string& name, const std::string& contents) = 0;

    // The system's short (8.3) form of an existing path: the same file named
    // in plain letters. The path unchanged where the system keeps none.
    virtual std::wstring ShortPath(const std::wstring& path) const = 0;

    virtual wchar_t PathSeparator() const = 0;
    // Where bitmaps are looked for when no folder has been chosen yet.
    virtual std::wstring DefaultImageFolder() const = 0;
};

}  // namespace plimex

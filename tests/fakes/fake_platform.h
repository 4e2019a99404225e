#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fakes/call_log.h"
#include "platform/desktop.h"
#include "platform/diagnostics.h"
#include "platform/file_system.h"
#include "platform/random_source.h"
#include "platform/tray_icon.h"

namespace plimex::testing {

class FakeDesktop : public Desktop {
  public:
    explicit FakeDesktop(CallLog& log) : log_(log) {}

    bool result = true;
    std::vector<std::string> wallpapers;

    bool SetWallpaper(const std::string& path) override {
        log_.Add("SetWallpaper " + path);
        wallpapers.push_back(path);
        return result;
    }

  private:
    CallLog& log_;
};

// Like a desktop's notification area: one icon at most.
class FakeTrayIcon : public TrayIcon {
  public:
    explicit FakeTrayIcon(CallLog& log) : log_(log) {}

    struct Shown {
        TrayPicture picture;
        std::wstring tip;
    };
    std::vector<Shown> added;
    bool shown = false;
    bool refuse = false;  // a desktop without room for the icon

    bool Add(TrayPicture picture, std::wstring_view tip) override {
        log_.Add("TrayIcon.Add");
        added.push_back({picture, std::wstring(tip)});
        shown = !refuse && !shown;
        return shown;
    }
    bool Remove() override {
        log_.Add("TrayIcon.Remove");
        return std::exchange(shown, false);
    }

  private:
    CallLog& log_;
};

// Paths as on Windows: backslashes, drive letters.
class FakeFileSystem : public FileSystem {
  public:
    explicit FakeFileSystem(CallLog& log) : log_(log) {}

    std::map<std::string, std::string> files;                  // ordinary files by name
    std::set<std::string> folders{"C:\\Windows\\"};            // as given, with the backslash
    std::map<std::string, std::vector<std::string>> listings;  // by pattern
    std::set<std::string> unreadable;  // files that exist but cannot be read
    bool failWrites = false;
    int writes = 0;

    bool IsOrdinaryFile(const std::string& name) const override { return files.count(name) > 0; }
    bool IsFolder(const std::string& path) const override {
        return folders.count(path) > 0 || folders.count(path + "\\") > 0;
    }
    PackedNames FindNormalFiles(const std::string& pattern) const override {
        log_.Add("FindNormalFiles " + pattern);
        PackedNames names;
        const auto it = listings.find(pattern);
        for (const std::string& name :
             it == listings.end() ? std::vector<std::string>{} : it->second) {
            names.Add(name);
        }
        return names;
    }
    std::optional<std::string> ReadFile(const std::string& name,
                                        std::size_t maxBytes) const override {
        const auto it = files.find(name);
        if (it == files.end() || unreadable.count(name) > 0) {
            return std::nullopt;
        }
        return it->second.substr(0, maxBytes);
    }
    // Each picture read is told apart by its width: the first is 1 pixel
    // wide, the second 2, and so on.
    DecodedBitmap ReadBitmap(const std::string& name) const override {
        picturesRead.push_back(name);
        const auto width = static_cast<int>(picturesRead.size());
        return {width, 1, std::vector<std::uint32_t>(picturesRead.size()), {}};
    }
    mutable std::vector<std::string> picturesRead;
    std::string WhyKeptAsItIs(const std::string&) const override { return {}; }
    bool ReplaceFile(const std::string& name, const std::string& contents) override {
        log_.Add("ReplaceFile " + name);
        ++writes;
        if (failWrites) {
            return false;
        }
        files[name] = contents;
        return true;
    }
    // As where the system keeps no short names.
    std::wstring ShortPath(const std::wstring& path) const override { return path; }
    wchar_t PathSeparator() const override { return L'\\'; }
    std::wstring DefaultImageFolder() const override { return L"C:\\Windows\\"; }

  private:
    CallLog& log_;
};

class FakeDiagnostics : public Diagnostics {
  public:
    std::vector<std::string> lines;

    void ReportFailure(std::string_view what, std::string_view path,
                       std::string_view reason) override {
        lines.push_back(std::string(what) + ": " + std::string(path) + ": " + std::string(reason));
    }
};

class FakeRandom : public RandomSource {
  public:
    float next = 0.0f;
    int reseeds = 0;

    void RandomizeFromTimeOfDay() override { ++reseeds; }
    float Rnd() override { return next; }
};

}  // namespace plimex::testing

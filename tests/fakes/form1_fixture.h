#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fakes/null_backend.h"

namespace plimex::testing {

// A main window on the null backend.
class Form1Test : public ::testing::Test, protected NullBackend {
  protected:
    void WriteOptions(const std::string& contents) { fs.files["Plimex.ini"] = contents; }
    std::string SavedOptions() const {
        const auto it = fs.files.find("Plimex.ini");
        return it == fs.files.end() ? std::string("<none>") : it->second;
    }
    void AddFolder(const std::string& folder, std::vector<std::string> bitmaps) {
        fs.folders.insert(folder);
        fs.listings[folder + "*.bmp"] = std::move(bitmaps);
    }
    void Tick(int count) {
        for (int i = 0; i < count; ++i) form.Tmr_Timer();
    }
};

}  // namespace plimex::testing

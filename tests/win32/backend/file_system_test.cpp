#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "test_files.h"
#include "win32/handles.h"
#include "win32/windows_file_system.h"

namespace plimex::win32 {
namespace {

using ::testing::ElementsAre;
using testing::ScratchFolder;
using ::testing::UnorderedElementsAre;

plimex::testing::FakeDiagnostics diagnostics;

TEST(WindowsFileSystem, ListsOnlyOrdinaryFilesWithTheExtension) {
    const ScratchFolder folder;
    folder.Write("a.bmp", "a");
    folder.Write("B.BMP", "b");
    folder.Write("c.jpg", "c");
    folder.Write("d.bmp.txt", "d");
    folder.Write("e.bmp", "e", FILE_ATTRIBUTE_HIDDEN);
    folder.Write("s.bmp", "s", FILE_ATTRIBUTE_SYSTEM);
    folder.Write("r.bmp", "r", FILE_ATTRIBUTE_READONLY);
    folder.Write("long name.bmpx", "x");
    folder.MakeFolder("f.bmp");

    const PackedNames names =
        WindowsFileSystem(diagnostics).FindNormalFiles(folder.Path() + "*.bmp");
    std::vector<std::string> found;
    for (const auto name : names) {
        found.emplace_back(name);
    }
    EXPECT_THAT(found, UnorderedElementsAre("a.bmp", "B.BMP", "r.bmp"));
}

TEST(WindowsFileSystem, FindsNothingInAMissingFolder) {
    EXPECT_TRUE(
        WindowsFileSystem(diagnostics).FindNormalFiles("Q:\\no such folder\\*.bmp").empty());
}

TEST(WindowsFileSystem, OrdinaryFileExcludesFoldersHiddenAndSystemFiles) {
    const ScratchFolder folder;
    const WindowsFileSystem files(diagnostics);
    EXPECT_TRUE(files.IsOrdinaryFile(folder.Write("Plimex.ini", "x")));
    EXPECT_TRUE(files.IsOrdinaryFile(folder.Write("kept.ini", "x", FILE_ATTRIBUTE_READONLY)));
    EXPECT_FALSE(files.IsOrdinaryFile(folder.Write("hidden.ini", "x", FILE_ATTRIBUTE_HIDDEN)));
    EXPECT_FALSE(files.IsOrdinaryFile(folder.Write("system.ini", "x", FILE_ATTRIBUTE_SYSTEM)));
    EXPECT_FALSE(files.IsOrdinaryFile(folder.MakeFolder("folder.ini")));
    EXPECT_FALSE(files.IsOrdinaryFile(folder.Path() + "missing.ini"));

    EXPECT_TRUE(files.IsFolder(folder.MakeFolder("sub")));
    EXPECT_FALSE(files.IsFolder(folder.Path() + "Plimex.ini"));
    EXPECT_FALSE(files.IsFolder(folder.Path() + "missing"));
}

TEST(WindowsFileSystem, ReadsAtMostTheLimit) {
    const ScratchFolder folder;
    const std::string path = folder.Write("Plimex.ini", std::string(10000, 'x') + "end");
    const WindowsFileSystem files(diagnostics);
    EXPECT_EQ(files.ReadFile(path, 5), "xxxxx");
    EXPECT_EQ(files.ReadFile(path, 1 << 20)->size(), 10003u);
    EXPECT_EQ(files.ReadFile(folder.Path() + "missing", 10), std::nullopt);
}

TEST(WindowsFileSystem, ReplaceFileWritesTheWholeTextAndLeavesNoTemporaryFile) {
    const ScratchFolder folder;
    const std::string path = folder.Write("Plimex.ini", "old contents, longer than the new");
    WindowsFileSystem files(diagnostics);

    EXPECT_TRUE(files.ReplaceFile(path, "[options]\r\n"));
    EXPECT_EQ(testing::ReadWhole(path), "[options]\r\n");
    EXPECT_TRUE(files.ReplaceFile(folder.Path() + "new.ini", "created"));
    EXPECT_EQ(testing::ReadWhole(folder.Path() + "new.ini"), "created");
    EXPECT_THAT(folder.Names(), UnorderedElementsAre("Plimex.ini", "new.ini"));
}

TEST(WindowsFileSystem, AFailedReplaceKeepsTheOldFile) {
    const ScratchFolder folder;
    const std::string path = folder.Write("Plimex.ini", "old");
    // Another program holds the file open without letting it be replaced.
    const UniqueFile held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.Valid());

    EXPECT_FALSE(WindowsFileSystem(diagnostics).ReplaceFile(path, "new"));
    EXPECT_EQ(testing::ReadWhole(path), "old");
    EXPECT_THAT(folder.Names(), ElementsAre("Plimex.ini"));
}

TEST(WindowsFileSystem, AFolderThatCannotBeWrittenGivesFailure) {
    EXPECT_FALSE(WindowsFileSystem(diagnostics).ReplaceFile("Q:\\no such folder\\Plimex.ini", "x"));
}

}  // namespace
}  // namespace plimex::win32

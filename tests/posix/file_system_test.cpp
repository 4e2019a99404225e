#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "fakes/fake_platform.h"
#include "posix/locale_code_page.h"
#include "posix/posix_file_system.h"
#include "posix/scratch_folder.h"
#include "posix/unique_fd.h"

namespace plimex::posix {
namespace {

using plimex::ScratchFolder;

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Sorted(const PackedNames& packed) {
    std::vector<std::string> names;
    for (const std::string_view name : packed) {
        names.emplace_back(name);
    }
    return Sorted(names);
}

std::vector<std::string> FilesInFolder(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return Sorted(names);
}

class PosixFileSystemTest : public ::testing::Test {
  protected:
    LocaleCodePage codePage;
    plimex::testing::FakeDiagnostics diagnostics;
    PosixFileSystem fs{codePage, diagnostics};
    ScratchFolder folder;
};

TEST_F(PosixFileSystemTest, ListsOrdinaryBitmapsOnlyWhateverTheirCase) {
    for (const char* name : {"a.bmp", "B.BMP", "c.jpg", "d.bmp.txt", ".e.bmp", "g.Bmp"}) {
        folder.Write(name);
    }
    std::filesystem::create_directory(folder / "f.bmp");
    ASSERT_EQ(::mkfifo((folder / "fifo.bmp").c_str(), 0600), 0);
    const UniqueFd socketFd(::socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = folder / "socket.bmp";
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(socketFd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::filesystem::create_symlink(folder / "a.bmp", folder / "link.bmp");
    std::filesystem::create_symlink(folder / "missing", folder / "dangling.bmp");
    std::filesystem::create_directory_symlink(folder / "f.bmp", folder / "folderlink.bmp");

    EXPECT_EQ(Sorted(fs.FindNormalFiles(folder / "*.bmp")),
              (std::vector<std::string>{"B.BMP", "a.bmp", "g.Bmp", "link.bmp"}));
}

TEST_F(PosixFileSystemTest, ListsNamesThatAreNotValidInTheLocaleAsTheirBytes) {
    const std::string latin1 = "caf\xe9.bmp";
    folder.Write(latin1);
    EXPECT_EQ(Sorted(fs.FindNormalFiles(folder / "*.bmp")), std::vector<std::string>{latin1});
    EXPECT_TRUE(fs.IsOrdinaryFile(folder / latin1));
}

TEST_F(PosixFileSystemTest, AFolderThatCannotBeListedListsNothing) {
    EXPECT_TRUE(fs.FindNormalFiles(folder / "absent/*.bmp").empty());
    EXPECT_FALSE(fs.IsFolder(folder / "absent"));
    EXPECT_TRUE(fs.IsFolder(folder.Folder()));
}

TEST_F(PosixFileSystemTest, OnlyVisibleRegularFilesAreOrdinary) {
    folder.Write("Plimex.ini", "x");
    folder.Write(".hidden", "x");
    std::filesystem::create_directory(folder / "sub");
    EXPECT_TRUE(fs.IsOrdinaryFile(folder / "Plimex.ini"));
    EXPECT_FALSE(fs.IsOrdinaryFile(folder / ".hidden"));
    EXPECT_FALSE(fs.IsOrdinaryFile(folder / "sub"));
    EXPECT_FALSE(fs.IsOrdinaryFile(folder / "absent"));
}

TEST_F(PosixFileSystemTest, ReadsAtMostTheBytesAskedFor) {
    folder.Write("big", std::string(10000, 'x'));
    EXPECT_EQ(fs.ReadFile(folder / "big", 5000)->size(), 5000u);
    EXPECT_EQ(fs.ReadFile(folder / "big", 1 << 20)->size(), 10000u);
    EXPECT_FALSE(fs.ReadFile(folder / "absent", 10).has_value());
    // A FIFO in the options file's place gives nothing instead of blocking.
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(fs.ReadFile(folder / "fifo", 10).has_value());
}

TEST_F(PosixFileSystemTest, ReplacesAFileWholeAndLeavesNoTemporaryFile) {
    folder.Write("Plimex.ini", "old contents that are longer");
    ASSERT_TRUE(fs.ReplaceFile(folder / "Plimex.ini", "new"));
    EXPECT_EQ(*fs.ReadFile(folder / "Plimex.ini", 100), "new");
    EXPECT_EQ(FilesInFolder(folder.Folder()), std::vector<std::string>{"Plimex.ini"});
}

TEST_F(PosixFileSystemTest, AFailedReplaceLeavesTheOldFileAndNoTemporaryFile) {
    std::filesystem::create_directory(folder / "Plimex.ini");
    folder.Write("Plimex.ini/inside", "kept");
    EXPECT_FALSE(fs.ReplaceFile(folder / "Plimex.ini", "new"));
    EXPECT_EQ(*fs.ReadFile(folder / "Plimex.ini/inside", 100), "kept");
    EXPECT_EQ(FilesInFolder(folder.Folder()), std::vector<std::string>{"Plimex.ini"});

    EXPECT_FALSE(fs.ReplaceFile(folder / "absent/Plimex.ini", "new"));
}

TEST_F(PosixFileSystemTest, AReplaceKeepsPermissionsAndLinksAndSweepsOldTemporaryFiles) {
    folder.Write("Plimex.ini", "old");
    ASSERT_EQ(::chmod((folder / "Plimex.ini").c_str(), 0600), 0);
    folder.Write(".Plimex.ini.12345", "left by a save that was killed");
    folder.Write(".Plimex.ini.bak", "not ours");
    ASSERT_TRUE(fs.ReplaceFile(folder / "Plimex.ini", "new"));
    struct stat status {};
    ASSERT_EQ(::stat((folder / "Plimex.ini").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(FilesInFolder(folder.Folder()),
              (std::vector<std::string>{".Plimex.ini.bak", "Plimex.ini"}));

    std::filesystem::create_directory(folder / "kept");
    folder.Write("kept/options", "old");
    std::filesystem::create_symlink("kept/options", folder / "linked.ini");
    ASSERT_TRUE(fs.ReplaceFile(folder / "linked.ini", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "linked.ini"));
    EXPECT_EQ(*fs.ReadFile(folder / "kept/options", 100), "new");
}

// Run as root, a link to /dev/null would otherwise replace /dev/null; a null
// device of our own (root only) harms nothing.
TEST_F(PosixFileSystemTest, OnlyARegularFileOrNoneAtTheEndOfALinkIsReplaced) {
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    ::mknod((folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3));
    folder.Write("regular", "old");
    for (const std::string target : {"pipe", "null", "regular", "missing"}) {
        if (target == "null" && !std::filesystem::is_character_file(folder / target)) continue;
        std::filesystem::remove(folder / "Plimex.ini");
        std::filesystem::create_symlink(target, folder / "Plimex.ini");
        const bool regular = target == "regular" || target == "missing";
        EXPECT_EQ(fs.ReplaceFile(folder / "Plimex.ini", "new"), regular) << target;
        EXPECT_EQ(std::filesystem::is_regular_file(folder / target), regular) << target;
    }
}

TEST_F(PosixFileSystemTest, TheDefaultFolderIsAFolderEndingInASlash) {
    const std::wstring folderPath = fs.DefaultImageFolder();
    ASSERT_FALSE(folderPath.empty());
    EXPECT_EQ(folderPath.back(), L'/');
    EXPECT_TRUE(fs.IsFolder(codePage.ToAnsi(folderPath)));
    EXPECT_EQ(fs.PathSeparator(), L'/');
}

class DefaultFolderTest : public PosixFileSystemTest {
  protected:
    void SetUp() override {
        if (std::filesystem::exists(PLIMEX_SAMPLES_FOLDER) ||
            std::filesystem::exists("/usr/share/backgrounds")) {
            GTEST_SKIP() << "the samples' or the system's wallpaper folder takes precedence here";
        }
        savedHome_ = std::getenv("HOME");
        ::setenv("HOME", folder.Folder().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder / ".config").c_str(), 1);
    }
    void TearDown() override {
        if (!savedHome_.empty()) {
            ::setenv("HOME", savedHome_.c_str(), 1);
        }
        ::unsetenv("XDG_CONFIG_HOME");
    }

  private:
    std::string savedHome_;
};

TEST_F(DefaultFolderTest, IsThePicturesFolderWhenThereIsOneElseHome) {
    EXPECT_EQ(codePage.ToAnsi(fs.DefaultImageFolder()), folder.Folder());
    std::filesystem::create_directory(folder / "Pictures");
    EXPECT_EQ(codePage.ToAnsi(fs.DefaultImageFolder()), folder / "Pictures/");
}

}  // namespace
}  // namespace plimex::posix

#include "win32/system_ansi_code_page.h"

#include <gtest/gtest.h>

#include "win32/windows_api.h"

namespace plimex::win32 {
namespace {

TEST(SystemAnsiCodePage, Western1252ConvertsAccentsToSingleBytes) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the system's code page is " << GetACP();
    }
    const SystemAnsiCodePage codePage;
    EXPECT_EQ(codePage.ToAnsi(L"Icône é €"), "Ic\xF4ne \xE9 \x80");
    EXPECT_EQ(codePage.FromAnsi("D\xE9sactiver"), L"Désactiver");
    EXPECT_EQ(codePage.ToAnsi(L"\u0151"), "?");  // not in the code page
}

TEST(SystemAnsiCodePage, EveryByteTheSystemGivesComesBackUnchanged) {
    // A file name listed from the disk must lead back to the same file.
    std::string bytes;
    for (int b = 1; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    const SystemAnsiCodePage codePage;
    EXPECT_EQ(codePage.ToAnsi(codePage.FromAnsi(bytes)), bytes);
}

TEST(SystemAnsiCodePage, KeepsEmbeddedNulsAndEmptyText) {
    const SystemAnsiCodePage codePage;
    EXPECT_EQ(codePage.ToAnsi(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(codePage.FromAnsi(""), L"");
    EXPECT_EQ(codePage.ToAnsi(L""), "");
}

}  // namespace
}  // namespace plimex::win32

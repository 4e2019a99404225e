#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

#include "posix/locale_code_page.h"

namespace plimex::posix {
namespace {

class LocaleCodePageTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr); }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
    LocaleCodePage codePage;
};

TEST_F(LocaleCodePageTest, AccentedNamesDecodeAndEncodeBackUnchanged) {
    const std::string utf8 = "/home/léa/Fonds d'écran/Été à Noël.bmp";
    const std::wstring wide = codePage.FromAnsi(utf8);
    EXPECT_EQ(wide, L"/home/léa/Fonds d'écran/Été à Noël.bmp");
    EXPECT_EQ(codePage.ToAnsi(wide), utf8);
}

TEST_F(LocaleCodePageTest, BytesThatAreNotUtf8SurviveTheRoundTrip) {
    const std::string names[] = {
        std::string("caf\xe9.bmp"),           // Latin-1 é
        std::string("\xff\xfe.bmp"),          // never valid
        std::string("cut\xc3"),               // a sequence cut at the end
        std::string("\xed\xb2\x80.bmp"),      // an encoded surrogate
        std::string("nul\0inside", 10),       // an embedded NUL
        std::string("\xc3\xa9\x80\xc3\xa9"),  // a stray continuation byte between two é
    };
    for (const std::string& name : names) {
        EXPECT_EQ(codePage.ToAnsi(codePage.FromAnsi(name)), name);
    }
}

TEST_F(LocaleCodePageTest, AnUndecodableByteBecomesItsOwnEscapeCharacter) {
    EXPECT_EQ(codePage.FromAnsi("caf\xe9.bmp"), std::wstring(L"caf") + wchar_t(0xDCE9) + L".bmp");
    EXPECT_EQ(codePage.FromAnsi("\xc3\xa9\x80"), std::wstring(L"é") + wchar_t(0xDC80));
}

TEST_F(LocaleCodePageTest, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(codePage.ToAnsi(codePage.FromAnsi(all)), all);
}

TEST(LocaleCodePageInCLocale, UnrepresentableCharactersBecomeQuestionMarks) {
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    const LocaleCodePage codePage;
    EXPECT_EQ(codePage.ToAnsi(L"Icône"), "Ic?ne");
    EXPECT_EQ(codePage.ToAnsi(codePage.FromAnsi("Ic\xf4ne")), "Ic\xf4ne");
}

TEST(UserLocaleTest, ABareCLocaleReadsNamesAsUtf8) {
    const char* current = std::getenv("LC_ALL");
    const std::optional<std::string> saved =
        current != nullptr ? std::optional<std::string>(current) : std::nullopt;
    ::setenv("LC_ALL", "C", 1);
    UseUserLocale();
    EXPECT_EQ(LocaleCodePage().FromAnsi("\xc3\xa9t\xc3\xa9"), L"été");
    if (saved) {
        ::setenv("LC_ALL", saved->c_str(), 1);
    } else {
        ::unsetenv("LC_ALL");
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace plimex::posix

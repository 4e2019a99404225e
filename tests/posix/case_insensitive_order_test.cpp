#include "posix/case_insensitive_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

#include "posix/locale_code_page.h"

namespace plimex::posix {
namespace {

class CaseInsensitiveOrderTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr); }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
    SortIgnoringCase(names);
    return names;
}

// The order users have always seen: '[' and '_' before the letters (they lie
// between the capitals and the small letters), a name before its longer
// continuations, digits by character and not by number, accented letters and
// undecodable bytes (U+DC80 + byte) after the plain letters, and names that
// differ only in case by their exact characters, capitals first.
TEST_F(CaseInsensitiveOrderTest, AwkwardNamesKeepTheirOrder) {
    const std::vector<std::wstring> sorted = {
        L"[x].bmp",  L"_x.bmp",        L"A.bmp",         L"a.bmp",      L"a.bmp.bmp",
        L"a10.bmp",  L"A2.bmp",        L"a2.bmp",        L"B.bmp",      L"b.bmp",
        L"café.bmp", L"CAF\xDCE9.bmp", L"caf\xDCE9.bmp", L"Ete.bmp",    L"ete.bmp",
        L"i.bmp",    L"\u0130.bmp",    L"K.bmp",         L"k.bmp",      L"\u212A.bmp",
        L"Z.bmp",    L"z.bmp",         L"~x.bmp",        L"ß.bmp",      L"\u1E9E.bmp",
        L"Été.bmp",  L"été.bmp",       L"\u03A9.bmp",    L"\u03C9.bmp", L"\U0001F600.bmp",
    };
    std::vector<std::wstring> shuffled = sorted;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    EXPECT_EQ(Sorted(shuffled), sorted);
}

// Many names sharing long prefixes and differing only in case, or in one
// character.
std::vector<std::wstring> AwkwardNames() {
    const std::wstring alphabet = {L'a', L'A', L'b',      L'B',      L'_', L'1',      L'2', L'\0',
                                   L'é', L'É', L'\xDCE9', L'\u1E9E', L'ß', L'\u212A', L'k'};
    const std::wstring stems[] = {L"", L"IMG_2024", L"Vacances d'été ", L"photo"};
    std::mt19937 generator(11);
    std::vector<std::wstring> names;
    for (int i = 0; i < 20000; ++i) {
        std::wstring name = stems[generator() % 4];
        for (std::size_t length = generator() % 14; length > 0; --length) {
            name += alphabet[generator() % alphabet.size()];
        }
        names.push_back(name);
    }
    // A group that differs in one byte early on, its tails alike.
    for (int i = 0; i < 40; ++i) {
        names.push_back(std::wstring(L"x") + L"aAbB_12k"[i % 8] + L"-alike.bmp");
    }
    return names;
}

// In every order: the same order as folding both names in each comparison.
TEST_F(CaseInsensitiveOrderTest, ManyNamesSortAsFoldedComparisonsDo) {
    const std::vector<std::wstring> names = AwkwardNames();
    const auto folded = [](std::wstring name) {
        for (wchar_t& c : name) {
            c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
        }
        return name;
    };
    std::vector<std::wstring> expected = names;
    std::sort(expected.begin(), expected.end(), [&](const std::wstring& a, const std::wstring& b) {
        const int order = folded(a).compare(folded(b));
        return order != 0 ? order < 0 : a < b;
    });
    EXPECT_EQ(Sorted(names), expected);
}

// The names as the system gives them (bytes that may not decode) take the
// order of their decoded forms.
TEST_F(CaseInsensitiveOrderTest, PackedNamesTakeTheOrderOfTheirDecodedForms) {
    const LocaleCodePage codePage;
    PackedNames packed;
    std::vector<std::wstring> decoded;
    for (const std::wstring& name : AwkwardNames()) {
        packed.Add(codePage.ToAnsi(name));
        decoded.push_back(codePage.FromAnsi(packed[packed.size() - 1]));
    }
    std::vector<std::wstring> inOrder;
    for (const std::uint32_t index : OrderIgnoringCase(packed, codePage)) {
        inOrder.push_back(codePage.FromAnsi(packed[index]));
    }
    EXPECT_EQ(inOrder, Sorted(decoded));
}

}  // namespace
}  // namespace plimex::posix

// The crossing between the program's 8-bit text and the windows' UTF-16.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/TempDir.h"
#include "ui/Text.h"

namespace permora {
namespace {

TEST(TextTest, ConvertsThroughTheAnsiCodePage) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western European code page, have " << GetACP();
    EXPECT_EQ(Widen("caf\xE9 \x80"), L"caf\u00E9 \u20AC");
    EXPECT_EQ(Narrow(L"caf\u00E9 \u20AC"), "caf\xE9 \x80");
    EXPECT_EQ(Widen(""), L"");
}

// What the code page cannot spell must never turn into another character on
// its way into a command line: a full-width quotation mark into a real one.
TEST(TextTest, TextTheCodePageCannotSpellIsNeverAlteredSilently) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western European code page, have " << GetACP();
    struct Case {
        const wchar_t* wide;
        const char* narrowed;
    } cases[] = {
        {L"a\uFF02b", "a?b"},       // full-width quotation mark
        {L"\u4E2D", "?"},           // not in the code page at all
        {L"\u0100dmin", "?dmin"},   // A with macron, best-fit would give A
        {L"x\uFF1Ey", "x?y"},       // full-width greater-than
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Narrow(c.wide), c.narrowed);
        std::string exact = "untouched";
        EXPECT_FALSE(NarrowExact(c.wide, exact)) << c.narrowed;
        EXPECT_EQ(exact, "untouched");
    }
    std::string exact;
    EXPECT_TRUE(NarrowExact(L"M\u00FCller \u20AC\"", exact));
    EXPECT_EQ(exact, "M\xFCller \x80\"");
}

TEST(TextTest, APathTheCodePageCannotSpellGetsItsShortForm) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western European code page, have " << GetACP();
    test::TempDir dir;
    std::wstring folder = Widen(dir.Dir()) + L"\u03A9 files";  // Greek capital omega
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));

    std::string ansi = AnsiPath(folder);

    EXPECT_EQ(ansi.find('?'), std::string::npos) << ansi;
    DWORD attributes = GetFileAttributesA(ansi.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << ansi;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(AnsiPath(L"C:\\Caf\u00E9"), "C:\\Caf\xE9");  // spelled as it is
}

}  // namespace
}  // namespace permora

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
    EXPECT_EQ(Narrow(L"\u4E2D"), "?");  // not in the code page
    EXPECT_EQ(Widen(""), L"");
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

#include "core/LineStore.h"

#include <cstdint>
#include <random>

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#else
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "tests/TempDir.h"

#ifdef __SANITIZE_ADDRESS__
// A file too large for memory must fail here as it does without the
// sanitizer: with a null from malloc, not a sanitizer report.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif

namespace permora {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Lines = std::vector<std::string>;

// A file of `size` bytes that takes no room on the disk.
bool MakeSparseFile(const std::string& path, std::uint64_t size) {
    WriteBytes(path, "x\r\n");
#ifdef _WIN32
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD unused = 0;
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
#else
    return ::truncate(path.c_str(), static_cast<off_t>(size)) == 0;
#endif
}

struct LoadCase {
    const char* label;
    std::string bytes;
    Lines lines;
    std::string savedAs;  // what saving those lines writes back
};

TEST(LineStore, LoadsEveryBreakKindAndSavesCrLf) {
    const LoadCase cases[] = {
        {"empty file", "", {}, ""},
        {"no final break", "a\r\nb", {"a", "b"}, "a\r\nb\r\n"},
        {"final break adds no line", "a\r\n", {"a"}, "a\r\n"},
        {"lone LF and lone CR", "a\nb\rc", {"a", "b", "c"}, "a\r\nb\r\nc\r\n"},
        {"mixed with empty lines", "a\r\n\r\n\nb\r\r\n", {"a", "", "", "b", ""}, "a\r\n\r\n\r\nb\r\n\r\n"},
        {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
        {"single lone CR", "\r", {""}, "\r\n"},
        {"single LF", "\n", {""}, "\r\n"},
        {"bytes >= 0x80 and NUL", std::string("M\xFC" "ller\0x\r\n\xFF", 11), {std::string("M\xFC" "ller\0x", 8), "\xFF"},
         std::string("M\xFC" "ller\0x\r\n\xFF\r\n", 13)},
    };
    TempDir dir;
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.label);
        WriteBytes(dir.File("in"), c.bytes);
        LineStore store;
        FileMark mark;
        ASSERT_TRUE(store.LoadFromFile(dir.File("in"), &mark));
        EXPECT_EQ(store.Lines(), c.lines);
        // Only a file that already is in saved form may simply be appended to.
        EXPECT_EQ(mark.canonical, c.bytes == c.savedAs);
        EXPECT_EQ(mark.lines, c.lines.size());
        ASSERT_TRUE(store.SaveToFile(dir.File("out")));
        EXPECT_EQ(ReadBytes(dir.File("out")), c.savedAs);
        LineStore again;
        ASSERT_TRUE(again.LoadFromFile(dir.File("out")));
        EXPECT_EQ(again.Lines(), c.lines);
    }
}

TEST(LineStore, CrLfSplitAcrossReadChunksIsOneBreak) {
    TempDir dir;
    std::string first((1 << 20) - 1, 'x');  // CR is the chunk's last byte, LF the next chunk's first
    WriteBytes(dir.File("in"), first + "\r\nnext\r\n");
    LineStore store;
    ASSERT_TRUE(store.LoadFromFile(dir.File("in")));
    EXPECT_EQ(store.Lines(), (Lines{first, "next"}));
}

TEST(LineStore, ManyChunksOfMixedBreaksRoundTrip) {
    // Several read chunks of short lines, every break kind, and one line longer than a chunk.
    std::mt19937 random(7);
    const char* breaks[] = {"\r\n", "\r", "\n"};
    std::string bytes;
    std::string canonical;
    Lines lines;
    bool afterCr = false;
    for (int i = 0; i < 400000; ++i) {
        std::string line = i == 1000 ? std::string(3 << 20, '\xE4') : std::string(random() % 12, static_cast<char>('a' + i % 26));
        std::string lineBreak = breaks[random() % 3];
        if (afterCr && line.empty() && lineBreak == "\n") lineBreak = "\r\n";  // CR then LF would be one break
        afterCr = lineBreak == "\r";
        bytes += line + lineBreak;
        canonical += line + "\r\n";
        lines.push_back(std::move(line));
    }
    TempDir dir;
    WriteBytes(dir.File("in"), bytes);
    LineStore store;
    ASSERT_TRUE(store.LoadFromFile(dir.File("in")));
    ASSERT_EQ(store.Count(), lines.size());
    EXPECT_TRUE(store.Lines() == lines);
    ASSERT_TRUE(store.SaveToFile(dir.File("out")));
    EXPECT_TRUE(ReadBytes(dir.File("out")) == canonical);
}

TEST(LineStore, FailedLoadKeepsLines) {
    TempDir dir;
    LineStore store;
    store.Add("kept");
    EXPECT_FALSE(store.LoadFromFile(dir.File("missing")));
    EXPECT_FALSE(store.LoadFromFile(dir.Dir()));
    EXPECT_EQ(store.Lines(), Lines{"kept"});
}

TEST(LineStore, LoadedAndAddedLinesAreOneList) {
    TempDir dir;
    WriteBytes(dir.File("in"), "a\r\nb\r\nc\r\n");
    LineStore store;
    ASSERT_TRUE(store.LoadFromFile(dir.File("in")));
    store.Add("d");
    LineStore copy = store;
    store.Set(1, "B");  // a loaded line
    store.Set(3, "D");  // an added one
    EXPECT_EQ(store.Lines(), (Lines{"a", "B", "c", "D"}));
    EXPECT_EQ(copy.Lines(), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(copy.Text(), "a\r\nb\r\nc\r\nd");
    LineStore tail;
    tail.Append(copy, 2);
    EXPECT_EQ(tail.Lines(), (Lines{"c", "d"}));
    ASSERT_TRUE(copy.SaveToFile(dir.File("out")));
    EXPECT_EQ(ReadBytes(dir.File("out")), "a\r\nb\r\nc\r\nd\r\n");
    ASSERT_TRUE(store.SaveToFile(dir.File("out")));
    EXPECT_EQ(ReadBytes(dir.File("out")), "a\r\nB\r\nc\r\nD\r\n");
}

TEST(LineStore, FileTooLargeForMemoryIsAFailedLoad) {
    // A sparse file: past what a 32-bit program can address, or past any
    // memory a 64-bit one could have here.
    TempDir dir;
    const std::uint64_t size = sizeof(void*) == 4 ? std::uint64_t(3) << 30 : std::uint64_t(1) << 40;
    ASSERT_TRUE(MakeSparseFile(dir.File("huge"), size)) << "cannot make a sparse file of " << size << " bytes";
    LineStore store;
    store.Add("kept");
    EXPECT_FALSE(store.LoadFromFile(dir.File("huge")));
    EXPECT_EQ(store.Lines(), Lines{"kept"});
}

TEST(LineStore, FailedSaveLeavesOldFileAndNoTempBehind) {
    TempDir dir;
    LineStore store;
    store.Add("new");
    EXPECT_FALSE(store.SaveToFile(dir.File("no such dir/file")));
    std::filesystem::create_directory(dir.File("adir"));
    EXPECT_FALSE(store.SaveToFile(dir.File("adir")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("adir")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("adir.saving")));
}

TEST(LineStore, TextJoinsWithCrLf) {
    LineStore store;
    EXPECT_EQ(store.Text(), "");
    store.Add("a");
    store.Add("");
    store.Add("b");
    EXPECT_EQ(store.Text(), "a\r\n\r\nb");
}

}  // namespace
}  // namespace permora

#include "core/CommandOutput.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/TempDir.h"

namespace permora {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Lines = std::vector<std::string>;

struct OutputCase {
    const char* label;
    std::string bytes;
    bool success;
};

TEST(CheckResult, JudgesTheOutputText) {
    const OutputCase cases[] = {
        {"marker alone", "--not-executed--\r\n", true},
        {"marker without break", "--not-executed--", true},
        {"marker then anything", "--not-executed--\r\nError: denied\r\n", true},
        {"marker plus a space", "--not-executed-- \r\n", false},
        {"marker with leading space", " --not-executed--\r\n", false},
        {"marker on line 2 only", "\r\n--not-executed--\r\n", false},
        {"success with full stop", "Completed successfully.\r\n", true},
        {"success prefix exactly", "Completed successfully", true},
        {"success prefix then any text", "Completed successfullyXYZ ...", true},
        {"success on a later line", "Processing\r\nError: none\nCompleted successfully.\r\n", true},
        {"success after a lone CR", "x\rCompleted successfully", true},
        {"success with leading space", " Completed successfully.\r\n", false},
        {"success in lower case", "completed successfully.\r\n", false},
        {"success one letter short", "Completed successfull\r\n", false},
        {"success inside a line", "Task Completed successfully.\r\n", false},
        {"error output", "Error: unknown permission Q\r\n", false},
        {"empty file", "", false},
        {"empty lines only", "\r\n\r\n", false},
    };
    TempDir dir;
    for (const OutputCase& c : cases) {
        SCOPED_TRACE(c.label);
        WriteBytes(OutputFilePath(dir.Dir()), c.bytes);
        LineStore result;
        result.Add("old");
        EXPECT_EQ(CheckResult(result, dir.Dir()), c.success);
        LineStore expected;
        ASSERT_TRUE(expected.LoadFromFile(OutputFilePath(dir.Dir())));
        EXPECT_EQ(result.Lines(), expected.Lines());  // replaced, "old" gone
    }
}

TEST(CheckResult, UnreadableFileFailsAndKeepsTheOldLines) {
    TempDir missing;
    LineStore result;
    result.Add("previous run");
    EXPECT_FALSE(CheckResult(result, missing.Dir()));
    EXPECT_EQ(result.Lines(), Lines{"previous run"});

    TempDir withDirectory;
    std::filesystem::create_directory(OutputFilePath(withDirectory.Dir()));
    EXPECT_FALSE(CheckResult(result, withDirectory.Dir()));
    EXPECT_EQ(result.Lines(), Lines{"previous run"});
}

TEST(OutputFile, PathAndNotExecutedMarker) {
    EXPECT_EQ(OutputFilePath("C:\\Apps\\Permora\\"), "C:\\Apps\\Permora\\Permora.tmp");

    TempDir dir;
    WriteBytes(OutputFilePath(dir.Dir()), "Completed successfully.\r\nmore output\r\n");
    ASSERT_TRUE(WriteNotExecutedMarker(dir.Dir()));
    EXPECT_EQ(ReadBytes(OutputFilePath(dir.Dir())), "--not-executed--\r\n");
    LineStore result;
    EXPECT_TRUE(CheckResult(result, dir.Dir()));
    EXPECT_EQ(result.Lines(), Lines{"--not-executed--"});
}

TEST(OutputFile, DiscardLeavesNoOldOutputToJudge) {
    TempDir dir;
    EXPECT_TRUE(DiscardOutputFile(dir.Dir()));  // nothing there is fine
    WriteBytes(OutputFilePath(dir.Dir()), "Completed successfully.\r\n");
    EXPECT_TRUE(DiscardOutputFile(dir.Dir()));
    EXPECT_FALSE(std::filesystem::exists(OutputFilePath(dir.Dir())));
    LineStore result;
    EXPECT_FALSE(CheckResult(result, dir.Dir()));
}

}  // namespace
}  // namespace permora

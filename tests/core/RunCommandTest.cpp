#include "core/RunCommand.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/CommandOutput.h"
#include "core/PermissionRequest.h"
#include "tests/TempDir.h"

// Lines here mean the same to cmd.exe and to the POSIX shell.
namespace permora {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(RunCommand, RedirectFillsTheOutputFile) {
    TempDir dir;  // its path holds a space
    RunCommand(AppendRedirect("echo Completed successfully", dir.Dir()));
    LineStore result;
    EXPECT_TRUE(CheckResult(result, dir.Dir()));
    ASSERT_EQ(result.Count(), 1u);
    EXPECT_EQ(result[0].rfind("Completed successfully", 0), 0u) << result[0];
}

TEST(RunCommand, ReturnsTheInterpretersExitCode) {
    EXPECT_EQ(RunCommand("exit 7"), 7);
    EXPECT_EQ(RunCommand("exit 0"), 0);
}

// A stray quote in a typed text swallows the redirect, so the output file is
// never written; the old success must not be taken for this run's.
TEST(RunRedirected, OldOutputIsNotJudgedAgain) {
    TempDir dir;
    WriteBytes(OutputFilePath(dir.Dir()), "Completed successfully.\r\n");
    EXPECT_EQ(RunRedirected(AppendRedirect("echo \"unbalanced", dir.Dir()), dir.Dir()), RunStatus::Ran);
    EXPECT_FALSE(std::filesystem::exists(OutputFilePath(dir.Dir())));
    LineStore result;
    EXPECT_FALSE(CheckResult(result, dir.Dir()));
}

}  // namespace
}  // namespace permora

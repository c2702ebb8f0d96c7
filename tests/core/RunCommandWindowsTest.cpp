// Runs through the real command interpreter and script host (under Wine in the
// cross builds) with the development stand-in for xcacls.vbs.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/CommandOutput.h"
#include "core/PermissionRequest.h"
#include "core/RunCommand.h"
#include "tests/StandInOutput.h"
#include "tests/TempDir.h"

namespace permora {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::EchoedArguments;
using test::TempDir;
using test::WriteBytes;
using Lines = std::vector<std::string>;

std::optional<std::string> GetEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// Puts COMSPEC, PATH and the current directory back as they were.
class EnvironmentGuard {
public:
    EnvironmentGuard() : comspec_(GetEnv("COMSPEC")), path_(GetEnv("PATH")), cwd_(fs::current_path()) {}
    ~EnvironmentGuard() {
        _putenv_s("COMSPEC", comspec_ ? comspec_->c_str() : "");
        _putenv_s("PATH", path_ ? path_->c_str() : "");
        std::error_code ec;
        fs::current_path(cwd_, ec);
    }

private:
    std::optional<std::string> comspec_, path_;
    fs::path cwd_;
};

struct StandInCase {
    const char* label;
    AclMethod method;
    bool editAcl;
    bool read, write, deleteChildren;
    std::string user, extra;
    bool success;
    Lines arguments;  // after the target
};

TEST(StandIn, ComposedRequestsRunThroughCmdAndCscript) {
    TempDir dir;
    const std::string appDir = dir.Dir() + "app dir\\";
    const std::string target = dir.Dir() + "target dir";
    fs::create_directories(appDir);
    fs::create_directories(target);
    fs::copy_file(PERMORA_STANDIN_SCRIPT, appDir + "xcacls.vbs");

    const StandInCase cases[] = {
        {"grant read and write, edit", AclMethod::Grant, true, true, true, false, "OFFICE\\Sales", "", true,
         {"/E", "/G", "OFFICE\\Sales:R", "/G", "OFFICE\\Sales:W"}},
        {"deny with delete entry", AclMethod::Deny, false, true, false, true, "OFFICE\\Sales", "", true,
         {"/D", "OFFICE\\Sales:R", "OFFICE\\Sales:7"}},
        {"revoke", AclMethod::Revoke, true, true, true, true, "OFFICE\\Sales", "", true, {"/E", "/R", "OFFICE\\Sales"}},
        {"bad permission letter in extra parameters", AclMethod::Replace, false, true, false, false, "OFFICE\\Sales",
         "OFFICE\\Sales:Q", false, {"/P", "OFFICE\\Sales:R", "OFFICE\\Sales:Q"}},
        {"grant without any permission", AclMethod::Grant, false, false, false, false, "OFFICE\\Sales", "", false,
         {"/G"}},
        {"user with a space splits in two", AclMethod::Grant, false, true, false, false, "OFFICE\\Sales Team", "",
         false, {"/G", "OFFICE\\Sales", "Team:R"}},
    };
    for (const StandInCase& c : cases) {
        SCOPED_TRACE(c.label);
        PermissionRequest request;
        request.XcaclsPath = appDir + "xcacls.vbs";
        request.Target = target;
        request.User = c.user;
        request.EditAcl = c.editAcl;
        request.Method = c.method;
        request.ListFolderContent = c.read;
        request.Read = c.read;
        request.Write = c.write;
        request.DeleteSubfoldersAndFiles = c.deleteChildren;
        request.ExtraParameters = c.extra;

        ASSERT_TRUE(DiscardOutputFile(appDir));
        RunCommand(AppendRedirect(ComposeCommand(request), appDir));
        ASSERT_TRUE(fs::exists(OutputFilePath(appDir))) << "the redirect wrote no output file";
        LineStore output;
        EXPECT_EQ(CheckResult(output, appDir), c.success) << output.Text();
        Lines expected{target};
        expected.insert(expected.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(EchoedArguments(output), expected) << output.Text();
    }
}

// The interpreter gets "/c " and the line exactly as given, quotes, doubled
// spaces and redirect characters included.
TEST(Interpreter, LineReachesComspecUnchanged) {
    EnvironmentGuard guard;
    TempDir dir;
    const std::string recorder = dir.Dir() + "interpreter dir\\recorder.exe";
    fs::create_directories(dir.Dir() + "interpreter dir");
    fs::copy_file(PERMORA_RECORDER, recorder);
    _putenv_s("PERMORA_RECORD_TO", dir.File("recorded.txt").c_str());
    _putenv_s("COMSPEC", recorder.c_str());

    const std::string line = "CSCRIPT.EXE \"a b\\x.vbs\" \"D:\\t\" /G U:R &|<^%PATH%  > \"C:\\a b\\Permora.tmp\"";
    EXPECT_EQ(RunCommand(line), 42);
    const std::string recorded = ReadBytes(dir.File("recorded.txt"));
    const std::string tail = " /c " + line;
    ASSERT_GE(recorded.size(), tail.size()) << recorded;
    EXPECT_EQ(recorded.substr(recorded.size() - tail.size()), tail);
}

// Without COMSPEC, CMD.EXE is looked for in the current directory, then along
// PATH, and that one is started, every time. (Wine's own fallback would take
// the cmd.bat below first, and fails every other call in some call patterns.)
TEST(Interpreter, WithoutComspecCmdExeIsFoundAlongPath) {
    EnvironmentGuard guard;
    TempDir dir;
    fs::create_directories(dir.Dir() + "cwd");
    fs::create_directories(dir.Dir() + "no cmd");
    fs::create_directories(dir.Dir() + "bin");
    WriteBytes(dir.Dir() + "cwd\\cmd.bat", "@exit 7\r\n");
    fs::copy_file(PERMORA_RECORDER, dir.Dir() + "bin\\CMD.EXE");
    _putenv_s("PERMORA_RECORD_TO", dir.File("recorded.txt").c_str());
    _putenv_s("COMSPEC", "");
    _putenv_s("PATH", (dir.Dir() + "no cmd;" + dir.Dir() + "bin").c_str());
    fs::current_path(dir.Dir() + "cwd");

    for (const char* line : {"first run", "second run", "third run"}) {
        SCOPED_TRACE(line);
        fs::remove(dir.File("recorded.txt"));
        EXPECT_EQ(RunCommand(line), 42);
        const std::string recorded = ReadBytes(dir.File("recorded.txt"));
        EXPECT_NE(recorded.find(std::string(" /c ") + line), std::string::npos) << recorded;
    }
    EXPECT_FALSE(GetEnv("COMSPEC")) << "COMSPEC was left set";
}

TEST(Interpreter, NoneFoundStartsNothing) {
    EnvironmentGuard guard;
    TempDir dir;
    const std::string appDir = dir.Dir() + "app dir\\";
    fs::create_directories(appDir);
    fs::create_directories(dir.Dir() + "empty");
    _putenv_s("COMSPEC", "");
    _putenv_s("PATH", (dir.Dir() + "empty").c_str());
    fs::current_path(dir.Dir() + "empty");

    EXPECT_EQ(RunCommand(AppendRedirect("echo Completed successfully", appDir)), -1);
    EXPECT_FALSE(fs::exists(OutputFilePath(appDir)));

    // An earlier success left behind is not taken for this run's.
    WriteBytes(OutputFilePath(appDir), "Completed successfully.\r\n");
    EXPECT_EQ(RunRedirected(AppendRedirect("echo Completed successfully", appDir), appDir),
              RunStatus::NoInterpreter);
    EXPECT_FALSE(fs::exists(OutputFilePath(appDir)));
}

// An old output that another program holds open cannot be removed: nothing
// runs, and the old success stays unjudged by the caller.
TEST(RunRedirected, OldOutputHeldOpenStartsNothing) {
    TempDir dir;
    WriteBytes(OutputFilePath(dir.Dir()), "Completed successfully.\r\n");
    HANDLE held = CreateFileA(OutputFilePath(dir.Dir()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string marker = dir.File("ran.txt");
    EXPECT_EQ(RunRedirected("echo x > \"" + marker + "\"", dir.Dir()), RunStatus::OutputNotRemoved);
    CloseHandle(held);
    EXPECT_FALSE(fs::exists(marker));
}

}  // namespace
}  // namespace permora

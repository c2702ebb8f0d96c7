#include "core/PermissionRequest.h"

#include <gtest/gtest.h>

namespace permora {
namespace {

// Flags by their permission letters: F M X R L W 7.
PermissionRequest Request(AclMethod method, const std::string& flags, bool editAcl = false,
                          const std::string& user = "OFFICE\\Sales", const std::string& extra = "") {
    PermissionRequest r;
    r.XcaclsPath = "C:\\Tools\\xcacls.vbs";
    r.Target = "D:\\Data\\Projects";
    r.User = user;
    r.EditAcl = editAcl;
    r.Method = method;
    r.FullControl = flags.find('F') != std::string::npos;
    r.Modify = flags.find('M') != std::string::npos;
    r.ReadAndExecute = flags.find('X') != std::string::npos;
    r.Read = flags.find('R') != std::string::npos;
    r.ListFolderContent = flags.find('L') != std::string::npos;
    r.Write = flags.find('W') != std::string::npos;
    r.DeleteSubfoldersAndFiles = flags.find('7') != std::string::npos;
    r.ExtraParameters = extra;
    return r;
}

struct ComposeCase {
    const char* label;
    PermissionRequest request;
    std::string command;
};

TEST(ComposeCommand, EveryBranchByteForByte) {
    const std::string head = "CSCRIPT.EXE \"C:\\Tools\\xcacls.vbs\" \"D:\\Data\\Projects\"";
    const ComposeCase cases[] = {
        // One row per permission text, Grant, nothing else set.
        {"F", Request(AclMethod::Grant, "F"), head + " /G OFFICE\\Sales:F "},
        {"M", Request(AclMethod::Grant, "M"), head + " /G OFFICE\\Sales:M "},
        {"X+W", Request(AclMethod::Grant, "XW"), head + " /G OFFICE\\Sales:X /G OFFICE\\Sales:W "},
        {"X", Request(AclMethod::Grant, "X"), head + " /G OFFICE\\Sales:X "},
        {"R+W", Request(AclMethod::Grant, "RW"), head + " /G OFFICE\\Sales:R /G OFFICE\\Sales:W "},
        {"R", Request(AclMethod::Grant, "R"), head + " /G OFFICE\\Sales:R "},
        {"L+W", Request(AclMethod::Grant, "LW"), head + " /G OFFICE\\Sales:L /G OFFICE\\Sales:W "},
        {"L", Request(AclMethod::Grant, "L"), head + " /G OFFICE\\Sales:L "},
        {"W alone", Request(AclMethod::Grant, "W"), head + " /G OFFICE\\Sales:W "},
        {"no flag", Request(AclMethod::Grant, ""), head + " /G "},
        // Further requests.
        {"Grant all seven", Request(AclMethod::Grant, "FMXRLW7"), head + " /G OFFICE\\Sales:F OFFICE\\Sales:7 "},
        {"Deny 7 only", Request(AclMethod::Deny, "7"), head + " /D OFFICE\\Sales:7 "},
        {"Replace no flag", Request(AclMethod::Replace, ""), head + " /P "},
        {"None X R L W", Request(AclMethod::None, "XRLW"), head + " OFFICE\\Sales:X OFFICE\\Sales:W "},
        {"None F", Request(AclMethod::None, "F"), head + " OFFICE\\Sales:F "},
        {"None no flag", Request(AclMethod::None, ""), head + " "},
        {"Revoke /E any flags", Request(AclMethod::Revoke, "FMXRLW7", true), head + " /E /R OFFICE\\Sales "},
        {"Revoke", Request(AclMethod::Revoke, "W7"), head + " /R OFFICE\\Sales "},
        {"worked example", Request(AclMethod::Grant, "XRLW", true),
         head + " /E /G OFFICE\\Sales:X /G OFFICE\\Sales:W "},
        // Precedence and the separate 7 entry.
        {"M hides X and W", Request(AclMethod::Replace, "MXW"), head + " /P OFFICE\\Sales:M "},
        {"7 after a Write pair, switch not repeated", Request(AclMethod::Deny, "RW7"),
         head + " /D OFFICE\\Sales:R /D OFFICE\\Sales:W OFFICE\\Sales:7 "},
        // Texts are taken as they stand.
        {"user with spaces, unquoted", Request(AclMethod::Grant, "R", false, "OFFICE\\Sales Team"),
         head + " /G OFFICE\\Sales Team:R "},
        {"extra parameters after one space", Request(AclMethod::Grant, "L", false, "OFFICE\\Sales", "/T  /Q "),
         head + " /G OFFICE\\Sales:L /T  /Q "},
        {"empty texts", [] { PermissionRequest r; r.Method = AclMethod::Grant; r.Read = true; return r; }(),
         "CSCRIPT.EXE \"\" \"\" /G :R "},
    };
    for (const ComposeCase& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ComposeCommand(c.request), c.command);
    }
}

TEST(ComposeCommand, RunLineAndLogFormOfTheWorkedExample) {
    const std::string command = ComposeCommand(Request(AclMethod::Grant, "XRLW", true));
    const std::string line = AppendRedirect(command, "C:\\Apps\\Permora\\");
    EXPECT_EQ(line,
              "CSCRIPT.EXE \"C:\\Tools\\xcacls.vbs\" \"D:\\Data\\Projects\" /E /G OFFICE\\Sales:X "
              "/G OFFICE\\Sales:W  > \"C:\\Apps\\Permora\\Permora.tmp\"");
    EXPECT_EQ(CommandForLog(line), command + " ");
}

TEST(CommandForLog, CutsAtTheLastGreaterThan) {
    const std::string withArrow = ComposeCommand(Request(AclMethod::Grant, "R", false, "OFFICE\\Sales", "> a.txt"));
    EXPECT_EQ(CommandForLog(AppendRedirect(withArrow, "C:\\App\\")), withArrow + " ");
    EXPECT_EQ(CommandForLog("no redirect at all"), "");
    EXPECT_EQ(CommandForLog(">"), "");
    EXPECT_EQ(CommandForLog("a>b>c"), "a>b");
}

}  // namespace
}  // namespace permora

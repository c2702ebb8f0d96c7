#include "files/ConfigFile.h"
#include "files/ConfigSave.h"

#include <gtest/gtest.h>

#include "tests/TempDir.h"

namespace permora {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

LineStore Store(std::initializer_list<std::string> lines) {
    LineStore store;
    for (const std::string& line : lines) store.Add(line);
    return store;
}

WizardConfig ExampleWizard() {
    WizardConfig values;
    values.XcaclsPath = "C:\\Tools\\xcacls.vbs";
    values.EditAcl = true;
    values.Method = AclMethod::Deny;
    values.Permissions[static_cast<int>(PermissionFlag::Read)] = true;
    values.Permissions[static_cast<int>(PermissionFlag::ListFolderContent)] = true;
    values.ShowCommand = false;
    return values;
}

TEST(ConfigSave, WritesTheThirteenLinesByteForByte) {
    TempDir dir;
    LineStore tmpl = Store({"left over", "Version = 0.1"});
    ASSERT_TRUE(SaveConfig(ExampleWizard(), dir.Dir(), tmpl));
    const std::string expected =
        "Permora Config\r\n"
        "Version = 1.2\r\n"
        "XCACLSPath = C:\\Tools\\xcacls.vbs\r\n"
        "option_edit = true\r\n"
        "option_method = deny\r\n"
        "gui_F = false\r\n"
        "gui_M = false\r\n"
        "gui_X = false\r\n"
        "gui_R = true\r\n"
        "gui_L = true\r\n"
        "gui_W = false\r\n"
        "spec_7 = false\r\n"
        "ShowCommand = false\r\n";
    EXPECT_EQ(ReadBytes(dir.File("Permora.ini")), expected);
    EXPECT_EQ(tmpl.Count(), 13u);
    EXPECT_EQ(tmpl[1], "Version = 1.2");
}

TEST(ConfigSave, ReplacesHandEditsAndRoundTripsEveryValue) {
    struct Case {
        const char* label;
        AclMethod method;
        const char* methodText;
    };
    const Case cases[] = {
        {"grant", AclMethod::Grant, "grant"},
        {"deny", AclMethod::Deny, "deny"},
        {"replace", AclMethod::Replace, "replace"},
        {"none selected", AclMethod::None, "replace"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        WriteBytes(dir.File("Permora.ini"), "Permora Config\r\n# my notes\r\nExtra = 1\r\n");
        WizardConfig values;
        values.XcaclsPath = "  C:\\a=b\\M\xFCller #1\\xcacls.vbs ";
        values.Method = c.method;
        values.Permissions.fill(true);
        values.ShowCommand = true;
        LineStore tmpl;
        ASSERT_TRUE(SaveConfig(values, dir.Dir(), tmpl));

        LineStore config;
        ASSERT_TRUE(config.LoadFromFile(dir.File("Permora.ini")));
        EXPECT_EQ(config.Lines(), tmpl.Lines());
        EXPECT_EQ(config.Count(), 13u);
        EXPECT_EQ(GetConfigValue(config, "Extra"), "");
        EXPECT_EQ(GetConfigValue(config, "Version"), "1.2");
        // Blanks around a typed path are written but not read back.
        EXPECT_EQ(config[2], "XCACLSPath =   C:\\a=b\\M\xFCller #1\\xcacls.vbs ");
        EXPECT_EQ(GetConfigValue(config, "XCACLSPath"), "C:\\a=b\\M\xFCller #1\\xcacls.vbs");
        EXPECT_EQ(GetConfigValue(config, "option_edit"), "false");
        EXPECT_EQ(GetConfigValue(config, "option_method"), c.methodText);
        for (const char* key : kPermissionKeys) EXPECT_EQ(GetConfigValue(config, key), "true") << key;
        EXPECT_EQ(GetConfigValue(config, "ShowCommand"), "true");
    }
}

TEST(ConfigSave, EmptyPathIsWrittenBareAndReadsEmpty) {
    TempDir dir;
    LineStore tmpl;
    ASSERT_TRUE(SaveConfig(WizardConfig{}, dir.Dir(), tmpl));
    LineStore config;
    ASSERT_TRUE(config.LoadFromFile(dir.File("Permora.ini")));
    EXPECT_EQ(config[2], "XCACLSPath = ");
    EXPECT_EQ(GetConfigValue(config, "XCACLSPath"), "");
}

TEST(ConfigSave, ReportsFailureAndKeepsTheNewLines) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("Permora.ini"));
    LineStore tmpl;
    EXPECT_FALSE(SaveConfig(ExampleWizard(), dir.Dir(), tmpl));
    EXPECT_EQ(tmpl.Count(), 13u);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("Permora.ini")));

    EXPECT_FALSE(SaveConfig(ExampleWizard(), dir.File("missing") + "/", tmpl));
}

TEST(GetConfigValue, LooksUpTheExampleStore) {
    const LineStore config = Store({
        "Permora Config",
        "# hand-edited; Version = 0.9 was the old value",
        "Version = 1.2",
        "XCACLSPath =   C:\\Program Files\\xcacls.vbs   ",
        "option_edit=True",
        "option_method",
        "option_method = deny",
        "gui_Full = true",
        "gui_M = true # from the template",
        "ShowCommand =    ",
    });
    const struct {
        const char* key;
        const char* value;
    } lookups[] = {
        {"Version", "1.2"},
        {"XCACLSPath", "C:\\Program Files\\xcacls.vbs"},
        {"option_edit", "True"},
        {"option_method", ""},
        {"gui_F", "true"},
        {"gui_M", "true # from the template"},
        {"ShowCommand", ""},
        {"spec_7", ""},
        {"version", ""},
    };
    for (const auto& l : lookups) {
        SCOPED_TRACE(l.key);
        EXPECT_EQ(GetConfigValue(config, l.key), l.value);
    }
}

TEST(GetConfigValue, EdgeCases) {
    const struct {
        const char* label;
        LineStore config;
        const char* key;
        std::string value;
    } cases[] = {
        {"no lines", Store({}), "Version", ""},
        {"header only", Store({"Permora Config"}), "Version", ""},
        {"entry on the first line is never found", Store({"Version = 1.2", "Other = 1"}), "Version", ""},
        {"longer key before the real one", Store({"h", "Versions = 9", "Version = 1.2"}), "Version", "9"},
        {"equals sign inside the value", Store({"h", "XCACLSPath = C:\\a=b\\xcacls.vbs"}), "XCACLSPath",
         "C:\\a=b\\xcacls.vbs"},
        {"hash after the value belongs to it", Store({"h", "Version = 1.2 # current"}), "Version", "1.2 # current"},
        {"tab after the equals sign is kept", Store({"h", "Version =\t1.2"}), "Version", "\t1.2"},
        {"leading blank is no comment and no key", Store({"h", " Version = 1", "Version = 2"}), "Version", "2"},
        {"hash only counts in the first column", Store({"h", "#Version = 1", "Version = 2"}), "Version", "2"},
        {"empty line is skipped", Store({"h", "", "Version = 2"}), "Version", "2"},
        {"trailing CR and blanks are cut", Store({"h", "Version = 1.2 \r \r"}), "Version", "1.2"},
        {"only CR after equals", Store({"h", "Version =\r"}), "Version", ""},
        {"nothing after equals", Store({"h", "Version="}), "Version", ""},
        {"text between key and equals is skipped", Store({"h", "Version: x = 3"}), "Version", "3"},
        {"equals sign ending the key", Store({"h", "a= 5"}), "a=", "5"},
        {"bytes above 0x7F", Store({"h", "User = DOM\\M\xFCller"}), "User", "DOM\\M\xFCller"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(GetConfigValue(c.config, c.key), c.value);
    }
}

TEST(SetTemplateValue, ReplacesTheMatchingEntryOrAppends) {
    LineStore replaced = Store({"Permora Config", "Version = 1.2"});
    SetTemplateValue(replaced, "Version", "1.3");
    EXPECT_EQ(replaced.Lines(), (std::vector<std::string>{"Permora Config", "Version = 1.3"}));

    LineStore pastComment = Store({"Permora Config", "# Version = 1.2"});
    SetTemplateValue(pastComment, "Version", "1.3");
    EXPECT_EQ(pastComment.Lines(), (std::vector<std::string>{"Permora Config", "# Version = 1.2", "Version = 1.3"}));

    // The header is never replaced, and values keep their blanks.
    LineStore headerOnly = Store({"Version = 1.2"});
    SetTemplateValue(headerOnly, "Version", " 1.3 ");
    EXPECT_EQ(headerOnly.Lines(), (std::vector<std::string>{"Version = 1.2", "Version =  1.3 "}));
}

}  // namespace
}  // namespace permora

#pragma once
// "Permora.ini": a header line, then one "key = value" line per setting.
// The setup wizard writes it whole; the main window looks keys up in the
// lines it loaded.
#include <string>

#include "core/PermissionSelection.h"
#include "core/LineStore.h"

namespace permora {

inline constexpr char kConfigFileName[] = "Permora.ini";
inline constexpr char kConfigHeader[] = "Permora Config";
inline constexpr char kConfigVersion[] = "1.2";

inline constexpr char kKeyVersion[] = "Version";
inline constexpr char kKeyXcaclsPath[] = "XCACLSPath";
inline constexpr char kKeyOptionEdit[] = "option_edit";
inline constexpr char kKeyOptionMethod[] = "option_method";
inline constexpr char kKeyShowCommand[] = "ShowCommand";
// Indexed by PermissionFlag.
inline constexpr const char* kPermissionKeys[kPermissionFlagCount] = {
    "gui_F", "gui_M", "gui_X", "gui_R", "gui_L", "gui_W", "spec_7",
};

inline constexpr char kValueTrue[] = "true";
inline constexpr char kValueFalse[] = "false";
inline constexpr char kMethodGrant[] = "grant";
inline constexpr char kMethodDeny[] = "deny";
inline constexpr char kMethodReplace[] = "replace";

// The value of the first line after the header that begins with `key` and is
// no comment; empty when there is none. That line alone decides: the value
// runs from the first non-blank after its first "=" (searched from the key's
// last character on) to its last character that is neither blank nor CR.
// A longer key that begins with `key` matches too, as stored files expect.
std::string GetConfigValue(const LineStore& config, const std::string& key);

// Replaces the first line after the header that the lookup of `key` would
// use with "key = value", or appends that line when there is none.
void SetTemplateValue(LineStore& config, const std::string& key, const std::string& value);

}  // namespace permora

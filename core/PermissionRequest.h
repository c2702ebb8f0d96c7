#pragma once
// One execute request and the xcacls.vbs command line composed from it.
// Pure text composition: nothing is trimmed, quoted or escaped.
#include <string>

namespace permora {

enum class AclMethod { None, Grant, Deny, Replace, Revoke };

struct PermissionRequest {
    std::string XcaclsPath;
    std::string Target;
    std::string User;
    bool EditAcl = false;
    AclMethod Method = AclMethod::None;
    bool FullControl = false;
    bool Modify = false;
    bool ReadAndExecute = false;
    bool Read = false;
    bool ListFolderContent = false;
    bool Write = false;
    bool DeleteSubfoldersAndFiles = false;
    std::string ExtraParameters;
};

// The command text without the output redirect (what the confirmation dialog shows).
std::string ComposeCommand(const PermissionRequest& request);

// The line that is run: command, " > \"", appDir, "Permora.tmp\"".
std::string AppendRedirect(const std::string& command, const std::string& appDir);

// Everything before the last '>' of the line; empty when there is none.
std::string CommandForLog(const std::string& commandLine);

}  // namespace permora

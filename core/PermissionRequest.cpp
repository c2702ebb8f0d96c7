#include "core/PermissionRequest.h"

namespace permora {

namespace {

const char* MethodSwitch(AclMethod method) {
    switch (method) {
        case AclMethod::Grant: return " /G";
        case AclMethod::Deny: return " /D";
        case AclMethod::Replace: return " /P";
        case AclMethod::Revoke:
        case AclMethod::None: break;
    }
    return "";
}

// The permission entry's letters. Write has no combined letter with the read
// family, so it becomes a second entry that repeats the switch and the user.
std::string PermissionText(const PermissionRequest& r, const std::string& methodSwitch) {
    const std::string writeEntry = methodSwitch + " " + r.User + ":W";
    if (r.FullControl) return "F";
    if (r.Modify) return "M";
    if (r.ReadAndExecute) return r.Write ? "X" + writeEntry : "X";
    if (r.Read) return r.Write ? "R" + writeEntry : "R";
    if (r.ListFolderContent) return r.Write ? "L" + writeEntry : "L";
    if (r.Write) return "W";
    return "";
}

}  // namespace

std::string ComposeCommand(const PermissionRequest& request) {
    std::string command = "CSCRIPT.EXE \"" + request.XcaclsPath + "\" \"" + request.Target + "\"";
    if (request.EditAcl) command += " /E";
    if (request.Method == AclMethod::Revoke) {
        command += " /R " + request.User;
    } else {
        const std::string methodSwitch = MethodSwitch(request.Method);
        command += methodSwitch;
        const std::string permissions = PermissionText(request, methodSwitch);
        if (!permissions.empty()) command += " " + request.User + ":" + permissions;
        if (request.DeleteSubfoldersAndFiles) command += " " + request.User + ":7";
    }
    // Always one space, so the log form keeps a stable shape with no extra parameters.
    command += " " + request.ExtraParameters;
    return command;
}

std::string AppendRedirect(const std::string& command, const std::string& appDir) {
    return command + " > \"" + appDir + "Permora.tmp\"";
}

std::string CommandForLog(const std::string& commandLine) {
    const std::string::size_type last = commandLine.rfind('>');
    return last == std::string::npos ? std::string() : commandLine.substr(0, last);
}

}  // namespace permora

#include "files/ConfigSave.h"

#include "files/ConfigFile.h"

namespace permora {

namespace {

const char* BoolText(bool value) { return value ? kValueTrue : kValueFalse; }

const char* MethodText(AclMethod method) {
    switch (method) {
        case AclMethod::Grant: return kMethodGrant;
        case AclMethod::Deny: return kMethodDeny;
        default: return kMethodReplace;
    }
}

}  // namespace

bool SaveConfig(const WizardConfig& values, const std::string& appDir, LineStore& tmpl) {
    tmpl.Clear();
    tmpl.Add(kConfigHeader);
    SetTemplateValue(tmpl, kKeyVersion, kConfigVersion);
    SetTemplateValue(tmpl, kKeyXcaclsPath, values.XcaclsPath);
    SetTemplateValue(tmpl, kKeyOptionEdit, BoolText(values.EditAcl));
    SetTemplateValue(tmpl, kKeyOptionMethod, MethodText(values.Method));
    for (int i = 0; i < kPermissionFlagCount; ++i) {
        SetTemplateValue(tmpl, kPermissionKeys[i], BoolText(values.Permissions[i]));
    }
    SetTemplateValue(tmpl, kKeyShowCommand, BoolText(values.ShowCommand));
    return tmpl.SaveToFile(appDir + kConfigFileName);
}

}  // namespace permora

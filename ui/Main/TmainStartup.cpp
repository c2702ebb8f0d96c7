// Start-up, the configured defaults, Settings and the close of the main window.
#include <exception>

#include "core/CommandOutput.h"
#include "files/ConfigFile.h"
#include "platform/FileSystem.h"
#include "ui/Main/Tmain.h"
#include "ui/MessageBox.h"
#include "ui/Wz_firstrun/TWZ_firstrun.h"

namespace permora {

namespace {

constexpr char kEmptyConfigVersion[] = "-1";

}  // namespace

const LineStore& Tmain::me_log() const {
    static const LineStore none;
    return log_ ? log_->Store() : none;
}

const LineStore& Tmain::me_history() const {
    static const LineStore none;
    return history_ ? history_->Store() : none;
}

int Tmain::Message(const std::string& title, const std::string& text, unsigned flags) {
    if (IsWindowVisible(Handle())) return ShowMessageBox(Handle(), title, text, flags);
    return ShowMessageBox(nullptr, title, text, flags | MB_TASKMODAL);
}

void Tmain::LoadConfiguration() {
    me_config.Clear();
    const std::string path = AppDir + kConfigFileName;
    for (;;) {
        // A directory of that name counts as no file.
        if (platform::IsRegularFile(path)) {
            if (me_config.LoadFromFile(path)) return;
            Message("IO ERROR", "Failed to load config file...\n\nRestarting first run wizzard...", kInformationOk);
        }
        if (!RunSetupWizard()) {
            t_closeallStart();
            return;
        }
    }
}

bool Tmain::RunSetupWizard() {
    using namespace tmain;
    WizardSource source;
    source.Banner = banner_;
    source.HasConfig = !me_config.Empty();
    source.XcaclsPath = XcaclsPath;
    source.EditAcl = IsChecked(Control(opt_edit));
    source.Grant = IsChecked(Control(RadioButton1));
    source.Deny = IsChecked(Control(RadioButton2));
    source.Replace = IsChecked(Control(RadioButton3));
    for (int i = 0; i < kPermissionFlagCount; ++i) source.Permissions[i] = Permissions.Get(static_cast<PermissionFlag>(i));
    source.ShowCommand = ShowCommandFlag;

    TWZ_firstrun wizard(source, appDirOverride_);
    wizard.Create(Handle());
    wizard.ShowModal(Handle());
    return wizard.ConfigSaved;
}

void Tmain::LoadDefaults() {
    EnablePermissions();
    ConfigVersion = me_config.Empty() ? kEmptyConfigVersion : GetConfigValue(me_config, kKeyVersion);
    if (ConfigVersion == kConfigVersion) {
        ApplyConfig();
        if (!XcaclsPath.empty()) EnableWindow(Control(tmain::bt_execute), TRUE);
        return;
    }
    if (ConfigVersion == kEmptyConfigVersion) return;

    // Another version, or none: apply what it holds, then let the wizard write a current one.
    ApplyConfig();
    Message("Version Conflict",
            "The configuration file seems to have the wrong version.\n\nThe First Run Wizard will now start to "
            "update the configuration ...",
            kInformationOk);
    log_->AppendLogLine(kLogWrongVersionRestart);
    bool saved = RunSetupWizard();
    if (!saved) t_closeallStart();
    log_->AppendLogLine(kLogWrongVersionDone);
    // A cancelled wizard ends the program; reading the old file again would
    // only meet the same conflict.
    if (!saved) return;
    if (!me_config.LoadFromFile(AppDir + kConfigFileName)) {
        Message("IO-ERROR", "Failed to load updated config file", kWarningOk);
        return;
    }
    LoadDefaults();
}

void Tmain::ApplyConfig() {
    using namespace tmain;
    auto value = [this](const char* key) { return GetConfigValue(me_config, key); };
    XcaclsPath = value(kKeyXcaclsPath);

    SendMessageW(Control(opt_edit), BM_SETCHECK, value(kKeyOptionEdit) == kValueTrue ? BST_CHECKED : BST_UNCHECKED, 0);

    const std::string method = value(kKeyOptionMethod);
    if (method == kMethodGrant) SelectMethod(AclMethod::Grant);
    else if (method == kMethodDeny) SelectMethod(AclMethod::Deny);
    else if (method == kMethodReplace) SelectMethod(AclMethod::Replace);

    Permissions.SetPermission(PermissionFlag::ListFolderContent, false);
    Permissions.SetPermission(PermissionFlag::Write, false);
    ShowCommandFlag = false;

    for (int i = 0; i < kPermissionFlagCount; ++i) {
        if (value(kPermissionKeys[i]) == kValueTrue) Permissions.SetPermission(static_cast<PermissionFlag>(i), true);
    }
    if (value(kKeyShowCommand) == kValueTrue) ShowCommandFlag = true;
}

void Tmain::Button5Click() {
    if (RunSetupWizard() &&
        Message("Configuration Update", "The Configuration has been changed\n\nDo you want to reload the configuration?",
                kQuestionYesNo) == kAnswerYes) {
        if (me_config.LoadFromFile(AppDir + kConfigFileName)) {
            LoadDefaults();
        } else if (Message("IO-ERROR",
                           "An error occured while loading the new config file.\n\nDo you want to proceed with the "
                           "old configuration?",
                           kQuestionYesNo) != kAnswerYes) {
            t_closeallStart();
        }
    }
    SetFocus(Control(tmain::bt_select));
}

void Tmain::FormClose() {
    // Runs once, whether the close came as WM_CLOSE or with the end of the
    // session, and never keeps the window from closing.
    if (formClosed_ || !log_) return;
    formClosed_ = true;
    try {
        const std::string output = OutputFilePath(AppDir);
        if (!platform::IsRegularFile(output)) return;
        log_->AppendLogLine(platform::DeleteFileAt(output) ? kLogClosedClean : kLogTempNotDeleted);
        log_->SaveLog();
    } catch (const std::exception&) {
        // The log is best effort here; closing is not.
    }
}

}  // namespace permora

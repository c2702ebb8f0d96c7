// Execute: check the request, compose it, confirm it when configured, run it,
// judge its output, log and record it.
#include <exception>
#include <optional>

#include "core/CommandOutput.h"
#include "core/PermissionRequest.h"
#include "core/RunCommand.h"
#include "files/HistoryLine.h"
#include "ui/Main/Tmain.h"
#include "ui/MessageBox.h"
#include "ui/Showcommand/TShowCommand.h"
#include "ui/Text.h"
#include "ui/WaitForRun.h"

namespace permora {

namespace {

constexpr char kFailedTitle[] = "XCACLS.vbs -- failed";

// Why the output file tells nothing about this run; empty when it does.
std::string NotRunReason(RunStatus status, const std::string& appDir) {
    switch (status) {
        case RunStatus::Ran: return {};
        case RunStatus::NoInterpreter:
            return "The command was not run: no command interpreter was found (COMSPEC, CMD.EXE).";
        case RunStatus::OutputNotRemoved:
            return "The command was not run: the output of an earlier command could not be removed:\n" +
                   OutputFilePath(appDir);
    }
    return {};
}

}  // namespace

void Tmain::bt_executeClick() {
    using namespace tmain;
    for (tmain::Control field : {Edit1, Edit2, Edit3}) SetFieldColor(field, kCream);
    ExecuteRequest();
    SetFocus(Control(bt_select));
}

// False when the flow ended before anything ran.
bool Tmain::ExecuteRequest() {
    using namespace tmain;
    const std::wstring target = GetText(Control(Edit1));
    auto refuse = [this](tmain::Control field, const char* title, const char* text) {
        SetFieldColor(field, kRed);
        Message(title, text, kErrorOk);
        return false;
    };
    if (target.empty())
        return refuse(Edit1, "No target path defined", "Please select a local drive or a network drive as target");
    if (target.front() == L'\\')
        return refuse(Edit1, "No UNC path's supported",
                      "Please select a local drive or a network drive instead of an UNC path.");
    if (target.size() == 1)
        return refuse(Edit1, "No valid target path",
                      "Please select a directory with its drive, such as C:\\Data, as target");
    const std::wstring user = GetText(Control(Edit2));
    if (user.size() < 2) return refuse(Edit2, "No user / group defined", "Please select a user or group");

    // Text goes into the command only as it was typed: what the code page
    // cannot spell would reach xcacls.vbs as another character.
    PermissionRequest request;
    if (!NarrowExact(target, request.Target)) {
        std::optional<std::string> shortForm = AnsiShortPath(target);
        if (!shortForm)
            return refuse(Edit1, "Invalid target path",
                          "The target path holds characters that cannot be passed to xcacls.vbs.");
        request.Target = *shortForm;
    }
    if (!NarrowExact(user, request.User))
        return refuse(Edit2, "Invalid user / group",
                      "The user or group holds characters that cannot be passed to xcacls.vbs.");
    if (!NarrowExact(GetText(Control(Edit3)), request.ExtraParameters))
        return refuse(Edit3, "Invalid parameters",
                      "The additional parameters hold characters that cannot be passed to xcacls.vbs.");

    request.XcaclsPath = XcaclsPath;
    request.EditAcl = IsChecked(Control(opt_edit));
    request.Method = SelectedMethod();
    request.FullControl = Permissions.Get(PermissionFlag::FullControl);
    request.Modify = Permissions.Get(PermissionFlag::Modify);
    request.ReadAndExecute = Permissions.Get(PermissionFlag::ReadAndExecute);
    request.Read = Permissions.Get(PermissionFlag::Read);
    request.ListFolderContent = Permissions.Get(PermissionFlag::ListFolderContent);
    request.Write = Permissions.Get(PermissionFlag::Write);
    request.DeleteSubfoldersAndFiles = Permissions.Get(PermissionFlag::DeleteSubfoldersAndFiles);
    const std::string command = ComposeCommand(request);
    // Logged as composed, also when the user edited it in the dialog.
    const std::string line = AppendRedirect(command, AppDir);

    std::string notRun;
    if (ShowCommandFlag) {
        TShowCommand dialog(AppDir);
        dialog.Create(Handle(), command);
        dialog.ShowModal(Handle());
        switch (dialog.Result) {
            case TShowCommand::Outcome::Closed:
                return false;  // nothing ran: nothing to judge, log or record
            case TShowCommand::Outcome::Ran:
                notRun = NotRunReason(dialog.Run, AppDir);
                break;
            case TShowCommand::Outcome::Declined:
                if (!dialog.MarkerWritten)
                    notRun = "The command was declined, but that could not be noted in\n" + OutputFilePath(AppDir);
                break;
        }
    } else {
        auto status = static_cast<RunStatus>(WaitForRun([&] { return static_cast<int>(RunRedirected(line, AppDir)); }));
        notRun = NotRunReason(status, AppDir);
    }

    // Judged only from what this run wrote, never from an earlier run's output.
    me_result.Clear();
    bool succeeded = false;
    std::string failureText;
    try {
        if (notRun.empty()) succeeded = CheckResult(me_result, AppDir);
        failureText = notRun.empty() ? me_result.Text() : notRun;
    } catch (const std::exception& e) {
        failureText = std::string("The output of the command could not be read: ") + e.what();
    }

    try {
        if (succeeded) {
            log_->AppendLogLine(kLogSucceeded + CommandForLog(line));
            log_->SaveLog();  // a failed save keeps the line for the next one
            history_->AddHistory(kHistoryUser, request.User);
            history_->AddHistory(kHistoryDir, request.Target);
            if (IsChecked(Control(CheckBox1))) {
                LoadDefaults();
                SetText(Control(Edit3), L"");
            }
        } else {
            log_->AppendLogLine(kLogFailed + CommandForLog(line));
            log_->SaveLog();
            Message(kFailedTitle, failureText, kErrorOk);
        }
    } catch (const std::exception& e) {
        Message(kFailedTitle,
                std::string(succeeded ? "The command succeeded, but " : "") +
                    "its outcome could not be recorded: " + e.what(),
                kErrorOk);
    }
    return true;
}

}  // namespace permora

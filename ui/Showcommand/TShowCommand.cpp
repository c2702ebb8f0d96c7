#include "ui/Showcommand/TShowCommand.h"

#include "core/CommandOutput.h"
#include "core/PermissionRequest.h"
#include "ui/MessageBox.h"
#include "ui/Text.h"
#include "ui/WaitForRun.h"

namespace permora {

namespace {

constexpr int kClientWidth = 656;
constexpr int kClientHeight = 106;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

const std::vector<ControlEntry>& Layout() {
    using K = ControlKind;
    using namespace showcommand;
    // The edit field comes first: it is first in tab order and has the focus.
    static const std::vector<ControlEntry> layout = {
        {command, "command", K::Edit, 0, 16, 32, 633, 19, nullptr, nullptr, kNoOption},
        {Button1, "Button1", K::Button, 0, 568, 72, 75, 25, L"&Yes", nullptr, kNoOption},
        {Button2, "Button2", K::Button, 0, 488, 72, 75, 25, L"&No", nullptr, kNoOption},
        {Label1, "Label1", K::Label, 0, 8, 8, 257, 13, L"Do you really want to execute the following command?", nullptr,
         kNoOption},
    };
    return layout;
}

}  // namespace

TShowCommand::TShowCommand(std::string appDir) : AppDir(std::move(appDir)) {
    me_command.Add("me_command");
}

void TShowCommand::Create(HWND owner, const std::string& commandText) {
    RegisterClassOnce(kShowCommandClassName, nullptr);
    RECT outer{0, 0, dpi_(kClientWidth), dpi_(kClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    RECT over{};
    if (!owner || !GetWindowRect(owner, &over)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    int left = over.left + ((over.right - over.left) - width) / 2;
    int top = over.top + ((over.bottom - over.top) - height) / 2;
    CreateWindowOf(kShowCommandClassName, L"Permora - Command", kStyle, kExStyle,
                   RECT{left, top, left + width, top + height}, owner);
    controls_.Create(Handle(), Layout(), dpi_);
    SetDialogButtons(Control(showcommand::Button1), Control(showcommand::Button2));
    SetText(Control(showcommand::command), Widen(commandText));
}

LRESULT TShowCommand::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case showcommand::Button1: Button1Click(); return 0;
            case showcommand::Button2: Button2Click(); return 0;
        }
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void TShowCommand::Button1Click() {
    std::string text;
    if (!NarrowExact(GetText(Control(showcommand::command)), text)) {
        // A character the code page cannot spell would reach the command as another one.
        ShowMessageBox(Handle(), "Invalid command",
                       "The command contains characters that cannot be passed to the command interpreter.\n\n"
                       "Please change them or press No.",
                       kErrorOk);
        SetFocus(Control(showcommand::command));
        return;
    }
    const std::string line = AppendRedirect(text, AppDir);
    Run = static_cast<RunStatus>(WaitForRun([&] { return static_cast<int>(RunRedirected(line, AppDir)); }));
    Result = Outcome::Ran;
    DestroyWindow(Handle());
}

void TShowCommand::Button2Click() {
    me_command.Clear();
    me_command.Add(std::string(NotExecutedMarker));
    MarkerWritten = me_command.SaveToFile(OutputFilePath(AppDir));
    Result = Outcome::Declined;
    DestroyWindow(Handle());
}

}  // namespace permora

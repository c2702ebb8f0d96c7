#pragma once
// Every message the program shows goes through here: a real, modal MessageBoxW.
#include <string>

#include <windows.h>

namespace permora {

// The flag values the program's messages use.
enum MessageFlags : unsigned {
    kErrorOk = MB_ICONERROR | MB_OK,               // 16
    kWarningOk = MB_ICONWARNING | MB_OK,           // 48
    kInformationOk = MB_ICONINFORMATION | MB_OK,   // 64
    kQuestionYesNo = MB_ICONQUESTION | MB_YESNO,   // 36
};
constexpr int kAnswerYes = IDYES;  // 6

// Title and text are the core's 8-bit text. Returns the button pressed.
int ShowMessageBox(HWND owner, const std::string& title, const std::string& text, unsigned flags);

// An error nobody handled, as the program's standard error message.
void ShowError(HWND owner, const std::string& text);

}  // namespace permora

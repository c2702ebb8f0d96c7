#include "ui/MessageBox.h"

#include "ui/Text.h"

namespace permora {

static_assert(kErrorOk == 16 && kWarningOk == 48 && kInformationOk == 64 && kQuestionYesNo == 36,
              "the flag values the program's messages are given with");

int ShowMessageBox(HWND owner, const std::string& title, const std::string& text, unsigned flags) {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), flags);
}

void ShowError(HWND owner, const std::string& text) {
    ShowMessageBox(owner, "Permora", text, kErrorOk);
}

}  // namespace permora

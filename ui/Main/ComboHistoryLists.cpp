#include "ui/Main/ComboHistoryLists.h"

#include "ui/Text.h"

namespace permora {

namespace {

// CB_RESETCONTENT also empties the edit field; what the user typed stays.
void ClearList(HWND combo) {
    const std::wstring typed = GetText(combo);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    SetText(combo, typed);
}

// The combo box sorts its list itself.
void AddItem(HWND combo, const std::string& value) {
    const std::wstring item = Widen(value);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

}  // namespace

void ComboHistoryLists::ClearItems() {
    ClearList(directories_);
    ClearList(users_);
}

void ComboHistoryLists::AddUser(const std::string& value) { AddItem(users_, value); }

void ComboHistoryLists::AddDirectory(const std::string& value) { AddItem(directories_, value); }

}  // namespace permora

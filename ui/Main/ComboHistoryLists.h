#pragma once
// The history's two item lists shown as the drop-down lists of the main
// window's combo boxes: users in Edit2, directories in Edit1.
#include <windows.h>

#include "files/History.h"

namespace permora {

class ComboHistoryLists : public HistoryLists {
public:
    ComboHistoryLists(HWND directories, HWND users) : directories_(directories), users_(users) {}

    void ClearItems() override;
    void AddUser(const std::string& value) override;
    void AddDirectory(const std::string& value) override;

private:
    HWND directories_;
    HWND users_;
};

}  // namespace permora

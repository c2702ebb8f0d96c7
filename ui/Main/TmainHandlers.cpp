// What the main window's controls do when they are used.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "res/resource.h"
#include "ui/Main/Tmain.h"
#include "ui/MessageBox.h"
#include "ui/Text.h"

namespace permora {

namespace {

struct BoxFlag {
    tmain::Control box;
    PermissionFlag flag;
};
constexpr BoxFlag kBoxes[] = {
    {tmain::r_f, PermissionFlag::FullControl},
    {tmain::r_m, PermissionFlag::Modify},
    {tmain::r_x, PermissionFlag::ReadAndExecute},
    {tmain::r_r, PermissionFlag::Read},
    {tmain::r_l, PermissionFlag::ListFolderContent},
    {tmain::r_w, PermissionFlag::Write},
    {tmain::r_7, PermissionFlag::DeleteSubfoldersAndFiles},
};

struct MethodButton {
    tmain::Control button;
    AclMethod method;
};
constexpr MethodButton kMethods[] = {
    {tmain::RadioButton1, AclMethod::Grant},
    {tmain::RadioButton2, AclMethod::Deny},
    {tmain::RadioButton3, AclMethod::Replace},
    {tmain::RadioButton4, AclMethod::Revoke},
};

}  // namespace

void Tmain::OnCommand(int id, int code, HWND source) {
    using namespace tmain;
    if (id == IDM_EXECUTE1 && source == nullptr) {  // the menu item or F9
        Execute1Click();
        return;
    }
    if (int box = controls_.BoxOfCaptionLabel(id)) {
        // A click on a box's separate caption is a click on the box.
        if (code == STN_CLICKED || code == STN_DBLCLK)
            SendMessageW(Control(static_cast<tmain::Control>(box)), BM_CLICK, 0, 0);
        return;
    }
    if (id == Edit1 && code == CBN_KILLFOCUS) {
        // Only when the focus moves on inside the window, not when the user
        // switches to another program or the window goes away.
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) Edit1Exit();
        return;
    }
    // A disabled control takes no clicks, whoever sends them.
    if (code != BN_CLICKED || (source && !IsWindowEnabled(source))) return;
    switch (id) {
        case bt_select: bt_selectClick(); break;
        case bt_execute: bt_executeClick(); break;
        case Button1: Button1Click(); break;
        case Button3: Button3Click(); break;
        case Button5: Button5Click(); break;
        case RadioButton1: SelectMethod(AclMethod::Grant); break;
        case RadioButton2: SelectMethod(AclMethod::Deny); break;
        case RadioButton3: SelectMethod(AclMethod::Replace); break;
        case RadioButton4: SelectMethod(AclMethod::Revoke); break;
        case r_f: case r_m: case r_x: case r_r: case r_l: case r_w: case r_7:
            PermissionBoxClick(static_cast<tmain::Control>(id));
            break;
    }
}

void Tmain::Edit1Exit() {
    HWND edit = Control(tmain::Edit1);
    std::wstring text = GetText(edit);
    if (text.empty()) return;
    // Trailing backslashes go, except the one of a drive root such as C:\ .
    if (text.back() == L'\\' && text.size() != 3) {
        while (!text.empty() && text.back() == L'\\' && text.size() != 3) text.pop_back();
        SetText(edit, text);
        if (text.empty()) return;
    }
    if (text.front() == L'\\') {
        if (FieldColor(tmain::Edit1) != kRed)
            ShowMessageBox(Handle(), "No UNC path's supported",
                           "Please select a local drive or a network drive instead of an UNC path.", kErrorOk);
        SetFieldColor(tmain::Edit1, kRed);
        return;
    }
    SetFieldColor(tmain::Edit1, kCream);
    EnableWindow(Control(tmain::bt_execute), TRUE);
}

void Tmain::bt_selectClick() {
    // dlg_select: a save-file dialog picks a folder; the name part is dropped.
    std::vector<wchar_t> file(32768, L'\0');
    selectFileName_.copy(file.data(), std::min(selectFileName_.size(), file.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Handle();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = L"Select Target Directory";
    // OFN_NOCHANGEDIR: the chosen folder must not become the program's
    // current directory, which would keep it from being renamed or removed.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return;

    selectFileName_ = file.data();
    size_t cut = selectFileName_.rfind(L'\\');
    std::wstring folder = cut == std::wstring::npos ? std::wstring() : selectFileName_.substr(0, cut);
    // A drive root keeps its backslash: "C:" alone names the current
    // directory of drive C, not its root.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    SetText(Control(tmain::Edit1), folder);
}

void Tmain::Execute1Click() {
    // As a click on the Execute button, even while the button is disabled:
    // the flow makes its own checks.
    bt_executeClick();
}

void Tmain::Button1Click() {
    Close();
}

void Tmain::SelectMethod(AclMethod method) {
    if (SelectedMethod() == method) return;  // selecting the selected method runs nothing
    for (const MethodButton& m : kMethods)
        SendMessageW(Control(m.button), BM_SETCHECK, m.method == method ? BST_CHECKED : BST_UNCHECKED, 0);
    switch (method) {
        case AclMethod::Grant: RadioButton1Click(); break;
        case AclMethod::Deny: RadioButton2Click(); break;
        case AclMethod::Replace: RadioButton3Click(); break;
        case AclMethod::Revoke: RadioButton4Click(); break;
        case AclMethod::None: break;
    }
}

AclMethod Tmain::SelectedMethod() const {
    for (const MethodButton& m : kMethods)
        if (IsChecked(Control(m.button))) return m.method;
    return AclMethod::None;
}

void Tmain::EnablePermissions() {
    EnableWithChildren(Control(tmain::GroupBox1), true);
}

void Tmain::RadioButton1Click() {
    EnablePermissions();
}

void Tmain::RadioButton2Click() {
    EnablePermissions();
}

void Tmain::RadioButton3Click() {
    EnablePermissions();
}

void Tmain::RadioButton4Click() {
    Permissions.SetPermission(PermissionFlag::ListFolderContent, false);
    Permissions.SetPermission(PermissionFlag::Write, false);
    EnableWithChildren(Control(tmain::GroupBox1), false);
}

void Tmain::PermissionBoxClick(tmain::Control box) {
    for (const BoxFlag& b : kBoxes)
        if (b.box == box) Permissions.Toggle(b.flag);
}

void Tmain::ShowPermission(PermissionFlag flag, bool value) {
    if (!Handle()) return;
    for (const BoxFlag& b : kBoxes)
        if (b.flag == flag) SendMessageW(Control(b.box), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace permora

// What the wizard's controls do: the pages, moving between them, saving,
// browsing for the script, and the method and permission boxes.
#include <stdexcept>
#include <string>

#include "ui/MessageBox.h"
#include "ui/Text.h"
#include "ui/Wz_firstrun/TWZ_firstrun.h"

namespace permora {

namespace {

struct Page {
    int number;
    wz::Control panel;
    const wchar_t* title;
    const wchar_t* discribe;
};
constexpr Page kPages[] = {
    {0, wz::welcome, L"", L""},
    {10, wz::p_user1, L"Locate XCACLS.VBS", L"Select your local copy of xcacls.vbs ..."},
    {20, wz::p_user2, L"Default Settings", L"Define your default options here..."},
    {30, wz::p_user3, L"Default Settings", L"Define your default permissions here..."},
    {40, wz::p_user4, L"Default Settings", L"Display command line before execution"},
    {99, wz::finish, L"", L""},
};
constexpr int kFinishPage = 99;

// Where Next and Previous lead from the page shown.
constexpr int kStay = -1;
constexpr int kClose = -2;
struct Move {
    int from, next, previous;
};
constexpr Move kMoves[] = {
    {0, 10, kStay}, {10, 20, 0}, {20, 30, 10}, {30, 40, 20}, {40, kFinishPage, 30}, {kFinishPage, kClose, kStay},
};

const Move& MoveFrom(int page) {
    for (const Move& move : kMoves)
        if (move.from == page) return move;
    throw std::logic_error("The wizard is on no page it knows");
}

// The box of each permission flag, in flag order.
constexpr wz::Control kBoxes[kPermissionFlagCount] = {wz::r_f, wz::r_m, wz::r_x, wz::r_r,
                                                      wz::r_l, wz::r_w, wz::r_7};
constexpr wz::Control kMethods[] = {wz::RadioButton1, wz::RadioButton2, wz::RadioButton3};

}  // namespace

void TWZ_firstrun::ShowPage(int number) {
    const Page* page = nullptr;
    for (const Page& p : kPages)
        if (p.number == number) page = &p;
    if (!page) throw std::invalid_argument("The wizard has no page " + std::to_string(number));

    for (const Page& p : kPages) ShowWindow(Control(p.panel), SW_HIDE);
    EnableWindow(Control(wz::bt_next), TRUE);
    EnableWindow(Control(wz::bt_prev), TRUE);
    SetText(Control(wz::bt_next), L"&Next");
    SetText(Control(wz::bt_prev), L"&Previous");
    SetText(Control(wz::title), L"");
    SetText(Control(wz::discribe), L"");

    bool finishing = number == kFinishPage;
    // The file is written on entering the finish page, not on leaving it.
    if (finishing) SaveStep();
    ShowWindow(Control(page->panel), SW_SHOW);
    SetText(Control(wz::title), page->title);
    SetText(Control(wz::discribe), page->discribe);
    if (finishing) {
        EnableWindow(Control(wz::bt_prev), FALSE);
        SetText(Control(wz::bt_next), L"Save");
    }
    ShowWindow(Control(wz::Button1), finishing ? SW_HIDE : SW_SHOW);

    CurrentPage = number;
    SetText(Control(wz::pos_disp), std::to_wstring(number));

    // A control on the page just hidden loses the focus to the window itself.
    HWND focus = GetFocus();
    if (focus && (focus == Handle() || (IsChild(Handle(), focus) && !IsWindowVisible(focus))))
        SetFocus(Control(wz::bt_next));
}

void TWZ_firstrun::SaveStep() {
    if (SaveConfig(ReadControls(), AppDir, me_template))
        ConfigSaved = true;
    else
        ShowMessageBox(Handle(), kConfigSaveErrorTitle, kConfigSaveErrorText, kConfigSaveErrorFlags);
}

WizardConfig TWZ_firstrun::ReadControls() const {
    WizardConfig values;
    values.XcaclsPath = AnsiPath(GetText(Control(wz::Edit1)));
    values.EditAcl = Checked(wz::CheckBox4);
    values.Method = Checked(wz::RadioButton1)   ? AclMethod::Grant
                    : Checked(wz::RadioButton2) ? AclMethod::Deny
                    : Checked(wz::RadioButton3) ? AclMethod::Replace
                                                : AclMethod::None;
    for (int i = 0; i < kPermissionFlagCount; ++i) values.Permissions[i] = Permissions.Get(static_cast<PermissionFlag>(i));
    values.ShowCommand = Checked(wz::command);
    return values;
}

void TWZ_firstrun::OnCommand(int id, int code, HWND source) {
    using namespace wz;
    if (controls_.ForwardCaptionClick(id, code)) return;
    // A disabled control takes no clicks, whoever sends them.
    if (code != BN_CLICKED || (source && !IsWindowEnabled(source))) return;
    switch (id) {
        case bt_next: bt_nextClick(); break;
        case bt_prev: bt_prevClick(); break;
        case Button1: Button1Click(); break;
        case Button2: Button2Click(); break;
        case RadioButton1: case RadioButton2: case RadioButton3:
            SelectRadio(static_cast<wz::Control>(id), true);
            break;
        case r_f: case r_m: case r_x: case r_r: case r_l: case r_w: case r_7:
            PermissionBoxClick(static_cast<wz::Control>(id));
            break;
    }
}

void TWZ_firstrun::bt_nextClick() {
    int next = MoveFrom(CurrentPage).next;
    if (next == kClose)
        CloseWizard();
    else if (next != kStay)
        ShowPage(next);
}

void TWZ_firstrun::bt_prevClick() {
    int previous = MoveFrom(CurrentPage).previous;
    if (previous != kStay) ShowPage(previous);
}

void TWZ_firstrun::Button1Click() {
    CloseWizard();
}

void TWZ_firstrun::Button2Click() {
    if (dlg_open.Run(Handle())) SetText(Control(wz::Edit1), dlg_open.fileName);
}

// Selecting a method clears the other two; clearing one selects none. No rule
// runs: the wizard's methods only become the configured default.
void TWZ_firstrun::SelectRadio(wz::Control button, bool selected) {
    if (!selected) {
        SetChecked(button, false);
        return;
    }
    for (wz::Control method : kMethods) SetChecked(method, method == button);
}

void TWZ_firstrun::PermissionBoxClick(wz::Control box) {
    for (int i = 0; i < kPermissionFlagCount; ++i)
        if (kBoxes[i] == box) Permissions.Toggle(static_cast<PermissionFlag>(i));
}

void TWZ_firstrun::ShowPermission(PermissionFlag flag, bool value) {
    if (Handle()) SetChecked(kBoxes[static_cast<int>(flag)], value);
}

bool TWZ_firstrun::Checked(wz::Control id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TWZ_firstrun::SetChecked(wz::Control id, bool checked) {
    SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace permora

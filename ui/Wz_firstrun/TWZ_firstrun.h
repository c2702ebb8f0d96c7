#pragma once
// The setup wizard: six pages that collect the user's defaults and write
// "Permora.ini" on entering the finish page. Fields in (WizardSource), one
// field out (ConfigSaved).
#include <array>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "core/LineStore.h"
#include "core/PermissionSelection.h"
#include "files/ConfigSave.h"
#include "ui/Controls.h"
#include "ui/FileDialog.h"
#include "ui/Window.h"

namespace permora {

namespace wz {
// Control ids, named as the controls are.
enum Control : int {
    Image1 = 100, title, discribe, pos_disp,
    welcome, Image2,
    finish, Image3,
    p_user1, Edit1, Button2,
    p_user2, CheckBox4, RadioButton1, RadioButton2, RadioButton3,
    p_user3, GroupBox1, r_f, r_m, r_x, r_r, r_l, r_w, r_7,
    p_user4, command,
    Bevel1, bt_prev, bt_next, Button1,
    // Labels without a name of their own come after these.
};
}  // namespace wz

inline constexpr wchar_t kWizardClassName[] = L"PermoraWizard";

// What the wizard takes from the main window when it opens.
struct WizardSource {
    HBITMAP Banner = nullptr;  // the main window's banner; copied, not owned
    bool HasConfig = false;    // the main window's configuration holds lines
    std::string XcaclsPath;
    bool EditAcl = false;                                  // opt_edit
    bool Grant = false, Deny = false, Replace = false;     // RadioButton1..3
    std::array<bool, kPermissionFlagCount> Permissions{};  // r_f..r_7, by PermissionFlag
    bool ShowCommand = false;
};

class TWZ_firstrun : public Window {
public:
    // Without appDir the folder of the running executable is used.
    explicit TWZ_firstrun(WizardSource source, std::optional<std::string> appDir = std::nullopt);
    ~TWZ_firstrun() override;

    // Creates the window (outer size fixed at 505 x 388, centred on the
    // screen, on top) and its controls, then runs FormCreate. Hidden until shown.
    void Create(HWND owner);
    // Shows the wizard modally until it closes.
    using Window::ShowModal;

    HWND Control(wz::Control id) const { return controls_[id]; }
    HWND CaptionLabel(wz::Control box) const { return controls_.CaptionLabel(box); }
    HWND Tooltip() const { return controls_.Tooltip(); }
    void ShowPage(int page);

    std::string AppDir;
    bool ConfigSaved = false;
    PermissionSelection Permissions;
    // The page shown last, shared by every wizard of the program.
    static int CurrentPage;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr COLORREF kFieldColor = 0xF0FBFF;  // cream, as every input field

    static const std::vector<ControlEntry>& Layout();  // TWZ_firstrunLayout.cpp

    // Life cycle (TWZ_firstrun.cpp)
    void FormCreate();
    void CopyMainWindowState();
    void CloseWizard();

    // Handlers (TWZ_firstrunHandlers.cpp)
    void OnCommand(int id, int code, HWND source);
    void bt_nextClick();
    void bt_prevClick();
    void Button1Click();
    void Button2Click();
    void SelectRadio(wz::Control button, bool selected);
    void PermissionBoxClick(wz::Control box);
    void ShowPermission(PermissionFlag flag, bool value);
    void SaveStep();
    WizardConfig ReadControls() const;
    bool Checked(wz::Control id) const;
    void SetChecked(wz::Control id, bool checked);

    // Colours (TWZ_firstrunColors.cpp)
    LRESULT OnControlColor(UINT message, HDC dc, HWND control);

    WizardSource source_;
    std::optional<std::string> appDirOverride_;
    Dpi dpi_;
    ControlSet controls_;
    LineStore me_template;  // the file as the save step builds it
    FileDialog dlg_open;
    HBITMAP banner_ = nullptr;   // the main window's, copied
    HBITMAP picture_ = nullptr;  // of the welcome and finish pages
    HBRUSH bannerBrush_ = nullptr;
    HBRUSH pictureBrush_ = nullptr;
    HBRUSH pageBrush_ = nullptr;
    HBRUSH fieldBrush_ = nullptr;
    bool focusPlaced_ = false;
};

}  // namespace permora

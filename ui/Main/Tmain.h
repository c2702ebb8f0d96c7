#pragma once
// The main window: the one permission request the user fills in, and the
// program's lasting state (application folder, configuration, log, history,
// output of the last command).
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "core/PermissionRequest.h"
#include "core/PermissionSelection.h"
#include "core/LineStore.h"
#include "files/ActivityLog.h"
#include "files/History.h"
#include "ui/Controls.h"
#include "ui/Window.h"

namespace permora {

namespace tmain {
// Control ids, named as the controls are.
enum Control : int {
    Image1 = 100, Label1, Label2, Panel1, Label3, Edit1, bt_select,
    GroupBox2, opt_edit, RadioButton1, RadioButton2, RadioButton3, RadioButton4,
    GroupBox1, r_f, r_m, r_x, r_r, r_l, r_w, r_7,
    Bevel2, Bevel3, Bevel4, Bevel5, Bevel7, Bevel9, Bevel8, Bevel10, Bevel6, Bevel11,
    GroupBox3, Edit2, GroupBox4, Edit3,
    Bevel1, Button3, Button5, CheckBox1, bt_execute, Button1,
};
}  // namespace tmain

// Field colours as Windows colour values (0x00BBGGRR).
constexpr COLORREF kCream = 0xF0FBFF;
constexpr COLORREF kRed = 0x0000FF;

class Tmain : public Window {
public:
    // Without appDir the folder of the running executable is used.
    explicit Tmain(std::optional<std::string> appDir = std::nullopt, LogClock clock = {});
    ~Tmain() override;

    // Creates the window and its controls, then runs FormCreate. Hidden until Show.
    void Create();
    void Show();
    // As the Close button: the window closes, which ends the program.
    void Close();

    bool PreTranslateMessage(MSG& msg) override;

    HWND Control(tmain::Control id) const { return controls_[id]; }
    HWND CaptionLabel(tmain::Control box) const { return controls_.CaptionLabel(box); }
    HWND Tooltip() const { return controls_.Tooltip(); }
    HMENU PopupMenu1() const { return popupMenu1_; }
    HBITMAP Banner() const { return banner_; }

    // Colour of an input field (Edit1, Edit2, Edit3): kCream, or kRed for a bad entry.
    void SetFieldColor(tmain::Control field, COLORREF color);
    COLORREF FieldColor(tmain::Control field) const;

    // Selects a method's radio button; the method's rule runs when the
    // selection changes. AclMethod::None clears the selection and runs nothing.
    void SelectMethod(AclMethod method);
    AclMethod SelectedMethod() const;
    // Makes the permission boxes take clicks again.
    void EnablePermissions();

    // Start-up and Settings (TmainStartup.cpp).
    // Shows the setup wizard over this window; true when it saved the configuration.
    bool RunSetupWizard();
    // Checks the configuration's version and applies it to the controls.
    void LoadDefaults();
    void ApplyConfig();

    void t_closeallStart();
    bool t_closeallEnabled() const { return closeTimerOn_; }

    // State of the window; empty or false at creation, set by start-up.
    std::string AppDir;
    std::string XcaclsPath;
    std::string ConfigVersion;
    bool ShowCommandFlag = false;
    LineStore me_config;
    LineStore me_result;
    PermissionSelection Permissions;
    // The lines of the activity log and of the history, as loaded and saved.
    const LineStore& me_log() const;
    const LineStore& me_history() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Field {
        tmain::Control id;
        COLORREF color;
        HBRUSH brush;
    };

    static const std::vector<ControlEntry>& Layout();  // TmainLayout.cpp

    // Life cycle (Tmain.cpp, TmainStartup.cpp)
    void FormCreate();
    void LoadConfiguration();
    void FormClose();
    void t_closeallTimer();
    // Message boxes of start-up come before the window shows: then they stand
    // on their own, reachable from the task bar.
    int Message(const std::string& title, const std::string& text, unsigned flags);
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    void OnWindowPosChanging(WINDOWPOS& pos) const;
    void OnContextMenu(HWND source, LPARAM where);

    // Handlers (TmainHandlers.cpp)
    void OnCommand(int id, int code, HWND source);
    void Edit1Exit();
    void bt_selectClick();
    void bt_executeClick();  // TmainExecute.cpp
    bool ExecuteRequest();
    void Execute1Click();
    void Button1Click();
    void Button3Click();
    void Button5Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void PermissionBoxClick(tmain::Control box);
    void ShowPermission(PermissionFlag flag, bool value);

    // Colours (TmainColors.cpp)
    LRESULT OnControlColor(UINT message, HDC dc, HWND control);
    Field* FieldOf(HWND control);
    const Field* FindField(tmain::Control id) const;

    std::optional<std::string> appDirOverride_;
    LogClock clock_;
    std::unique_ptr<ActivityLog> log_;
    std::unique_ptr<HistoryLists> historyLists_;
    std::unique_ptr<History> history_;
    Dpi dpi_;
    ControlSet controls_;
    HMENU popupMenu1_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HBITMAP banner_ = nullptr;
    HBRUSH bannerBrush_ = nullptr;
    HBRUSH panelBrush_ = nullptr;
    std::vector<Field> fields_;
    std::wstring selectFileName_ = L"thisdirectory";  // dlg_select's name, kept between uses
    bool closeTimerOn_ = false;
    bool formClosed_ = false;
};

}  // namespace permora

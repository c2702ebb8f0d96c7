#pragma once
// The About window: the program's name, the version and copyright its caller
// puts into Label8 and Label9, and links to the program's web pages. Made for
// one showing; it destroys itself when it closes, however it is closed.
#include <vector>

#include <windows.h>

#include "ui/Controls.h"
#include "ui/Info/WebLink.h"
#include "ui/Window.h"

namespace permora {

namespace info {
// Control ids, named as the controls are.
enum Control : int {
    Image1 = 100, Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9,
    Label11, Label12, Label13, Bevel1, Button1,
};

// The addresses the links show and open.
inline constexpr wchar_t kHomePage[] = L"https://permora.example.org/";
inline constexpr wchar_t kSupportDatabase[] = L"https://permora.example.org/kb/";
inline constexpr wchar_t kSupportForum[] = L"https://permora.example.org/forum/";
}  // namespace info

class TInfo : public Window {
public:
    TInfo() = default;
    ~TInfo() override;

    // Creates the window (client area 497 x 282, centred on the screen, on
    // top), owned by owner and hidden; FormCreate copies the banner, which
    // stays the caller's. A null banner leaves the picture empty.
    void Create(HWND owner, HBITMAP banner);
    // Shows the window until it closes; the owner takes no input meanwhile.
    using Window::ShowModal;

    HWND Control(info::Control id) const { return controls_[id]; }
    HWND Tooltip() const { return controls_.Tooltip(); }

    // What the links start.
    WebLinkOpener Links;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static const std::vector<ControlEntry>& Layout();
    void FormCreate(HBITMAP banner);
    void Button1Click();
    void Label11Click();
    void Label12Click();
    void Label13Click();
    LRESULT OnControlColor(UINT message, HDC dc, HWND control);

    Dpi dpi_;
    ControlSet controls_;
    HBITMAP banner_ = nullptr;  // our copy of the caller's
    HBRUSH bannerBrush_ = nullptr;
    HBRUSH whiteBrush_ = nullptr;
    HFONT titleFont_ = nullptr;
};

}  // namespace permora

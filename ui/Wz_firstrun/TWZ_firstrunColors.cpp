// The wizard's colours: labels over the banner and the pictures show them
// through, the settings pages are white, the path field cream, and r_7's
// caption navy.
#include "ui/Wz_firstrun/TWZ_firstrun.h"

namespace permora {

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr wz::Control kSettingsPages[] = {wz::p_user1, wz::p_user2, wz::p_user3, wz::p_user4};
}  // namespace

LRESULT TWZ_firstrun::OnControlColor(UINT message, HDC dc, HWND control) {
    using namespace wz;
    if (control == Control(Edit1)) {
        SetBkColor(dc, kFieldColor);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(fieldBrush_);
    }
    if (control == Control(title) || control == Control(discribe))
        return ShowPictureBehind(dc, control, Control(Image1), bannerBrush_);
    HWND parent = GetParent(control);
    if (parent == Control(welcome) && control != Control(Image2))
        return ShowPictureBehind(dc, control, Control(Image2), pictureBrush_);
    if (parent == Control(finish) && control != Control(Image3))
        return ShowPictureBehind(dc, control, Control(Image3), pictureBrush_);
    for (wz::Control page : kSettingsPages) {
        HWND panel = Control(page);
        if (control == panel || IsChild(panel, control)) {
            SetBkColor(dc, kWhite);
            if (control == CaptionLabel(r_7)) SetTextColor(dc, kNavy);
            return reinterpret_cast<LRESULT>(pageBrush_);
        }
    }
    return DefWindowProcW(Handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

}  // namespace permora

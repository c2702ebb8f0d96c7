// The colours of the main window: cream or red input fields, the white panel,
// the labels over the banner, and the navy caption of r_7.
#include <stdexcept>

#include "ui/Main/Tmain.h"

namespace permora {

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNavy = RGB(0, 0, 128);
}  // namespace

LRESULT Tmain::OnControlColor(UINT message, HDC dc, HWND control) {
    using namespace tmain;
    if (Field* field = FieldOf(control)) {
        SetBkColor(dc, field->color);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(field->brush);
    }
    if (control == Control(Label1) || control == Control(Label2)) {
        // Transparent: the label's background is its own part of the banner.
        POINT origin{0, 0};
        MapWindowPoints(control, Control(Image1), &origin, 1);
        SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(bannerBrush_);
    }
    HWND panel = Control(Panel1);
    if (control == panel || IsChild(panel, control)) {
        SetBkColor(dc, kWhite);
        if (control == CaptionLabel(r_7)) SetTextColor(dc, kNavy);
        return reinterpret_cast<LRESULT>(panelBrush_);
    }
    return DefWindowProcW(Handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

// The field a control belongs to: the field itself, or the edit or the
// drop-down list of a combo box field.
Tmain::Field* Tmain::FieldOf(HWND control) {
    for (Field& field : fields_) {
        HWND hwnd = Control(field.id);
        if (control == hwnd) return &field;
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(hwnd, &info) && (control == info.hwndItem || control == info.hwndList)) return &field;
    }
    return nullptr;
}

const Tmain::Field* Tmain::FindField(tmain::Control id) const {
    for (const Field& field : fields_)
        if (field.id == id) return &field;
    throw std::logic_error("Not an input field");
}

void Tmain::SetFieldColor(tmain::Control id, COLORREF color) {
    FindField(id);  // throws for a control that is no input field
    for (Field& field : fields_) {
        if (field.id != id || field.color == color) continue;
        DeleteObject(field.brush);
        field.brush = CreateSolidBrush(color);
        field.color = color;
    }
    RedrawWindow(Control(id), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

COLORREF Tmain::FieldColor(tmain::Control id) const {
    return FindField(id)->color;
}

}  // namespace permora

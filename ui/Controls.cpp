#include "ui/Controls.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

namespace permora {

namespace {

constexpr wchar_t kContainerClass[] = L"PermoraContainer";
constexpr int kCaptionLabelIdOffset = 10000;
constexpr int kFrameId = 0xFFFF;

// Panels and group boxes: real parents for their controls, so that positions,
// tab order and enabling follow the control list. What the controls tell
// their parent goes on to the window that owns them.
LRESULT CALLBACK ContainerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_DRAWITEM:
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            auto brush = reinterpret_cast<HBRUSH>(
                SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(hwnd)));
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
            return message == WM_ERASEBKGND ? 1 : 0;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterContainerClass() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, kContainerClass, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ContainerProcedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kContainerClass;
    if (!RegisterClassExW(&wc)) throw std::runtime_error("Cannot register the container class");
}

HFONT MakeFont(const Dpi& dpi, int weight, bool underline = false) {
    // "MS Sans Serif" 8 pt: 11 pixels high at 96 DPI.
    return CreateFontW(-MulDiv(8, dpi.Value(), 72), 0, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       L"MS Sans Serif");
}

SIZE TextSize(HWND window, HFONT font, const wchar_t* text) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

bool IsRadioButton(HWND hwnd) {
    wchar_t className[16] = {};
    GetClassNameW(hwnd, className, 16);
    LONG_PTR type = GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(className, L"Button") == 0 && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

void SetTabStop(HWND hwnd, bool on) {
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    LONG_PTR wanted = on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    if (wanted != style) SetWindowLongPtrW(hwnd, GWL_STYLE, wanted);
}

// The one tab stop of a radio group: its selected button, else its first.
void UpdateRadioGroupTabStop(HWND member) {
    HWND first = member;
    while (!(GetWindowLongPtrW(first, GWL_STYLE) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous) break;
        first = previous;
    }
    std::vector<HWND> group;
    for (HWND hwnd = first; hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        if (hwnd != first && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_GROUP)) break;
        if (IsRadioButton(hwnd)) group.push_back(hwnd);
    }
    if (group.empty()) return;
    HWND stop = group.front();
    for (HWND radio : group)
        if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) stop = radio;
    for (HWND radio : group) SetTabStop(radio, radio == stop);
}

// Whoever checks or clears a radio button, the group keeps one tab stop.
LRESULT CALLBACK RadioProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, RadioProcedure, 0);
    LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == BM_SETCHECK) UpdateRadioGroupTabStop(hwnd);
    return result;
}

// Link labels draw themselves, in blue over the background their window
// gives labels, so that they look alike in every window.
void PaintLinkLabel(HWND hwnd, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(hwnd) ? RGB(0, 0, 255) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK LinkLabelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) break;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            PaintLinkLabel(hwnd, BeginPaint(hwnd, &ps));
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintLinkLabel(hwnd, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, LinkLabelProcedure, 0);
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

HWND MakeChild(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, const RECT& r, HWND parent,
               int id) {
    HWND hwnd = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.left,
                                r.top, r.right - r.left, r.bottom - r.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) throw std::runtime_error("Cannot create a control");
    return hwnd;
}

}  // namespace

Dpi::Dpi() {
    HDC screen = GetDC(nullptr);
    value_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (value_ <= 0) value_ = 96;
}

ControlSet::~ControlSet() {
    // The controls go with their window; the fonts are ours.
    if (font_) DeleteObject(font_);
    if (boldFont_) DeleteObject(boldFont_);
    if (linkFont_) DeleteObject(linkFont_);
}

void ControlSet::Create(HWND window, const std::vector<ControlEntry>& table, const Dpi& dpi) {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&classes);
    RegisterContainerClass();
    font_ = MakeFont(dpi, FW_NORMAL);
    boldFont_ = MakeFont(dpi, FW_BOLD);
    linkFont_ = MakeFont(dpi, FW_NORMAL, true);
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                               GetModuleHandleW(nullptr), nullptr);

    const ControlEntry* previous = nullptr;
    for (const ControlEntry& entry : table) {
        // Radio buttons that follow each other in one container form one group
        // for the arrow keys; every other control starts a group of its own.
        bool continuesRadioGroup = entry.kind == ControlKind::RadioButton && previous &&
                                   previous->kind == ControlKind::RadioButton && previous->container == entry.container;
        HWND hwnd = CreateOne(window, entry, dpi, !continuesRadioGroup);
        windows_[entry.id] = hwnd;
        if (entry.hint) {
            AddHint(window, hwnd, entry.hint);
            AddHintWhenDisabled(window, hwnd, entry.hint);
            if (entry.kind == ControlKind::ComboBox) {
                COMBOBOXINFO info{};
                info.cbSize = sizeof(info);
                if (GetComboBoxInfo(hwnd, &info) && info.hwndItem) AddHint(window, info.hwndItem, entry.hint);
            }
            if (HWND label = CaptionLabel(entry.id)) {
                AddHint(window, label, entry.hint);
                AddHintWhenDisabled(window, label, entry.hint);
            }
        }
        previous = &entry;
    }
    for (const ControlEntry& entry : table)
        if (entry.kind == ControlKind::RadioButton) UpdateRadioGroupTabStop((*this)[entry.id]);

    // Pictures and group frames go beneath what is drawn over them; since
    // they are clipped by their siblings, they then never paint over those.
    auto toBottom = [](HWND hwnd) {
        SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    for (const ControlEntry& entry : table) {
        if (entry.kind == ControlKind::Picture) toBottom((*this)[entry.id]);
        if (entry.kind == ControlKind::GroupBox) toBottom(GetDlgItem((*this)[entry.id], kFrameId));
    }
}

HWND ControlSet::CreateOne(HWND window, const ControlEntry& entry, const Dpi& dpi, bool startsGroup) {
    HWND parent = entry.container ? (*this)[entry.container] : window;
    if (!parent) throw std::logic_error(std::string("Container missing for ") + entry.name);
    HFONT font = entry.kind == ControlKind::LinkLabel ? linkFont_ : (entry.options & kBold) ? boldFont_ : font_;
    RECT r{dpi(entry.left), dpi(entry.top), dpi(entry.left + entry.width), dpi(entry.top + entry.height)};
    DWORD state = ((entry.options & kDisabled) ? WS_DISABLED : 0) | (startsGroup ? WS_GROUP : 0);
    // Radio buttons get theirs once their group is complete.
    DWORD tabStop = (entry.options & kNoTabStop) || entry.kind == ControlKind::RadioButton ? 0 : WS_TABSTOP;
    const wchar_t* caption = entry.caption ? entry.caption : L"";
    HWND hwnd = nullptr;

    switch (entry.kind) {
        case ControlKind::Picture:
            hwnd = MakeChild(L"STATIC", nullptr, SS_BITMAP | SS_REALSIZECONTROL | WS_GROUP, 0, r, parent, entry.id);
            break;
        case ControlKind::Label:
        case ControlKind::LinkLabel: {
            if (entry.width == 0 && entry.height == 0) {
                SIZE size = TextSize(window, font, caption);
                r.right = r.left + size.cx;
                r.bottom = r.top + size.cy;
            }
            bool link = entry.kind == ControlKind::LinkLabel;
            hwnd = MakeChild(L"STATIC", caption, SS_LEFT | SS_NOPREFIX | (link ? SS_NOTIFY : 0) | state, 0, r, parent,
                             entry.id);
            if (link) SetWindowSubclass(hwnd, LinkLabelProcedure, 0, 0);
            break;
        }
        case ControlKind::Panel:
            hwnd = MakeChild(kContainerClass, nullptr, WS_CLIPCHILDREN | state, WS_EX_CONTROLPARENT, r, parent,
                             entry.id);
            break;
        case ControlKind::GroupBox: {
            hwnd = MakeChild(kContainerClass, nullptr, state, WS_EX_CONTROLPARENT, r, parent, entry.id);
            RECT frame{0, 0, r.right - r.left, r.bottom - r.top};
            HWND frameWindow = MakeChild(L"BUTTON", caption, BS_GROUPBOX | WS_GROUP, 0, frame, hwnd, kFrameId);
            SendMessageW(frameWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            break;
        }
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: {
            DWORD kind = entry.kind == ControlKind::RadioButton ? BS_RADIOBUTTON
                         : (entry.options & kManualCheck) ? BS_CHECKBOX
                                                          : BS_AUTOCHECKBOX;
            DWORD style = kind | tabStop | state;
            if (entry.options & kSeparateCaption) {
                // The box alone is as wide as its glyph; its text stays clipped away.
                RECT box = r;
                box.right = box.left + dpi(15);
                hwnd = MakeChild(L"BUTTON", caption, style, 0, box, parent, entry.id);
                RECT label = r;
                label.left = r.left + dpi(17);
                HWND labelWindow =
                    MakeChild(L"STATIC", caption, SS_LEFT | SS_NOPREFIX | SS_NOTIFY | SS_CENTERIMAGE | WS_GROUP, 0,
                              label, parent, entry.id + kCaptionLabelIdOffset);
                SendMessageW(labelWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
                captionLabels_[entry.id] = labelWindow;
            } else {
                hwnd = MakeChild(L"BUTTON", caption, style, 0, r, parent, entry.id);
            }
            if (entry.kind == ControlKind::RadioButton) SetWindowSubclass(hwnd, RadioProcedure, 0, 0);
            if (entry.options & kChecked) SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
            break;
        }
        case ControlKind::ComboBox:
            // The height given is the closed box's; the window also holds the drop-down list.
            r.bottom = r.top + dpi(entry.height + 160);
            hwnd = MakeChild(L"COMBOBOX", nullptr,
                             CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL | tabStop | state, 0, r, parent,
                             entry.id);
            break;
        case ControlKind::Edit:
            hwnd = MakeChild(L"EDIT", caption, ES_AUTOHSCROLL | tabStop | state, WS_EX_CLIENTEDGE, r, parent,
                             entry.id);
            break;
        case ControlKind::Button:
            hwnd = MakeChild(L"BUTTON", caption, BS_PUSHBUTTON | tabStop | state, 0, r, parent, entry.id);
            break;
        case ControlKind::LeftEdge:
            r.right = r.left + 2;
            hwnd = MakeChild(L"STATIC", nullptr, WS_GROUP | SS_ETCHEDVERT, 0, r, parent, entry.id);
            break;
        case ControlKind::TopEdge:
            r.bottom = r.top + 2;
            hwnd = MakeChild(L"STATIC", nullptr, WS_GROUP | SS_ETCHEDHORZ, 0, r, parent, entry.id);
            break;
        case ControlKind::RightEdge:
            r.left = r.right - 2;
            hwnd = MakeChild(L"STATIC", nullptr, WS_GROUP | SS_ETCHEDVERT, 0, r, parent, entry.id);
            break;
    }
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

void ControlSet::AddHint(HWND window, HWND control, const wchar_t* hint) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(hint);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A disabled control gets no mouse messages, so the tooltip never hears of the
// mouse over it: its hint also stands as a rectangle on each container around
// it, of which the innermost enabled one gets the mouse there.
void ControlSet::AddHintWhenDisabled(HWND window, HWND control, const wchar_t* hint) {
    for (HWND container = GetParent(control); container; container = GetParent(container)) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = container;
        tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(control));
        GetWindowRect(control, &tool.rect);
        MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&tool.rect), 2);
        tool.lpszText = const_cast<wchar_t*>(hint);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        if (container == window) break;
    }
}

HWND ControlSet::operator[](int id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second;
}

HWND ControlSet::CaptionLabel(int boxId) const {
    auto it = captionLabels_.find(boxId);
    return it == captionLabels_.end() ? nullptr : it->second;
}

int ControlSet::BoxOfCaptionLabel(int labelId) const {
    int boxId = labelId - kCaptionLabelIdOffset;
    return captionLabels_.count(boxId) ? boxId : 0;
}

bool ControlSet::ForwardCaptionClick(int id, int code) const {
    int box = BoxOfCaptionLabel(id);
    if (!box) return false;
    if (code == STN_CLICKED || code == STN_DBLCLK) SendMessageW((*this)[box], BM_CLICK, 0, 0);
    return true;
}

void EnableWithChildren(HWND control, bool enabled) {
    EnableWindow(control, enabled);
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        EnableWithChildren(child, enabled);
}

HBITMAP LoadScaledBitmap(int resourceId, const Dpi& dpi) {
    auto original = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!original) throw std::runtime_error("A bitmap resource is missing");
    if (dpi.Value() == 96) return original;

    BITMAP info;
    GetObjectW(original, sizeof(info), &info);
    int width = dpi(info.bmWidth), height = dpi(info.bmHeight);
    HDC screen = GetDC(nullptr);
    HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HGDIOBJ oldFrom = SelectObject(from, original), oldTo = SelectObject(to, scaled);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    DeleteObject(original);
    return scaled;
}

LRESULT ShowPictureBehind(HDC dc, HWND label, HWND picture, HBRUSH pictureBrush) {
    POINT origin{0, 0};
    MapWindowPoints(label, picture, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(pictureBrush);
}

}  // namespace permora

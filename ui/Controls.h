#pragma once
// Controls made from a table that reads like a window's control list: name,
// kind, container, position at 96 DPI, caption, hint and initial state.
// Positions and the font scale with the system DPI.
#include <map>
#include <vector>

#include <windows.h>

namespace permora {

enum class ControlKind {
    Picture,      // a bitmap, set by the window (STM_SETIMAGE)
    Label,        // sized to its caption when width and height are 0
    LinkLabel,    // a Label that opens something: blue, underlined, hand cursor; clicks arrive as STN_CLICKED
    Panel,        // container; its background is what the window answers to WM_CTLCOLORSTATIC for it
    GroupBox,     // container with a frame and a caption
    CheckBox,
    // The window keeps the selection (no automatic checking). Tab reaches a
    // group only at its selected button, or its first when none is selected,
    // since Windows clicks an unselected one that gets the focus; the arrow
    // keys move within the group.
    RadioButton,
    ComboBox,     // editable, sorted list
    Edit,         // single line
    Button,
    LeftEdge,     // one edge of a frame given by position and size: a thin etched line
    TopEdge,
    RightEdge,
};

enum ControlOption : unsigned {
    kNoOption = 0,
    kBold = 1u << 0,
    kChecked = 1u << 1,
    kDisabled = 1u << 2,
    // The caption is a separate label beside the box, so that the window can
    // colour it (themed check boxes ignore text colours). A click on it
    // counts as a click on the box.
    kSeparateCaption = 1u << 3,
    // A check box whose state only the window sets (after its rules ran).
    kManualCheck = 1u << 4,
    // Tab passes the control by; a click or its access key still reach it.
    kNoTabStop = 1u << 5,
};

struct ControlEntry {
    int id;
    const char* name;
    ControlKind kind;
    int container;  // id of the Panel or GroupBox holding it; 0 for the window itself
    int left, top, width, height;
    const wchar_t* caption;
    const wchar_t* hint;  // nullptr: none
    unsigned options;
};

// Pixels at 96 DPI to pixels at the system DPI.
class Dpi {
public:
    Dpi();  // the system DPI
    explicit Dpi(int value) : value_(value) {}
    int Value() const { return value_; }
    int operator()(int pixels) const { return MulDiv(pixels, value_, 96); }

private:
    int value_;
};

// The controls of one window, its fonts and its tooltips. Containers forward
// their children's notifications and colour requests to the window.
class ControlSet {
public:
    ControlSet() = default;
    ~ControlSet();
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;

    void Create(HWND window, const std::vector<ControlEntry>& table, const Dpi& dpi);

    HWND operator[](int id) const;  // null for an unknown id
    // The label of a kSeparateCaption box, and the box of such a label.
    HWND CaptionLabel(int boxId) const;
    int BoxOfCaptionLabel(int labelId) const;  // 0 when labelId is no such label
    // A click on such a label is a click on its box: WM_COMMAND from the label
    // clicks the box. True when `id` is such a label (the command is then dealt with).
    bool ForwardCaptionClick(int id, int code) const;
    HWND Tooltip() const { return tooltip_; }
    HFONT Font() const { return font_; }

private:
    HWND CreateOne(HWND window, const ControlEntry& entry, const Dpi& dpi, bool startsGroup);
    void AddHint(HWND window, HWND control, const wchar_t* hint);
    void AddHintWhenDisabled(HWND window, HWND control, const wchar_t* hint);

    std::map<int, HWND> windows_;
    std::map<int, HWND> captionLabels_;
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    HFONT linkFont_ = nullptr;
};

// Enables or disables a control together with everything inside it: a
// disabled group box shows its boxes greyed, with their states, and takes no clicks.
void EnableWithChildren(HWND control, bool enabled);

// A bitmap resource scaled for the DPI; the caller deletes it.
HBITMAP LoadScaledBitmap(int resourceId, const Dpi& dpi);

// The answer to WM_CTLCOLORSTATIC for a label drawn over a picture: the label
// shows the part of the picture behind it, through a pattern brush of the
// picture's bitmap lined up with the picture.
LRESULT ShowPictureBehind(HDC dc, HWND label, HWND picture, HBRUSH pictureBrush);

// A check box or radio button that shows a tick.
inline bool IsChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace permora

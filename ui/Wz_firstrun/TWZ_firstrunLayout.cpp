// The wizard's controls: positions at 96 DPI inside their container.
#include "ui/PermissionTree.h"
#include "ui/Wz_firstrun/TWZ_firstrun.h"

namespace permora {

namespace {
// Labels without a name of their own, and the connectors of the permission tree.
enum : int {
    kWelcomeHeading = wz::Button1 + 1, kWelcomeText, kWelcomeHint,
    kFinishHeading, kFinishHint,
    kPathLabel, kEditNote,
    kContinue1, kContinue2, kContinue3, kContinue4,
    kConnectors,
};
constexpr wchar_t kContinue[] = L"Click \"Next\" to continue";
// The hints of r_f..r_7, in flag order.
const wchar_t* const kBoxHints[kPermissionFlagCount] = {
    L"User has full control over the selected directory and subfolders.  --   Delete  - Change content  - Create "
    L"folders  -Browse dirs and subdirs",
    L"Same as Full but user / group cannot modify ACL and ownership",
    L"Read and execute files.  --  browse directories and subdirectories",
    L"Only Read Files and Browse Directories",
    L"Just browse directories and subdirectories (Can see all files but is not able to open or copy them)",
    L"Can Create New Files An Directories, Can not delete or edit files / direcories",
    L"User has the right to delete non empty folders",
};
static_assert(wz::r_7 - wz::r_f == kPermissionFlagCount - 1, "the boxes' ids follow the flags");
}  // namespace

const std::vector<ControlEntry>& TWZ_firstrun::Layout() {
    using K = ControlKind;
    using namespace wz;
    static const std::vector<ControlEntry> layout = [] {
        std::vector<ControlEntry> table = {
            // First in the table, so above the banner, which they cover.
            {welcome, "welcome", K::Panel, 0, 0, 0, 497, 321, nullptr, nullptr, kNoOption},
            {Image2, "Image2", K::Picture, welcome, 0, 0, 497, 315, nullptr, nullptr, kNoOption},
            {kWelcomeHeading, "", K::Label, welcome, 160, 32, 0, 0, L"Welcome to the Quillon Permora Setup Wizzard",
             nullptr, kBold},
            {kWelcomeText, "", K::Label, welcome, 168, 96, 313, 26,
             L"This Wizzard will help you to set up the application", nullptr, kNoOption},
            {kWelcomeHint, "", K::Label, welcome, 154, 299, 0, 0, L"Please click \"Next\" to start the wizzard", nullptr,
             kNoOption},
            {finish, "finish", K::Panel, 0, 0, 0, 497, 321, nullptr, nullptr, kNoOption},
            {Image3, "Image3", K::Picture, finish, 0, 0, 497, 315, nullptr, nullptr, kNoOption},
            {kFinishHeading, "", K::Label, finish, 160, 32, 0, 0, L"Setup is complete", nullptr, kBold},
            {kFinishHint, "", K::Label, finish, 154, 296, 0, 0, L"Please click \"Close\" to end the wizzard", nullptr,
             kNoOption},

            {Image1, "Image1", K::Picture, 0, 0, 0, 497, 55, nullptr, nullptr, kNoOption},
            {title, "title", K::Label, 0, 8, 8, 440, 15, nullptr, nullptr, kBold},
            {discribe, "discribe", K::Label, 0, 16, 24, 305, 25, nullptr, nullptr, kNoOption},
            {pos_disp, "pos_disp", K::Label, 0, 454, 41, 40, 13, nullptr, nullptr, kNoOption},

            {p_user1, "p_user1", K::Panel, 0, 0, 55, 497, 260, nullptr, nullptr, kNoOption},
            {kPathLabel, "", K::Label, p_user1, 8, 32, 0, 0, L"Path to xcacls.vbs", nullptr, kNoOption},
            {Edit1, "Edit1", K::Edit, p_user1, 16, 48, 385, 19, nullptr, L"Path to xcacls.vbs", kNoOption},
            {Button2, "Button2", K::Button, p_user1, 408, 40, 27, 25, L"...", L"Select xcacls.vbs", kNoOption},
            {kContinue1, "", K::Label, p_user1, 378, 247, 0, 0, kContinue, nullptr, kNoOption},

            {p_user2, "p_user2", K::Panel, 0, 0, 55, 497, 260, nullptr, nullptr, kNoOption},
            {CheckBox4, "CheckBox4", K::CheckBox, p_user2, 16, 24, 250, 17, L"Edit ACL instead of replacement",
             L"Edits the ACL instead of replacing it", kChecked},
            {kEditNote, "", K::Label, p_user2, 40, 48, 441, 28,
             L"This will only edit the rights of the selected user and so the other rigths will stay untouched",
             nullptr, kNoOption},
            {RadioButton1, "RadioButton1", K::RadioButton, p_user2, 16, 96, 150, 17, L"Grant Rights",
             L"Will grant the selected permissions", kChecked},
            {RadioButton2, "RadioButton2", K::RadioButton, p_user2, 16, 128, 150, 17, L"Deny Rigths",
             L"Will deny the selected permissions", kNoOption},
            {RadioButton3, "RadioButton3", K::RadioButton, p_user2, 16, 160, 150, 17, L"Replace Rights",
             L"Will replace the selected permissions", kNoOption},
            {kContinue2, "", K::Label, p_user2, 378, 247, 0, 0, kContinue, nullptr, kNoOption},

            {p_user3, "p_user3", K::Panel, 0, 0, 55, 497, 260, nullptr, nullptr, kNoOption},
            {GroupBox1, "GroupBox1", K::GroupBox, p_user3, 16, 16, 465, 225, L" Permissions ", nullptr, kNoOption},
        };
        // The boxes stand 16 right of and 8 below where the main window has them.
        AddPermissionTree(table, GroupBox1, r_f, kConnectors, 16, 8, kBoxHints);
        const std::vector<ControlEntry> rest = {
            {kContinue3, "", K::Label, p_user3, 378, 247, 0, 0, kContinue, nullptr, kNoOption},

            {p_user4, "p_user4", K::Panel, 0, 0, 55, 497, 260, nullptr, nullptr, kNoOption},
            {command, "command", K::CheckBox, p_user4, 24, 32, 280, 17,
             L"Show command line bofore executing the command", nullptr, kNoOption},
            {kContinue4, "", K::Label, p_user4, 378, 247, 0, 0, kContinue, nullptr, kNoOption},

            {Bevel1, "Bevel1", K::TopEdge, 0, 0, 321, 497, 2, nullptr, nullptr, kNoOption},
            {bt_prev, "bt_prev", K::Button, 0, 248, 328, 75, 25, L"&Previous", nullptr, kNoOption},
            {bt_next, "bt_next", K::Button, 0, 328, 328, 75, 25, L"&Next", nullptr, kNoOption},
            {Button1, "Button1", K::Button, 0, 416, 328, 75, 25, L"Cancel", nullptr, kNoTabStop},
        };
        table.insert(table.end(), rest.begin(), rest.end());
        return table;
    }();
    return layout;
}

}  // namespace permora

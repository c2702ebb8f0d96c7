// The main window's controls: positions at 96 DPI inside their container.
#include "ui/Main/Tmain.h"

namespace permora {

const std::vector<ControlEntry>& Tmain::Layout() {
    using K = ControlKind;
    using namespace tmain;
    static const std::vector<ControlEntry> layout = {
        {Image1, "Image1", K::Picture, 0, 0, 0, 497, 55, nullptr, nullptr, kNoOption},
        {Label1, "Label1", K::Label, 0, 8, 8, 0, 0, L"Change NTFS ACL's with XCACLS.vbs", nullptr, kBold},
        {Label2, "Label2", K::Label, 0, 16, 24, 0, 0, L"GUI Application for xcacls", nullptr, kNoOption},
        {Panel1, "Panel1", K::Panel, 0, 0, 55, 497, 250, nullptr, nullptr, kNoOption},
        {Label3, "Label3", K::Label, Panel1, 8, 8, 0, 0, L"Target Directory", nullptr, kNoOption},
        {Edit1, "Edit1", K::ComboBox, Panel1, 8, 24, 449, 21, nullptr, nullptr, kNoOption},
        {bt_select, "bt_select", K::Button, Panel1, 463, 19, 27, 25, L"...", L"Select the target directory",
         kNoOption},

        {GroupBox2, "GroupBox2", K::GroupBox, Panel1, 224, 48, 265, 97, L" Options: ", nullptr, kNoOption},
        {opt_edit, "opt_edit", K::CheckBox, GroupBox2, 16, 16, 97, 17, L"Edit Permission",
         L"Edit the ACL entries. -- Leaves other entries untouched!!!", kNoOption},
        {RadioButton1, "RadioButton1", K::RadioButton, GroupBox2, 16, 40, 49, 17, L"Grant",
         L"Will grant the selected permissions", kNoOption},
        {RadioButton2, "RadioButton2", K::RadioButton, GroupBox2, 16, 56, 49, 17, L"Deny",
         L"Will deny the selected permissions", kNoOption},
        {RadioButton3, "RadioButton3", K::RadioButton, GroupBox2, 16, 72, 65, 17, L"Replace",
         L"Will replace existing permissions of the user / group with the selected permissions", kNoOption},
        {RadioButton4, "RadioButton4", K::RadioButton, GroupBox2, 112, 40, 145, 17, L"Revoke User Permissions",
         L"Revoke specified user's access rights", kNoOption},

        {GroupBox1, "GroupBox1", K::GroupBox, Panel1, 8, 48, 209, 138, L" GUI Permissions ", nullptr, kNoOption},
        {r_f, "r_f", K::CheckBox, GroupBox1, 16, 24, 73, 17, L"Full Control",
         L"User Has Full Control over the selected Folder.  -  Delete  - Change Content  - Create Folders  -Browse "
         L"dirs and subdirs",
         kManualCheck},
        {r_m, "r_m", K::CheckBox, GroupBox1, 32, 40, 49, 17, L"Modify",
         L"Same as Full but user / group can not modify ACL and ownership", kManualCheck},
        {r_x, "r_x", K::CheckBox, GroupBox1, 48, 56, 113, 17, L"Read and Execute",
         L"Read and execute Files. Browse directories", kManualCheck},
        {r_r, "r_r", K::CheckBox, GroupBox1, 64, 72, 49, 17, L"Read",
         L"Only read files and browse directories and subdirectories", kManualCheck},
        {r_l, "r_l", K::CheckBox, GroupBox1, 80, 88, 113, 17, L"List Folder Content",
         L"Just Browse Directories and Subdirectories (Can see all files but is not able to open or copy them)",
         kManualCheck},
        {r_w, "r_w", K::CheckBox, GroupBox1, 48, 104, 49, 17, L"Write",
         L"Can create new files and directories  -- can not delete or edit files / direcories", kManualCheck},
        {r_7, "r_7", K::CheckBox, GroupBox1, 48, 120, 153, 17, L"Delete Subfolders and Files",
         L"User has the right to delete non empty folders", kManualCheck | kSeparateCaption},
        // The connectors of the permission tree.
        {Bevel2, "Bevel2", K::LeftEdge, GroupBox1, 22, 32, 8, 17, nullptr, nullptr, kNoOption},
        {Bevel3, "Bevel3", K::TopEdge, GroupBox1, 22, 48, 7, 9, nullptr, nullptr, kNoOption},
        {Bevel4, "Bevel4", K::RightEdge, GroupBox1, 32, 48, 8, 81, nullptr, nullptr, kNoOption},
        {Bevel5, "Bevel5", K::TopEdge, GroupBox1, 39, 64, 7, 9, nullptr, nullptr, kNoOption},
        {Bevel7, "Bevel7", K::TopEdge, GroupBox1, 39, 112, 7, 9, nullptr, nullptr, kNoOption},
        {Bevel9, "Bevel9", K::RightEdge, GroupBox1, 49, 64, 8, 17, nullptr, nullptr, kNoOption},
        {Bevel8, "Bevel8", K::TopEdge, GroupBox1, 56, 80, 7, 9, nullptr, nullptr, kNoOption},
        {Bevel10, "Bevel10", K::RightEdge, GroupBox1, 64, 80, 8, 17, nullptr, nullptr, kNoOption},
        {Bevel6, "Bevel6", K::TopEdge, GroupBox1, 71, 96, 7, 9, nullptr, nullptr, kNoOption},
        {Bevel11, "Bevel11", K::TopEdge, GroupBox1, 39, 128, 7, 9, nullptr, nullptr, kNoOption},

        {GroupBox3, "GroupBox3", K::GroupBox, Panel1, 8, 192, 481, 49, L" Apply Permissions to ", nullptr,
         kNoOption},
        {Edit2, "Edit2", K::ComboBox, GroupBox3, 8, 19, 465, 21, nullptr, L"%userdomain%\\%username%", kNoOption},

        {GroupBox4, "GroupBox4", K::GroupBox, Panel1, 224, 152, 265, 33, L" Additional Parameters ", nullptr,
         kNoOption},
        {Edit3, "Edit3", K::Edit, GroupBox4, 0, 14, 265, 19, nullptr,
         L"Define additional parameters for xcacls.vbs  --  read xcacls.vbs documentation for help!", kNoOption},
        {Bevel1, "Bevel1", K::TopEdge, 0, 0, 305, 497, 2, nullptr, nullptr, kNoOption},
        {Button3, "Button3", K::Button, 0, 8, 312, 73, 25, L"About", L"Display information about Permora",
         kNoOption},
        {Button5, "Button5", K::Button, 0, 80, 312, 75, 25, L"Settings", L"Edit default settings", kNoOption},
        {CheckBox1, "CheckBox1", K::CheckBox, 0, 224, 320, 89, 17, L"Load Defaults",
         L"Will load the dault settings after execution", kChecked},
        {bt_execute, "bt_execute", K::Button, 0, 320, 312, 91, 25, L"Execute (F9]",
         L"Execute XCACLS.vbs with the selected settings", kBold | kDisabled},
        {Button1, "Button1", K::Button, 0, 416, 312, 75, 25, L"Close", L"Exit Permora", kNoOption},
    };
    return layout;
}

}  // namespace permora

// The main window's About button.
#include "ui/Info/TInfo.h"
#include "ui/Main/Tmain.h"
#include "ui/Text.h"
#include "ui/VersionInfo.h"

namespace permora {

void Tmain::Button3Click() {
    ShowWindow(Handle(), SW_HIDE);
    // The main window comes back however the About window ends, failures included.
    struct ShowAgain {
        Tmain& window;
        ~ShowAgain() {
            window.Show();
            SetFocus(window.Control(tmain::bt_select));
        }
    } showAgain{*this};

    TInfo about;
    about.Create(Handle(), Banner());
    VersionInfo verinf;
    verinf.SetFileName(RunningProgramPath());
    SetText(about.Control(info::Label8), verinf.FileVersion());
    SetText(about.Control(info::Label9), verinf.LegalCopyright());
    about.ShowModal(Handle());
}

}  // namespace permora

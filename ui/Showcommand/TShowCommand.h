#pragma once
// The confirmation dialog: shows the composed command for reading and
// editing; Yes runs the (edited) text, No leaves the not-executed marker.
#include <string>

#include <windows.h>

#include "core/LineStore.h"
#include "core/RunCommand.h"
#include "ui/Controls.h"
#include "ui/Window.h"

namespace permora {

namespace showcommand {
// Control ids, named as the controls are.
enum Control : int { Label1 = 100, command, Button1, Button2 };
}  // namespace showcommand

inline constexpr wchar_t kShowCommandClassName[] = L"PermoraCommand";

class TShowCommand : public Window {
public:
    // How the dialog was left.
    enum class Outcome {
        Closed,    // close box or Alt+F4: nothing ran, the output file is untouched
        Ran,       // Yes: see Run
        Declined,  // No: see MarkerWritten
    };

    explicit TShowCommand(std::string appDir);

    // Creates the dialog centred on `owner` with `commandText` in its edit
    // field; hidden until shown.
    void Create(HWND owner, const std::string& commandText);
    using Window::ShowModal;

    HWND Control(showcommand::Control id) const { return controls_[id]; }

    // Fields out, read after the dialog has closed.
    Outcome Result = Outcome::Closed;
    RunStatus Run = RunStatus::Ran;
    bool MarkerWritten = false;

    std::string AppDir;
    LineStore me_command;  // the marker file's lines

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Button1Click();
    void Button2Click();

    Dpi dpi_;
    ControlSet controls_;
};

}  // namespace permora

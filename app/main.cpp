// Creates the main window and runs the event loop until it closes.
#include <windows.h>

#include <exception>

#include "ui/Main/Tmain.h"
#include "ui/MessageBox.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        permora::Tmain window;
        window.Create();
        window.Show();
        permora::RunEventLoop(window);
    } catch (const std::exception& e) {
        permora::ShowError(nullptr, e.what());
    } catch (...) {
        permora::ShowError(nullptr, "");
    }
    return 0;
}

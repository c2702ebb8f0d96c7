// The window base: exceptions stop at the window procedure, modal showing.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/ui/DialogAnswerer.h"
#include "ui/Window.h"

namespace permora {
namespace {

using test::DialogAnswerer;

constexpr UINT kThrowError = WM_APP;
constexpr UINT kThrowOther = WM_APP + 1;
constexpr UINT kEndModal = WM_APP + 2;

class ProbeWindow : public Window {
public:
    explicit ProbeWindow(HWND owner = nullptr) {
        RegisterClassOnce(L"PermoraProbe", nullptr);
        CreateWindowOf(L"PermoraProbe", L"Probe", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 100}, owner);
    }
    using Window::ShowModal;

    HWND owner = nullptr;
    bool ownerEnabledWhileModal = true;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case kThrowError:
                throw std::runtime_error("Disk full");
            case kThrowOther:
                throw 42;
            case kEndModal:
                ownerEnabledWhileModal = IsWindowEnabled(owner) != FALSE;
                EndModal(static_cast<int>(wParam));
                return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }
};

TEST(WindowTest, AnExceptionInAHandlerIsShownAndTheWindowLivesOn) {
    struct Case {
        const char* label;
        UINT message;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"an error with a message", kThrowError, L"Disk full"},
        {"something that carries no message", kThrowOther, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ProbeWindow window;
        DialogAnswerer answerer;
        SendMessageW(window.Handle(), c.message, 0, 0);
        ASSERT_EQ(answerer.Seen().size(), 1u);
        EXPECT_EQ(answerer.Seen()[0].title, L"Permora");
        EXPECT_EQ(answerer.Seen()[0].text, c.text);
        EXPECT_EQ(answerer.Seen()[0].flags, 16u);
        EXPECT_TRUE(IsWindow(window.Handle()));
    }
}

TEST(WindowTest, ShowModalKeepsTheOwnerFromInputUntilItEnds) {
    ProbeWindow owner;
    ProbeWindow dialog(owner.Handle());
    dialog.owner = owner.Handle();
    PostMessageW(dialog.Handle(), kEndModal, 7, 0);  // handled inside the modal loop

    int result = dialog.ShowModal(owner.Handle());

    EXPECT_EQ(result, 7);
    EXPECT_FALSE(dialog.ownerEnabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST(WindowTest, ShowModalEndsWhenTheWindowIsDestroyed) {
    ProbeWindow owner;
    ProbeWindow dialog(owner.Handle());
    PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);  // DefWindowProc destroys it

    EXPECT_EQ(dialog.ShowModal(owner.Handle()), 0);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(WindowTest, ShowModalLeavesADisabledOwnerDisabled) {
    ProbeWindow owner;
    EnableWindow(owner.Handle(), FALSE);
    ProbeWindow dialog(owner.Handle());
    dialog.owner = owner.Handle();
    PostMessageW(dialog.Handle(), kEndModal, 1, 0);

    dialog.ShowModal(owner.Handle());

    EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
}

}  // namespace
}  // namespace permora

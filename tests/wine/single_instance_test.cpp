#include "core/win32/SingleInstance.h"

#include "framework/Wnd.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

// A hidden top-level window, as the running monitor's main window is.
class CWakeTarget : public CWnd {
public:
    int m_woken = 0;

protected:
    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == CSingleInstance::WakeMessage()) {
            ++m_woken;
            result = 0;
            return true;
        }
        return CWnd::ProcessMessage(message, wParam, lParam, result);
    }
};

TEST(SingleInstance, TheSecondFindsTheFirstAndWakesItsWindow) {
    const char* name = "Brambleway.Mereth.Test.SingleInstance";
    CWakeTarget running;
    const RECT rect{0, 0, 50, 50};
    ASSERT_TRUE(running.Create("running", WS_OVERLAPPED, rect, nullptr, 0));
    {
        CSingleInstance first(name);
        EXPECT_TRUE(first.IsFirst());
        EXPECT_FALSE(first.AnnounceWindow()); // nobody asked yet
        {
            CSingleInstance second(name);
            EXPECT_FALSE(second.IsFirst());
            EXPECT_TRUE(second.WakeRunning()); // the window is up: no wait
        }
        MSG msg;
        const DWORD deadline = ::GetTickCount() + 2000;
        while (running.m_woken == 0 && ::GetTickCount() < deadline) {
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::DispatchMessageA(&msg);
            }
            ::Sleep(10);
        }
        EXPECT_EQ(1, running.m_woken);
    }
    // Once the first has gone, the next start runs again.
    CSingleInstance later(name);
    EXPECT_TRUE(later.IsFirst());
}

} // namespace
} // namespace mereth

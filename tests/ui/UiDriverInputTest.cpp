// The test driver's timed buttons and its keys reach a window as the window system delivers a
// person's: double-clicks by time and place, keypad and punctuation keys with their scan codes,
// auto-repeat in the key's flags.
#include "platform/core/Services.h"
#include "platform/ui/KeyMap.h"
#include "platform/gdi/DC.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndClass.h"
#include "tests/support/UiDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A top-level window of a class that takes double-clicks, noting every input message it sees.
struct CInputLog : public CWnd {
    std::vector<MSG> seen;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_MOUSEMOVE && pMsg->message != WM_SETCURSOR)
            seen.push_back(*pMsg);
        return FALSE;
    }
    std::vector<UINT> Messages() const
    {
        std::vector<UINT> out;
        for (const MSG& m : seen)
            out.push_back(m.message);
        return out;
    }
};

class UiDriverInput : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        UiResetKeyState();
        LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(IDC_ARROW), CreateSolidBrush(RGB(255, 255, 255)));
        ASSERT_TRUE(m_wnd.Create(cls, "input", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0));
        UiDriver::ShowAndActivate(&m_wnd);
        m_wnd.SetFocus();
        UiDriver::Pump();
        m_wnd.seen.clear();
    }
    void TearDown() override
    {
        m_wnd.DestroyWindow();
        UiResetKeyState();
    }
    CInputLog m_wnd;
};

TEST_F(UiDriverInput, DoubleClickComesInTheWindowSystemsOrderAndTimedPressesFarApartDoNot)
{
    UiDriver::DoubleClick(&m_wnd, POINT{ 20, 30 }, UiDriver::Left, UiDriver::Shift);
    EXPECT_EQ(m_wnd.Messages(), (std::vector<UINT>{ WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP }));
    ASSERT_EQ(m_wnd.seen.size(), 4u);
    EXPECT_EQ(m_wnd.seen[2].lParam, static_cast<LPARAM>(MAKELONG(20, 30)));
    EXPECT_TRUE(m_wnd.seen[2].wParam & MK_SHIFT);
    EXPECT_EQ(m_wnd.seen[3].time - m_wnd.seen[0].time, 30u);

    // Untimed clicks right after never pair up; timed ones follow the times given.
    m_wnd.seen.clear();
    UiDriver::Click(&m_wnd, POINT{ 20, 30 }, UiDriver::Middle);
    UiDriver::Click(&m_wnd, POINT{ 20, 30 }, UiDriver::Middle);
    const DWORD t = UiDriver::MouseClock() + 1000;
    UiDriver::MouseDownAt(&m_wnd, POINT{ 5, 5 }, UiDriver::Right, UiDriver::NoModifier, t);
    UiDriver::MouseUpAt(&m_wnd, POINT{ 5, 5 }, UiDriver::Right, UiDriver::NoModifier, t + 5);
    UiDriver::MouseDownAt(&m_wnd, POINT{ 5, 5 }, UiDriver::Right, UiDriver::NoModifier, t + 2000);
    UiDriver::MouseUpAt(&m_wnd, POINT{ 5, 5 }, UiDriver::Right, UiDriver::NoModifier, t + 2005);
    UiDriver::MouseDownAt(&m_wnd, POINT{ 5, 5 }, UiDriver::Right, UiDriver::NoModifier, t + 2010);
    EXPECT_EQ(m_wnd.Messages(), (std::vector<UINT>{ WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP,
                                                    WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
                                                    WM_RBUTTONDBLCLK }));
    EXPECT_TRUE(m_wnd.seen.back().wParam & MK_RBUTTON);
    UiDriver::MouseUpAt(&m_wnd, POINT{ 5, 5 }, UiDriver::Right, UiDriver::NoModifier, t + 2020);
}

TEST_F(UiDriverInput, KeysCarryTheirVirtualKeyScanCodeAndRepeatBit)
{
    struct Case {
        UINT vk;
        UINT modifiers;
        BOOL repeat;
        UINT message;
        UINT scan;
    } cases[] = {
        { VK_NUMPAD5, UiDriver::NoModifier, FALSE, WM_KEYDOWN, 0x4C },
        { VK_DECIMAL, UiDriver::NoModifier, FALSE, WM_KEYDOWN, 0x53 },
        { VK_OEM_PERIOD, UiDriver::NoModifier, FALSE, WM_KEYDOWN, 0x34 },
        { VK_OEM_1, UiDriver::NoModifier, FALSE, WM_KEYDOWN, 0x28 },
        { '7', UiDriver::NoModifier, TRUE, WM_KEYDOWN, 0x08 },
        { VK_TAB, UiDriver::Control, FALSE, WM_KEYDOWN, 0x0F },
        { VK_F10, UiDriver::NoModifier, FALSE, WM_SYSKEYDOWN, 0x44 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        m_wnd.seen.clear();
        UiDriver::KeyDown(c.vk, c.modifiers, c.repeat);
        UiDriver::KeyUp(c.vk, c.modifiers);
        const MSG* down = nullptr;
        const MSG* up = nullptr;
        for (const MSG& m : m_wnd.seen) {
            if (m.wParam != c.vk)
                continue;
            if (m.message == c.message)
                down = &m;
            else if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP)
                up = &m;
        }
        ASSERT_TRUE(down);
        ASSERT_TRUE(up);
        EXPECT_EQ((static_cast<DWORD>(down->lParam) >> 16) & 0xFF, c.scan);
        EXPECT_EQ((static_cast<DWORD>(down->lParam) >> 30) & 1, c.repeat ? 1u : 0u);
        EXPECT_EQ(static_cast<DWORD>(down->lParam) & 0xFFFF, 1u);
        EXPECT_EQ((static_cast<DWORD>(up->lParam) >> 30) & 3, 3u);
    }
    // Ctrl went down before the Tab and came up after it.
    EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
}

} // namespace

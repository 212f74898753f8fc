// Marks and text lines drawn over the drawing: where they stand, and that they go by being
// drawn again in the background color.
#include "ViewTestSupport.h"

#include "app/MainFrame.h"
#include "input/PointEntry.h"

#include <algorithm>

namespace {

class ViewOverlays : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        m_view->m_clientRectLogical = RECT{0, 0, 1200, -600};
        m_app->m_activeView = m_view.get();
    }
    // The text and line calls since the last take.
    std::vector<std::string> Take(std::initializer_list<const char*> names)
    {
        std::vector<std::string> out;
        for (const std::string& c : m_view->m_clientCalls)
            for (const char* n : names)
                if (c.rfind(n, 0) == 0)
                    out.push_back(c);
        m_view->m_clientCalls.clear();
        return out;
    }
    std::vector<std::string> Texts() { return Take({"TextOut", "SetTextColor"}); }
};

TEST_F(ViewOverlays, MessagesAreErasedByDrawingThemAgainInTheBackground)
{
    // With the hint line on, the message stands one font height below the top.
    m_app->ShowMessage("A", 0);
    m_app->ShowResultMessage("B", 0);
    EXPECT_EQ(m_view->m_messageText, CString("AB"));
    Texts();
    m_app->ShowMessage("C", 0);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"SetTextColor(RGB(255,255,255))", "TextOut(0,-40,\"AB\")",
                                                 "SetTextColor(RGB(255,0,0))", "TextOut(0,-40,\"C\")",
                                                 "SetTextColor(RGB(0,0,0))"}));

    // Without it, at the top; an empty message erases and stores nothing.
    m_app->m_appDraw.showHintLine = 0;
    m_app->ShowMessage("", 0);
    EXPECT_EQ(Texts()[1], "TextOut(0,0,\"C\")");
    EXPECT_EQ(m_view->m_messageText, CString("C"));

    // A message over 200 bytes is shown; the next one neither erases it nor is stored; the
    // one after is stored again.
    const CString longText(std::string(201, 'x').c_str());
    m_app->ShowMessage(longText, 0);
    EXPECT_EQ(m_view->m_messageText, longText);
    Texts();
    m_app->ShowMessage("D", 0);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"SetTextColor(RGB(255,0,0))", "TextOut(0,0,\"D\")",
                                                 "SetTextColor(RGB(0,0,0))"}));
    EXPECT_TRUE(m_view->m_messageText.IsEmpty());
    m_app->ShowMessage("E", 0);
    EXPECT_EQ(m_view->m_messageText, CString("E"));
}

TEST_F(ViewOverlays, TheDeferredRepaintTimerShowsTheMessageLineAgain)
{
    m_app->ShowMessage("AB", 0);
    Texts();
    CMainFrame frame;
    frame.OnTimer(16);
    // The line is written again over the repainted window, and is still the one stored.
    const std::vector<std::string> texts = Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "TextOut(0,-40,\"AB\")"), texts.end());
    EXPECT_EQ(texts.back(), "SetTextColor(RGB(0,0,0))");
    EXPECT_EQ(m_view->m_messageText, CString("AB"));
}

TEST_F(ViewOverlays, HintLineFollowsTheSettingWhileThePromptStillChanges)
{
    m_app->m_prompt = "[線分] 始点";
    m_app->m_hint = "始点を指示";
    m_app->ShowPrompt();
    EXPECT_EQ(m_view->m_hintText, CString("始点を指示"));
    EXPECT_EQ(Texts()[1], "TextOut(0,0,\"\")");  // the old hint erased at the top
    m_app->m_appDraw.showHintLine = 0;
    m_app->m_hint = "終点";
    m_app->ShowPrompt();
    EXPECT_EQ(m_view->m_hintText, CString("始点を指示"));
    EXPECT_TRUE(Texts().empty());

    // Without an active drawing view a beep still sounds once and nothing is drawn.
    m_app->m_activeView = nullptr;
    m_app->ShowMessage("x", 1);
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), 1u);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ViewOverlays, BannerLinesAreCentredBelowTheTop)
{
    int line = 0;
    m_view->DrawBannerLine("一", line);
    m_view->DrawBannerLine("二", line);
    EXPECT_EQ(line, 2);
    // g = 600 / 60 = 10: the first line 18g below the top, the next 21g.
    const auto calls = Take({"TextOut", "SetTextColor", "SetTextAlign", "SelectFont"});
    EXPECT_NE(std::find(calls.begin(), calls.end(), "TextOut(600,-180,\"一\")"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "TextOut(600,-210,\"二\")"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "SetTextColor(RGB(0,128,128))"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "SetTextAlign(14)"), calls.end());
    EXPECT_EQ(calls.front().rfind("SelectFont(20,", 0), 0u) << calls.front();
}

TEST_F(ViewOverlays, OriginMarkAndRelativeAxes)
{
    // World (0, 0) at logical (16000, -16000).
    m_view->m_origin = W(-16000, 16000);
    CRecordingDC dc;
    const RECT clip{0, 0, 32000, -32000};
    m_view->DrawOriginMark(&dc, clip);
    EXPECT_EQ(dc.Calls(), (std::vector<std::string>{"MoveTo(16000,-16000)", "LineTo(16050,-16000)",
                                                     "MoveTo(16000,-16000)", "LineTo(16000,-15950)"}));

    // At 30 degrees the axes run 100 units along 30 and 120 degrees.
    dc.Clear();
    m_doc->m_relAngle = 30;
    m_view->DrawRelativeAxes(&dc, clip);
    // Each axis from its lower end (the ends put in order before clipping).
    EXPECT_EQ(dc.CallsNamed({"MoveTo", "LineTo"}),
              (std::vector<std::string>{"MoveTo(16000,-16000)", "LineTo(16086,-15950)", "MoveTo(15950,-15913)",
                                        "LineTo(16000,-16000)"}));

    // Clipped away entirely: nothing.
    dc.Clear();
    m_view->DrawOriginMark(&dc, RECT{0, 0, 100, -100});
    EXPECT_TRUE(dc.Calls().empty());
}

TEST_F(ViewOverlays, PointerAndDirectionMarks)
{
    m_view->m_origin = W(0, 0);
    m_app->m_activeClientRect = RECT{0, 0, 1200, -600};
    CPointD inside = W(100, -100), outside = W(2000, -100);
    m_doc->m_pointerMarks.Add(&inside);
    m_doc->m_pointerMarks.Add(&outside);
    m_view->DrawPointerMarks(0);
    // a = 60 * 0.714... = 42, b = 52, c = 30; the mark outside the active view is left out.
    EXPECT_EQ(Take({"SelectPen", "MoveTo", "LineTo"}),
              (std::vector<std::string>{"SelectPen(0,5,RGB(255,0,0))", "MoveTo(142,-58)", "LineTo(100,-100)",
                                        "MoveTo(100,-100)", "LineTo(130,-48)", "SelectPen(0,0,RGB(0,0,0))"}));
    m_view->DrawPointerMarks(1);
    EXPECT_EQ(Take({"SelectPen"}).front(), "SelectPen(0,5,RGB(255,255,255))");
    m_doc->m_pointerMarks.RemoveAll();

    auto* mark = new CPointEntry(W(10, -10), 90);
    m_doc->m_directionMarks.Add(mark);
    m_view->DrawDirectionMarks(1);
    EXPECT_EQ(Take({"SelectPen", "MoveTo", "LineTo"}),
              (std::vector<std::string>{"SelectPen(0,1,RGB(255,0,0))", "MoveTo(10,-20)", "LineTo(10,0)",
                                        "SelectPen(0,0,RGB(0,0,0))"}));
    m_view->DrawDirectionMarks(0);
    EXPECT_EQ(Take({"SelectPen"}).front(), "SelectPen(0,1,RGB(255,255,255))");
}

} // namespace

TEST_F(ViewOverlays, APathInAMessageShowsWithSlashesAndIsKeptAsGiven)
{
    // "表" ends in the byte 0x5C, which is no separator; the other backslashes are.
    m_app->ShowMessage("\\home\\user\\表\\screw.zel に保存しました", 0);
    EXPECT_EQ(m_view->m_messageText, CString("\\home\\user\\表\\screw.zel に保存しました"));
    const std::vector<std::string> texts = Texts();
    const std::string shown = "TextOut(0,-40,\"" + std::string("/home/user/表/screw.zel に保存しました") + "\")";
    EXPECT_NE(std::find(texts.begin(), texts.end(), shown), texts.end());
}

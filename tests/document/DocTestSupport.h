// Helpers of the document tests: an application object installed as g_pApp, a fresh drawing
// made after it, a view that records what the drawing asks of it, and the scripted services.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

// Records every request as one line of text, in order.
class RecordingView : public CZelkView {
public:
    std::vector<std::string> m_calls;
    BOOL m_canMeasure = FALSE;
    LONG m_extentCx = 0;

    void Note(const std::string& s) { m_calls.push_back(s); }
    bool Saw(const std::string& s) const
    {
        for (const auto& c : m_calls)
            if (c == s)
                return true;
        return false;
    }

    void SendPaint() override { Note("Paint"); }
    void RedrawElements(int clip) override { Note("RedrawElements " + std::to_string(clip)); }
    void EraseChangedElements() override { Note("EraseChangedElements"); }
    void InvalidateObject(CZelkObj* o) override { Note(o ? "InvalidateObject" : "InvalidateAll"); }
    void ShowMessageLine(const CString& text) override { Note("Message " + text.Std()); }
    void DrawGroupMembers(int d, int c, int g) override
    {
        Note("DrawGroup " + std::to_string(d) + " " + std::to_string(c) + " " + std::to_string(g));
    }
    void DrawCrossMark(CPointD p, int size) override
    {
        Note("Cross " + std::to_string(p.m_x) + " " + std::to_string(p.m_y) + " " +
             std::to_string(size));
    }
    void DrawColoredCrossMark(CPointD p, COLORREF, int) override
    {
        Note("ColoredCross " + std::to_string(p.m_x) + " " + std::to_string(p.m_y));
    }
    void DrawInputPointMark(int show) override { Note("InputPointMark " + std::to_string(show)); }
    void DeselectOleObject(CZelkObj*) override { Note("DeselectOleObject"); }
    void PreviewSegment(CPointD* p, CPointD* q) override
    {
        Note("PreviewSegment " + std::to_string(p->m_x) + " " + std::to_string(q->m_x));
    }
    BOOL MeasureTextExtent(const LOGFONT&, const CString& text, SIZE& extent) override
    {
        Note("Measure " + text.Std());
        extent.cx = m_extentCx;
        extent.cy = 0;
        return m_canMeasure;
    }
};

inline CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class DocFixture : public testing::Test {
protected:
    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;

    void SetUp() override
    {
        Scripted().m_messages.clear();
        Scripted().m_beeps.clear();
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_doc = std::make_unique<CZelkDoc>();
        // The test owns the drawing: its last view leaving must not close it.
        m_doc->m_bAutoDelete = FALSE;
    }
    void TearDown() override
    {
        m_doc.reset();
        g_pApp = nullptr;
        m_app.reset();
    }
    static CScriptedServices& Scripted() { return DefaultScriptedServices(); }
    CZelkDoc& Doc() { return *m_doc; }
    std::string LastMessage() const { return m_app->m_lastMessage.Std(); }
    std::int16_t Pen(int lineType = 0)
    {
        return Doc().FindOrAddPen(lineType, 1, RGB(0, 0, 0), 0, 70);
    }
};

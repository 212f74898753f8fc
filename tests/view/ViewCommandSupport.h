// Shared pieces of the tests of the view's commands: the hub recording what the commands ask
// of it, a menu item recording its state, a view recording its message line, and a drawing
// with such a view and a group processor.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands/annotate/GroupProcessor.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/UiServices.h"
#include "tests/view/ViewTestSupport.h"

inline std::string Dispatch(int code)
{
    char text[32];
    std::snprintf(text, sizeof text, "dispatch %d", code);
    return text;
}

// The hub as the view's commands see it: what they ask of it, in order.
class CCommandApp : public CZelkApp {
public:
    std::vector<std::string> m_calls;
    BOOL DispatchCommand(CZelkDoc*, CZelkView*, int code) override
    {
        m_calls.push_back(Dispatch(code));
        return TRUE;
    }
    void CancelMode(CZelkDoc*, CZelkView*) override { m_calls.push_back("cancel"); }
    void SetGuidance(CZelkDoc*) override { m_calls.push_back("guidance"); }
    void ShowPrompt() override { m_calls.push_back("prompt"); }
    void ComputePreview(CZelkDoc*) override { m_calls.push_back("preview"); }
    void SwitchMode(CZelkDoc*, CZelkView*, short selector, short mode, int) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "switch %d %d", selector, mode);
        m_calls.push_back(text);
        if (selector == 1)
            m_commandKind = mode;
    }
    std::vector<std::string> Dispatched() const
    {
        std::vector<std::string> out;
        for (const std::string& c : m_calls)
            if (c.rfind("dispatch", 0) == 0)
                out.push_back(c);
        return out;
    }
};

// A menu item as an update handler leaves it: -1 where the handler did not touch it.
class CRecordedUI : public CCmdUI {
public:
    int m_enabled = -1;
    int m_checked = -1;
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_enabled = on ? 1 : 0;
    }
    void SetCheck(int check) override { m_checked = check; }
};

// A view that records what its message line shows.
class CMessageView : public CRecordedView {
public:
    std::vector<std::string> m_lines;
    void ShowMessageLine(const CString& text) override
    {
        m_lines.push_back(text.GetString());
        CRecordedView::ShowMessageLine(text);
    }
    // The extent text measurements give, when set.
    LONG m_measuredWidth = -1;
    BOOL MeasureTextExtent(const LOGFONT& font, const CString& text, SIZE& extent) override
    {
        if (m_measuredWidth < 0)
            return CRecordedView::MeasureTextExtent(font, text, extent);
        extent = SIZE{m_measuredWidth, 10};
        return TRUE;
    }
};

class ViewCommandFixture : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        m_app = std::make_unique<CCommandApp>();
        g_pApp = m_app.get();
        m_app->m_groupProcessor = m_group.get();
        m_doc = std::make_unique<CZelkDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_view = std::make_unique<CMessageView>();
        m_doc->AddView(m_view.get());
        m_view->m_layerStates.SetSize(m_doc->m_layers.GetSize());
    }
    void TearDown() override
    {
        m_doc->RemoveView(m_view.get());
        m_view.reset();
        m_doc.reset();
        m_app->m_groupProcessor = nullptr;
        g_pApp = nullptr;
        m_app.reset();
    }
public:
    // The command as the frame routes it to the view: TRUE when the view's map has it.
    BOOL Command(UINT id) { return m_view->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
    // A menu item chosen, with what the hub was asked before forgotten.
    void Choose(UINT id)
    {
        m_app->m_calls.clear();
        ASSERT_TRUE(Command(id)) << id;
    }
    CRecordedUI Update(UINT id)
    {
        CRecordedUI ui;
        ui.m_nID = id;
        EXPECT_TRUE(m_view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr)) << id;
        return ui;
    }

    std::unique_ptr<CGroupProcessor> m_group = std::make_unique<CGroupProcessor>();
    std::unique_ptr<CCommandApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;
    std::unique_ptr<CMessageView> m_view;
};

// The started program with its drawing window focused: the window's pixels and world points, and
// the items of a command's sub-menu by their titles.
#pragma once

#include "document/ZelkDoc.h"
#include "tests/app/StartedProgram.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstring>

class DrawingWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_doc = m_app->GetActiveDrawingDoc();
        ASSERT_NE(m_doc, nullptr);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    CPointD WorldAt(POINT pixel) { return StartedProgram::WorldAt(m_view, pixel); }
    POINT PixelOf(CPointD world) { return StartedProgram::PixelOf(m_view, world); }
    static UINT SubModeItem(CSubMode::Object object, const char* title)
    {
        for (const CSubMode* m = SubModesBegin(); m != SubModesEnd(); ++m) {
            if (m->object == object && std::strcmp(m->title, title) == 0)
                return m->id;
        }
        return 0;
    }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

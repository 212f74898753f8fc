// A fresh drawing under a fresh application object for the creation tests, with a view that
// notes the element draws it is asked for.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/DataPoints.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "view/ZelkView.h"

class DrawNotingView : public CZelkView {
public:
    std::vector<std::string> m_draws;
    void DrawPointElement(int mode, int, CDataPoints*, int slot) override
    {
        m_draws.push_back("point " + std::to_string(mode) + " " + std::to_string(slot));
    }
    void DrawLineElement(int mode, int, CLines*, int slot) override
    {
        m_draws.push_back("line " + std::to_string(mode) + " " + std::to_string(slot));
    }
    void DrawCircleElement(int mode, int, CCircles*, int slot) override
    {
        m_draws.push_back("circle " + std::to_string(mode) + " " + std::to_string(slot));
    }
    void DrawGroupMembers(int mode, int, int group) override
    {
        m_draws.push_back("group " + std::to_string(mode) + " " + std::to_string(group));
    }
};

inline CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class CreationFixture : public testing::Test {
protected:
    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;
    DrawNotingView m_view;

    void SetUp() override
    {
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->m_printRatio = 1.05;
        m_doc = std::make_unique<CZelkDoc>();
        // The test owns the drawing: its last view leaving must not close it.
        m_doc->m_bAutoDelete = FALSE;
        m_doc->AddView(&m_view);
    }
    void TearDown() override
    {
        m_doc->RemoveView(&m_view);
        m_doc.reset();
        g_pApp = nullptr;
        m_app.reset();
    }
    CZelkDoc& Doc() { return *m_doc; }
    CCreationLog& Log() { return *m_doc->m_creationLog; }
    CUndoHistory& Undo() { return *m_doc->m_undoHistory; }

    // Live elements of a kind, counted over all blocks.
    int LiveLines() const
    {
        int n = 0;
        for (int b = 0; b < m_doc->m_lineBlocks.GetSize(); ++b) {
            const CLines* l = m_doc->LineBlockAt(b);
            for (int s = 0; s < l->m_count; ++s)
                n += (l->m_slots[s].m_state & 0x08) ? 0 : 1;
        }
        return n;
    }
    // Members of a group with the kind and role.
    std::vector<CElemRef> Members(int group, int kind, int role)
    {
        std::vector<CElemRef> out;
        for (const CElemRef& m : m_doc->GetGroup(group)->m_members) {
            if (m.m_kind != kind)
                continue;
            int r = -1;
            if (kind == 4) r = m_doc->GetLineElem(m.m_block, m.m_slot)->m_role;
            if (kind == 8) r = m_doc->GetCircleElem(m.m_block, m.m_slot)->m_role;
            if (kind == 16) r = m_doc->GetArcElem(m.m_block, m.m_slot)->m_role;
            if (kind == 32) r = m_doc->GetTextElem(m.m_block, m.m_slot)->m_role;
            if (r == role)
                out.push_back(m);
        }
        return out;
    }
};

// A document whose blocks, groups and attribute strings the tests fill by hand, with the
// application object in place for the settings the elements read.
#pragma once

#include <gtest/gtest.h>

#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"

class DocumentFixture : public ::testing::Test {
protected:
    CZelkApp m_app;
    CZelkDoc m_doc;

    void SetUp() override { g_pApp = &m_app; }
    void TearDown() override { g_pApp = nullptr; }

    // The next slot of the last block of a kind (a new block when it is full or missing).
    template <class Block>
    auto& NewSlot(CObArray& blocks, int& block, int& slot)
    {
        if (blocks.GetSize() == 0
            || static_cast<Block*>(blocks.GetAt(blocks.GetSize() - 1))->m_count
                   == Block::SlotCount)
            blocks.Add(new Block);
        block = static_cast<int>(blocks.GetSize()) - 1;
        Block* b = static_cast<Block*>(blocks.GetAt(block));
        slot = b->m_count++;
        return b->m_slots[slot];
    }

    CLine& NewLine(int& block, int& slot) { return NewSlot<CLines>(m_doc.m_lineBlocks, block, slot); }
    CDataPoint& NewPoint(int& block, int& slot)
    {
        return NewSlot<CDataPoints>(m_doc.m_pointBlocks, block, slot);
    }
    CCircle& NewCircle(int& block, int& slot)
    {
        return NewSlot<CCircles>(m_doc.m_circleBlocks, block, slot);
    }
    CText& NewText(int& block, int& slot) { return NewSlot<CTexts>(m_doc.m_textBlocks, block, slot); }

    CGroup& NewGroup(int& number, int kind = 0)
    {
        number = static_cast<int>(m_doc.m_groups.Add(new CGroup));
        CGroup* group = m_doc.GetGroup(number);
        group->m_kind = static_cast<std::int16_t>(kind);
        return *group;
    }
    // Puts an element (or a sub-group, kind 1) into a group, as the group builders do.
    void AddMember(int groupNumber, int kind, int block, int slot)
    {
        CElemRef ref;
        ref.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block),
                 static_cast<std::int16_t>(slot), 1, 0);
        m_doc.GetGroup(groupNumber)->m_members.push_back(ref);
        if (kind == ELEM_GROUP)
            m_doc.GetGroup(block)->m_parent = static_cast<std::int16_t>(groupNumber);
    }
    int NewString(const char* text)
    {
        return static_cast<int>(m_doc.m_attrStrings.Add(new CDataString(CString(text))));
    }
};

// Selection state across drawings when a command is switched.
#include <gtest/gtest.h>

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "elements/Lines.h"
#include "input/PickList.h"
#include "platform/ui/DocTemplate.h"
#include "tests/support/InputTape.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// A line of the drawing with the given mark byte.
CLine* MarkedLine(CZelkDoc& doc, std::uint8_t mark)
{
    CLines* block = doc.AddLine(Pt(0, 0), Pt(10, 0), 0, doc.FindOrAddPen(0, 1, 0, 0, 70));
    CLine* line = &block->m_slots[block->m_count - 1];
    line->m_mark = mark;
    return line;
}

} // namespace

TEST(SelectionServices, OtherDrawingsLoseTheirSelectionAndBoxSelection)
{
    CInputTape tape;
    auto* other = new CZelkDoc;
    other->m_bAutoDelete = FALSE;
    tape.App().m_pDocTemplate->AddDocument(other);

    CLine* kept = MarkedLine(tape.Doc(), 0x02 | 0x10);
    CLine* dropped = MarkedLine(*other, 0x02 | 0x04 | 0x10);
    other->m_groupProcessing = 1;
    tape.Doc().m_groupProcessing = 1;
    tape.App().m_groupProcessor->m_document = other;

    tape.App().ClearOtherSelections(&tape.Doc());
    EXPECT_EQ(kept->m_mark, 0x12);
    EXPECT_EQ(dropped->m_mark & 0x0E, 0);
    EXPECT_EQ(dropped->m_mark & 0x10, 0x10);
    // The selection was remembered before it went.
    EXPECT_EQ(other->m_pickList->selectionSnapshot.size(), 1u);
    EXPECT_EQ(other->m_groupProcessing, 0);
    EXPECT_EQ(tape.Doc().m_groupProcessing, 1);
    EXPECT_EQ(tape.App().m_groupProcessor->m_document, nullptr);

    // Without a drawing to keep, every drawing loses it.
    tape.App().ClearOtherSelections(nullptr);
    EXPECT_EQ(kept->m_mark & 0x0E, 0);

    tape.App().m_pDocTemplate->RemoveDocument(other);
    delete other;
}

TEST(SelectionServices, ResetSelectionStateRestoresTheSavedLayerCondition)
{
    const struct {
        int saved;
        int condition;
    } cases[] = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 7, 2 } };
    for (const auto& c : cases) {
        CInputTape tape;
        CZelkApp& app = tape.App();
        app.m_groupProcessing = 1;
        app.m_savedLayerCondition = c.saved;
        app.m_appElem.m_layerCondition = static_cast<signed char>(c.condition == 1 ? 0 : 1);
        app.ResetSelectionState();
        EXPECT_EQ(app.m_groupProcessing, 0) << c.saved;
        EXPECT_EQ(app.m_appElem.m_layerCondition, c.condition) << c.saved;
    }
}

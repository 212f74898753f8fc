// Space and Enter of the started program in the drawing window, pressed as a user presses them:
// Space leaves the innermost state (group processing, the box, a special or interrupting mode,
// the placed-object selection) with its message; Enter ends the reference-layer mode and runs
// the analysed texts.
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "elements/Text.h"
#include "elements/TypeFont.h"
#include "geometry/PointD.h"
#include "tests/app/StartedProgram.h"
#include "view/ZelkObj.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

class SpaceKeyWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        ASSERT_NE(m_app->m_activeView, nullptr);
        m_view = m_app->m_activeView;
        m_doc = m_view->m_document;
        ASSERT_NE(m_doc, nullptr);
        // The reference-layer check on leaving mode 35 is not what these tests look at.
        m_view->m_showAllLayers = 1;
    }
    std::string Message() const { return m_app->m_lastMessage.GetString(); }
    // A text flagged for the analysis mode (mark bit 8), its underline 80 long at the origin.
    CText* AddFlaggedText(const char* content)
    {
        LOGFONT lf{};
        lf.lfHeight = 25;
        const std::int16_t font = m_doc->FindOrAddFont(lf, 20, 30, 1, 0.0);
        CPointD at;
        at.SetXY(0.0, 0.0);
        std::int16_t block = -1, slot = -1;
        m_doc->AddTextWithFont(content, at, 0, font, 8, 0, block, slot);
        CText* text = m_doc->GetTextElem(block, slot);
        if (text) {
            text->m_underlineStart.SetXY(0.0, 0.0);
            text->m_underlineEnd.SetXY(80.0, 0.0);
            text->m_mark |= 0x08;
        }
        return text;
    }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(SpaceKeyWindow, EndsEachInterruptingModeWithItsMessage)
{
    static const struct {
        short mode;
        const char* message; // nullptr: the mode ends without a message of its own
    } kCases[] = {
        { 33, "書込レイヤ設定モードを解除しました" }, { 34, "書込レイヤ設定モードを解除しました" },
        { 35, "参照レイヤ設定モードを解除しました" }, { 36, "解釈実行モードを解除しました" },
        { 37, "相対座標設定モードを解除しました" },   { 38, "起点設定モードを解除しました" },
        { 39, "拘束点設定モードを解除しました" },     { 40, nullptr },
        { 45, nullptr },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mode);
        m_app->ShowMessage("before", 0);
        m_app->m_interruptMode = c.mode;
        m_app->m_lastStatus = 0;
        KeyInView(VK_SPACE);
        EXPECT_EQ(m_app->m_interruptMode, 0);
        EXPECT_EQ(m_app->m_lastStatus, 15);
        EXPECT_EQ(Message(), c.message ? c.message : "before");
    }
}

TEST_F(SpaceKeyWindow, EndsTheScreenOperationChosenWithInsert)
{
    KeyInView(VK_INSERT);
    KeyInView(VK_INSERT);
    ASSERT_EQ(m_app->m_specialMode, 53);
    ASSERT_EQ(m_app->m_specialRepeat, 1);
    KeyInView(VK_SPACE);
    EXPECT_EQ(m_app->m_specialMode, 0);
    EXPECT_EQ(m_app->m_specialRepeat, 0);
    EXPECT_EQ(Message(), "割り込みの画面操作モードを解除しました");
}

TEST_F(SpaceKeyWindow, LeavesAChosenPatternForTheBoxThenTheBox)
{
    CGroupProcessor* processor = m_app->m_groupProcessor;
    ASSERT_NE(processor, nullptr);
    m_doc->m_groupProcessing = 1;
    processor->m_preset = 1;
    processor->modePattern = "MP";
    m_app->m_appElem.m_groupWord = 3;

    KeyInView(VK_SPACE);
    EXPECT_EQ(Message(), "群処理モードを解除し、箱選択モードに戻しました");
    EXPECT_EQ(processor->modePattern, "PP");
    EXPECT_EQ(processor->m_preset, 0);
    EXPECT_EQ(m_app->m_appElem.m_groupWord, 0);
    EXPECT_EQ(m_doc->m_groupProcessing, 1);

    // Nothing entered on the box: the second Space drops the box and returns to drawing.
    KeyInView(VK_SPACE);
    EXPECT_EQ(Message(), "箱選択モードを解除し、作図コマンドに戻しました");
    EXPECT_EQ(m_doc->m_groupProcessing, 0);
    EXPECT_EQ(m_app->m_lastStatus, 15);
}

TEST_F(SpaceKeyWindow, GroupProcessingWithNothingEnteredStaysAsItIs)
{
    m_app->m_groupProcessing = 1;
    m_doc->m_groupProcessing = 1;
    m_app->m_groupProcessor->m_preset = 1;
    m_app->ShowMessage("before", 0);
    KeyInView(VK_SPACE);
    EXPECT_EQ(Message(), "before");
    EXPECT_EQ(m_app->m_groupProcessing, 1);
    EXPECT_EQ(m_doc->m_groupProcessing, 1);
    EXPECT_EQ(m_app->m_groupProcessor->m_preset, 1);
    EXPECT_EQ(m_app->m_lastStatus, 15);
}

TEST_F(SpaceKeyWindow, DeselectsEveryPlacedObject)
{
    for (int i = 0; i < 3; ++i) {
        auto* object = new CZelkObj;
        object->m_topLeft.SetXY(10.0 * i, 20.0);
        object->m_bottomRight.SetXY(10.0 * i + 5.0, 10.0);
        m_doc->AddObject(object);
        m_view->m_oleSelection.push_back(object);
    }
    m_app->m_interruptMode = 0;
    m_app->m_specialMode = 0;
    KeyInView(VK_SPACE);
    EXPECT_TRUE(m_view->m_oleSelection.empty());
    EXPECT_EQ(m_app->m_lastStatus, 15);
}

TEST_F(SpaceKeyWindow, EnterEndsTheReferenceLayerMode)
{
    m_app->m_interruptMode = 35;
    KeyInView(VK_RETURN);
    EXPECT_EQ(m_app->m_interruptMode, 0);
}

TEST_F(SpaceKeyWindow, EnterInTheAnalysisModeRunsTheTextsAndEndsTheMode)
{
    static const struct {
        const char* text;
        int marksAfter; // a fault leaves a pointer mark at its character; a good run none
    } kCases[] = { { "a = 1", 0 }, { "x = ? 1;", 1 } };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        CText* text = AddFlaggedText(c.text);
        ASSERT_NE(text, nullptr);
        auto* earlier = new CPointD;
        earlier->SetXY(1.0, 2.0);
        m_doc->m_pointerMarks.Add(earlier);
        m_app->m_interruptMode = 36;

        KeyInView(VK_RETURN);
        EXPECT_EQ(m_app->m_interruptMode, 0);
        EXPECT_EQ(text->m_mark & 0x08, 0);
        // The marks of an earlier run go before the texts run.
        EXPECT_EQ(m_doc->m_pointerMarks.GetSize(), c.marksAfter);
        text->m_state = 0;
    }
}

TEST_F(SpaceKeyWindow, LeavingTheAnalysisModeDropsTheGatheredTexts)
{
    CText* text = AddFlaggedText("a = 1");
    ASSERT_NE(text, nullptr);
    m_app->m_interruptMode = 36;
    KeyInView(VK_SPACE);
    EXPECT_EQ(text->m_mark & 0x08, 0);
    EXPECT_EQ(m_app->m_interruptMode, 0);
}

// The circle command of the started program driven as a user drives it: the command by its key
// and its mode from its popup menu, points given by right clicks in the drawing window, Space stepping back,
// the point-constraint buttons; the token string, the message line, the drawing and the
// creation-environment button are read back.
#include "commands/circle/CircleCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "tests/app/StartedProgram.h"
#include "tests/support/CommandTape.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CircleStepBackWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_doc = m_view->m_document;
        ASSERT_NE(m_doc, nullptr);
    }
    void Focus()
    {
        UiDriver::ShowAndActivate(m_frame);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    void KeyInView(UINT key)
    {
        Focus();
        UiDriver::Key(key);
        UiDriver::Pump();
    }
    void RightClickAt(POINT pixel)
    {
        Focus();
        UiDriver::Click(m_view, pixel, UiDriver::Right);
        UiDriver::Pump();
    }
    CCircleCommand& Circle() { return *m_doc->m_circleCmd; }
    std::string Message() const { return m_app->m_lastMessage.GetString(); }
    int Bitmap() const { return static_cast<int>(m_frame->m_wndSubBar.m_creationEnvButton.m_nBitmaps[0]); }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(CircleStepBackWindow, RightClicksSpaceAndThePointConstraintButton)
{
    // The command by its key; its mode from the popup menu it opens, answered as a user picks
    // "直径円" in it.
    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(32985);
    KeyInView('C');
    ASSERT_EQ(m_app->m_commandKind, 3);
    ASSERT_EQ(Circle().m_modePattern, "BB");

    RightClickAt(POINT{ 220, 160 });
    EXPECT_EQ(Circle().m_tokenString, "B");
    // A tentative element of the running operation, as an edit circle is.
    std::int16_t block = -1, slot = -1;
    m_doc->m_creationLog->AddCircle(Circle().m_inputPoints[0].point, 7, 2, block, slot, 0, 0);
    ASSERT_NE(m_doc->GetCircleElem(block, slot), nullptr);
    const std::vector<std::string> withTentative = ListElements(*m_doc);

    KeyInView(VK_SPACE);
    EXPECT_EQ(Circle().m_tokenString, "");
    EXPECT_EQ(Message(), "ステップは コマンド を設定したところまで戻しました");
    EXPECT_EQ(ListElements(*m_doc), std::vector<std::string>{ "retired 0" });
    EXPECT_EQ(withTentative.size(), 2u);

    // The constraint point by its button, then a point and the point-constraint button.
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 126));
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_interruptMode, 39);
    RightClickAt(POINT{ 260, 180 });
    ASSERT_EQ(m_app->m_constraintPointSet, 1);
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 127));
    UiDriver::Pump();
    EXPECT_EQ(Circle().m_tokenString, "P");
    EXPECT_EQ(Circle().m_inputPoints[0].point.m_x, m_doc->m_referencePoint.m_x);
    EXPECT_EQ(m_app->m_lastResultMessage, "点拘束でステップを進めました");
    EXPECT_EQ(m_doc->m_inputMarkFlag, 1);

    // Stepping back over it frees the point.
    KeyInView(VK_SPACE);
    EXPECT_EQ(Circle().m_tokenString, "");
    EXPECT_EQ(Message(), "点の拘束を解除し、ステップを戻しました");

    // An edit that switched to the reference element's environment puts the one it left back
    // when it is stepped out of, and the button shows it.
    ASSERT_EQ(Bitmap(), 189);
    RightClickAt(POINT{ 220, 160 });
    ASSERT_EQ(Circle().m_tokenString, "B");
    Circle().m_editFlag = 1;
    Circle().m_savedCreationMode = 2;
    KeyInView(VK_SPACE);
    EXPECT_EQ(Circle().m_tokenString, "");
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 2);
    EXPECT_EQ(m_app->m_lastResultMessage, " 参照要素の環境で作成するモードに戻しました。");
    EXPECT_EQ(Message(), "割り込みの円(弧)編集モードを解除しました");
    EXPECT_EQ(Bitmap(), 192);
    EXPECT_EQ(m_frame->m_wndSubBar.m_creationEnvButton.m_nBitmaps[1], 190u);
    // The other environments an edit may put back, and their pictures.
    const struct {
        std::int16_t saved;
        int picture;
        const char* result;
    } restored[] = { { 1, 191, " 選択要素の環境で作成するモードに戻しました。" }, { 0, 189, "" } };
    for (const auto& r : restored) {
        m_app->ShowResultMessage("", 0);
        Circle().m_savedCreationMode = r.saved;
        Circle().RestoreCreationMode();
        UiDriver::Pump();
        EXPECT_EQ(Bitmap(), r.picture);
        EXPECT_EQ(m_app->m_lastResultMessage, r.result);
    }

    // Every switched picture of the creation-environment and layer-condition buttons is among
    // the program's resources, so a switched button paints its picture.
    for (UINT picture : { 189u, 191u, 192u, 215u, 216u, 217u })
        EXPECT_TRUE(m_frame->m_wndSubBar.m_layerConditionButton.LoadBitmaps(picture, 218)) << picture;
}

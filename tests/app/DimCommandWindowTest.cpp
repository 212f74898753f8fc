// The dimension command in the started program, as a user meets it: the D key opens the
// dimension menu, its two-point item chooses the mode, and each right click on the view moves
// the guidance and the rubber band on to the next step.
#include "app/MainFrame.h"
#include "commands/annotate/DimCommand.h"
#include "document/ZelkDoc.h"
#include "tests/app/StartedProgram.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class DimCommandWindow : public StartedProgram {
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
    static UINT DimensionItem(const char* title)
    {
        for (const CSubMode* m = SubModesBegin(); m != SubModesEnd(); ++m) {
            if (m->object == CSubMode::Object::Dimension && std::strcmp(m->title, title) == 0)
                return m->id;
        }
        return 0;
    }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(DimCommandWindow, TheTwoPointDimensionsGuidanceAndPreviewFollowTheClicks)
{
    // The command's popup menu is shown (not only announced) and offers the kinds.
    m_app->m_noPopupMenu = 0;
    m_app->m_appCommand.m_dimFlag = 1;
    const UINT item = DimensionItem("２点間寸法線");
    ASSERT_NE(item, 0u);
    DefaultScriptedUiServices().QueueMenuChoice(item);
    KeyInView('D');
    ASSERT_EQ(m_app->m_commandKind, 10);
    CDimCommand& dim = *m_doc->m_dimCmd;
    EXPECT_EQ(dim.m_modePattern, "APPP");
    EXPECT_EQ(dim.m_tokenString, "A");
    EXPECT_EQ(m_doc->m_previewKind, 2);
    EXPECT_EQ(m_app->m_prompt.Std(), "[２点間寸法線] 【角度|点ドラッグ|角度線分】 【位置点】 測定点第１ 測定点第２");

    const POINT position{ 150, 120 };
    const CPointD world = WorldAt(position);
    UiDriver::Click(m_view, position, UiDriver::Right);
    UiDriver::Pump();
    EXPECT_EQ(dim.m_tokenString, "AP");
    EXPECT_NEAR(dim.m_inputPoints[1].point.m_x, world.m_x, 1e-6);
    EXPECT_NEAR(dim.m_inputPoints[1].point.m_y, world.m_y, 1e-6);
    EXPECT_EQ(m_doc->m_previewKind, 3);
    EXPECT_EQ(m_app->m_prompt.Std(), "[２点間寸法線] 【角度|点ドラッグ|角度線分】 位置点 【測定点第１】 測定点第２");

    UiDriver::Click(m_view, POINT{ 120, 200 }, UiDriver::Right);
    UiDriver::Pump();
    EXPECT_EQ(dim.m_tokenString, "APP");
    EXPECT_EQ(m_doc->m_previewKind, 3);
    EXPECT_EQ(m_app->m_prompt.Std(), "[２点間寸法線] 【角度|点ドラッグ|角度線分】 位置点 測定点第１ 【測定点第２】");
    EXPECT_EQ(m_app->m_hint.Std(), "測定点第２を右ボタンで入力します｡角度､右の点ドラッグ､角度線分の左選択で初期設定｡");
}

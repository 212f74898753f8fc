// Requests a plug-in writes to show a preview while it waits for input and to run the file
// commands, served by the real application's passes.
#include "tests/userapp/PluginHostFixture.h"
#include "userapp/UserAppRequests.h"

#include <filesystem>

using namespace plugin_host;

namespace {

class FileRequests : public ActiveDrawingRequests {
protected:
    // Served alone, as a pass would with no drawing view active.
    void ServeWithoutActiveView(short code)
    {
        m_app->m_activeView = nullptr;
        m_block->m_codes[0] = code;
        m_block->m_status[0] = 0;
        ServeUserAppRequest(*m_block, 0);
        m_block->m_codes[0] = 0;
        m_app->m_activeView = m_view;
    }
};

}  // namespace

TEST_F(FileRequests, APreviewTakesItsNumberFlagsPointsValuesAndElements)
{
    *m_block->m_lines[0][1] = UserAppLineRecord(Pt(1, 2), Pt(3, 4), 0, 0, -1);
    m_block->m_circles[0][2]->m_radius = 7;
    // A record the plug-in took away is passed over.
    UserAppArcRecord* arc = nullptr;
    std::swap(arc, m_block->m_arcs[0][0]);
    m_block->m_intArgs[0][0] = 2;
    m_block->m_intArgs[0][1] = 1;
    m_block->m_points1[0][5] = Pt(6, 6);
    m_block->m_points2[0][3] = Pt(9, 9);
    m_block->m_doubleArgs[0][4] = 4.5;
    Pass({190});
    std::swap(arc, m_block->m_arcs[0][0]);
    EXPECT_EQ(m_doc->m_previewKind, -10);
    EXPECT_EQ(m_manager->m_previewCode, -10);
    EXPECT_EQ(m_doc->m_previewFlags[0], 0);
    EXPECT_EQ(m_doc->m_previewFlags[1], 1);
    EXPECT_EQ(m_doc->m_previewPoints[5].m_x, 6);
    EXPECT_EQ(m_doc->m_previewPoints[9].m_x, 9);
    EXPECT_EQ(m_doc->m_previewValues[4], 4.5);
    EXPECT_EQ(m_doc->m_previewLines[1].m_end.m_y, 4);
    EXPECT_EQ(m_doc->m_previewCircles[2].m_radius, 7);

    m_block->m_intArgs[0][0] = 1;
    Pass({259});
    EXPECT_EQ(m_doc->m_previewKind, 59);
    EXPECT_EQ(m_doc->m_previewFlags[0], 1);
}

TEST_F(FileRequests, FileCommandsOpenCreateAndSaveForThePlugIn)
{
    const size_t drawings = UserAppDrawings().size();
    // An empty list opens nothing; a new drawing becomes the active one for later slots.
    Pass({553, 550});
    EXPECT_EQ(m_block->m_status[0], 0);
    ASSERT_EQ(UserAppDrawings().size(), drawings + 1);
    EXPECT_NE(m_app->GetActiveDrawingDoc(), m_doc);

    // Dialogs cancelled.
    Pass({552, 554, 556, 560});
    EXPECT_EQ(m_block->m_status[0], 22);
    EXPECT_EQ(m_block->m_status[1], 24);
    EXPECT_EQ(m_block->m_status[2], 0);
    EXPECT_EQ(m_block->m_status[3], 26);
    EXPECT_EQ(UserAppDrawings().size(), drawings + 1);

    // Saved under a chosen name, then to its own path.
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "zelk_userapp_save.zel";
    std::filesystem::remove(file);
    DefaultScriptedUiServices().QueueFiles({CString(file.string().c_str())});
    Pass({560});
    EXPECT_EQ(m_block->m_status[0], 0);
    ASSERT_TRUE(std::filesystem::exists(file));
    std::filesystem::remove(file);
    Pass({561});
    EXPECT_EQ(m_block->m_status[0], 0);
    EXPECT_TRUE(std::filesystem::exists(file));
    std::filesystem::remove(file);

    // No drawing view: add-open does nothing, Save As says why.
    DefaultScriptedServices().m_messages.clear();
    const size_t dialogs = DefaultScriptedUiServices().m_shownFileDialogs.size();
    ServeWithoutActiveView(556);
    EXPECT_EQ(m_block->m_status[0], 0);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownFileDialogs.size(), dialogs);
    ServeWithoutActiveView(560);
    EXPECT_EQ(m_block->m_status[0], 26);
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
    EXPECT_EQ(DefaultScriptedServices().m_messages[0].text, "アクティブビューがないのでファイルの書き出しはできません");
}

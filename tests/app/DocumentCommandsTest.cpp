// The commands a drawing answers itself, sent as the menu sends them to the running program:
// the template lists of the input box, the latest box selection, the interval constraint and
// each command's help page in context-help mode.
#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "input/InputBar.h"
#include "input/PickList.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr UINT kTextAttributeInput = 32810;
constexpr UINT kAttributeFind = 32816;
constexpr UINT kReselectLatestBox = 32860;
constexpr UINT kIntervalConstraint = 32875;
constexpr UINT kErasePointerMarks = 32947;
constexpr UINT kSaveAllDxf = 33110;
constexpr UINT kSaveAllNative = 33114;

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// An input bar whose template lists hold as many entries as a test says; showing the list puts
// them into the input box.
class CTemplateInputBar : public CInputBar {
public:
    int m_attributeCommands = 0;
    int m_findConditions = 0;
    int FillAttributeCommandList() override { return Fill(GetList(10), m_attributeCommands); }
    int FillFindConditionList() override { return Fill(GetList(11), m_findConditions); }

private:
    static int Fill(CHistoryList& list, int entries)
    {
        list.Clear();
        for (int i = 0; i < entries; ++i) {
            list.m_texts.Add("template");
            list.m_codes.Add(0);
        }
        return entries;
    }
};

class DocumentCommands : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                          FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
        // An empty registration file keeps the start free of the "cannot open" message.
        fs::create_directories(FileSystemPath((ProgramFolder() + "ZelkApp").GetString()));
        std::ofstream(FileSystemPath((ProgramFolder() + "ZelkApp\\ZelkApp.txt").GetString()));
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_bar = new CTemplateInputBar;
        delete m_app->m_inputBar;
        m_app->m_inputBar = m_bar;
        POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
        m_doc = static_cast<CZelkDoc*>(m_app->m_pDocTemplate->GetNextDoc(pos));
    }
    void TearDown() override { StopApplication(m_app); }

    void Command(UINT id) { m_app->m_pMainFrame->SendMessage(WM_COMMAND, id, 0); }
    CZelkView* View() const { return static_cast<CZelkView*>(m_doc->m_viewList.at(0)); }
    CInputComboBox& Box() const { return m_app->m_pMainFrame->m_wndInputBar.m_inputBox; }
    // Two lines taken by a box selection, then let go as Escape leaves them.
    void TakeBoxSelection()
    {
        const std::int16_t pen = m_doc->FindOrAddPen(0, 1, 0, 0, 70);
        m_doc->AddLine(At(0, 0), At(10, 0), 0, pen);
        m_doc->AddLine(At(0, 5), At(10, 5), 0, pen);
        Line(0).m_mark |= MARK_SELECTED;
        Line(1).m_mark |= MARK_SELECTED;
        m_doc->m_pickList->SnapshotSelection();
        Line(0).m_mark = 0;
        Line(1).m_mark = 0;
    }
    CLine& Line(int slot) const { return static_cast<CLines*>(m_doc->m_lineBlocks[0])->m_slots[slot]; }

    CZelkApp* m_app = nullptr;
    CTemplateInputBar* m_bar = nullptr;
    CZelkDoc* m_doc = nullptr;
};

TEST_F(DocumentCommands, LatestBoxSelectionEntersGroupProcessingOnceAndReportsAfterwards)
{
    TakeBoxSelection();
    Command(kReselectLatestBox);
    EXPECT_TRUE(Line(0).m_mark & MARK_SELECTED);
    EXPECT_TRUE(Line(1).m_mark & MARK_SELECTED);
    EXPECT_EQ(m_doc->m_groupProcessing, 1);
    EXPECT_EQ(m_app->m_groupProcessor->m_document, m_doc);
    EXPECT_EQ(m_app->m_lastMessage, "最新の箱選択を再現し、群処理モードに入りました");

    Command(kReselectLatestBox);
    EXPECT_EQ(m_app->m_lastMessage, "最新の箱選択を再現しました");

    // In group delete the selection comes back without group processing.
    m_doc->m_groupProcessing = 0;
    m_app->m_commandKind = 21;
    m_app->m_lastMessage.Empty();
    Command(kReselectLatestBox);
    EXPECT_EQ(m_doc->m_groupProcessing, 0);
    EXPECT_EQ(m_app->m_lastMessage, "最新の箱選択を再現しました");
}

TEST_F(DocumentCommands, LatestBoxSelectionWithItsElementsDeletedSelectsNothing)
{
    // Without a snapshot the command is not offered at all.
    const CString before = View()->m_messageText;
    Command(kReselectLatestBox);
    EXPECT_EQ(m_doc->m_groupProcessing, 0);
    EXPECT_EQ(View()->m_messageText, before);

    // The elements still there come back; once none is left the command reports it.
    TakeBoxSelection();
    m_doc->DeleteElement(ELEM_LINE, 0, 1);
    Command(kReselectLatestBox);
    EXPECT_TRUE(Line(0).m_mark & MARK_SELECTED);
    EXPECT_FALSE(Line(1).m_mark & MARK_SELECTED);

    m_doc->m_groupProcessing = 0;
    Line(0).m_mark = 0;
    m_doc->DeleteElement(ELEM_LINE, 0, 0);
    View()->m_messageText.Empty();
    Command(kReselectLatestBox);
    EXPECT_EQ(View()->m_messageText, "最新の箱選択は消去などの理由で再現できません");
    EXPECT_EQ(m_doc->m_groupProcessing, 0);
}

TEST_F(DocumentCommands, IntervalConstraintAsksForThePitchAndTurnsOffAgain)
{
    Command(kIntervalConstraint);
    EXPECT_EQ(m_doc->m_grid.m_on, 1);
    EXPECT_EQ(m_app->m_lastStatus, 17);
    EXPECT_EQ(m_bar->m_currentList, 1);
    EXPECT_EQ(m_bar->m_enteredText, "10,10");
    EXPECT_EQ(m_app->m_lastMessage, "間隔拘束の間隔を入力するモードです");
    EXPECT_EQ(m_app->m_prompt, "[拘束間隔設定] X,Yを数値入力してEnter or 相対原点からの点を入力");

    Command(kIntervalConstraint);
    EXPECT_EQ(m_doc->m_grid.m_on, 0);
    EXPECT_EQ(m_app->m_lastStatus, 0);
    EXPECT_TRUE(m_app->m_lastMessage.IsEmpty());
}

TEST_F(DocumentCommands, TemplateListsOpenTheirModeAndTheSameCommandLeavesIt)
{
    struct Case {
        UINT command;
        int mode;
        int entries;
    };
    const Case cases[] = {
        { kTextAttributeInput, 10, 3 },
        { kTextAttributeInput, 10, 0 },
        { kAttributeFind, 11, 2 },
        { kAttributeFind, 11, 0 },
    };
    UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        SCOPED_TRACE(c.entries);
        m_bar->m_attributeCommands = c.mode == 10 ? c.entries : 0;
        m_bar->m_findConditions = c.mode == 11 ? c.entries : 0;
        m_bar->SelectList(1, 1, 0);
        Box().m_keepList = 0;
        Command(c.command);
        EXPECT_EQ(m_bar->m_currentList, c.mode);
        EXPECT_EQ(Box().GetDroppedState() != FALSE, c.entries > 0);
        if (c.entries > 0) {
            // The open list has the keyboard; closing it is the user's next step.
            Box().ShowDropDown(FALSE);
            continue;
        }
        Command(c.command);
        EXPECT_EQ(m_bar->m_currentList, 1);
        EXPECT_EQ(Box().m_keepList, 1);
    }
}

TEST_F(DocumentCommands, ContextHelpOpensEachCommandsPageInsteadOfActing)
{
    TakeBoxSelection();
    m_doc->SetModifiedFlag(FALSE);
    struct Case {
        UINT command;
        const char* page;
    };
    const Case cases[] = {
        { ID_FILE_CLOSE, "HID_FILE_CLOSE.htm" },
        { ID_FILE_SAVE, "HID_FILE_SAVE.htm" },
        { ID_FILE_SAVE_AS, "HID_FILE_SAVE_AS.htm" },
        { kTextAttributeInput, "HID_MODE_STRING.htm" },
        { kAttributeFind, "HID_MODE_FIND.htm" },
        { kReselectLatestBox, "HID_SELECT_BEF.htm" },
        { kIntervalConstraint, "HID_GRID.htm" },
        { kErasePointerMarks, "HID_DRAW_POINTER.htm" },
        { kSaveAllDxf, "HID_SAVE_ALL_DXF.htm" },
        { kSaveAllNative, "HID_SAVE_ALL_ZEL.htm" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        m_app->m_contextHelpMode = 11;
        Command(c.command);
        ASSERT_FALSE(DefaultScriptedServices().m_opened.empty());
        EXPECT_EQ(DefaultScriptedServices().m_opened.back(), ProgramFolder() + "Help\\" + c.page);
        EXPECT_EQ(m_app->m_contextHelpMode, 0);
    }
    EXPECT_EQ(DefaultScriptedServices().m_opened.size(), std::size(cases));
    // Nothing acted: the drawing is open, unsaved, unselected, without grid or mode.
    POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
    EXPECT_EQ(m_app->m_pDocTemplate->GetNextDoc(pos), m_doc);
    EXPECT_EQ(m_app->m_savePending, 0);
    EXPECT_TRUE(DefaultScriptedServices().m_messages.empty())
        << DefaultScriptedServices().m_messages.front().text.GetString();
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownFileDialogs.empty());
    EXPECT_TRUE(DefaultScriptedUiServices().m_modeless.empty());
    EXPECT_EQ(m_doc->m_grid.m_on, 0);
    EXPECT_EQ(m_doc->m_groupProcessing, 0);
    EXPECT_EQ(m_bar->m_currentList, 1);
}

} // namespace

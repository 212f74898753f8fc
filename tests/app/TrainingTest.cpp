// The training notes: a note replaces the open drawings after asking about modified ones, the
// closing of a note steps to the next, a series ends in one new drawing, missing notes are
// skipped or end the training.
#include "app/TrainingState.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "tests/app/AppCommandsFixture.h"
#include "tests/support/SampleDrawing.h"

namespace {

class Training : public AppCommands {
protected:
    void StartWithNotes(std::vector<const char*> notes)
    {
        Start();
        std::filesystem::create_directories(Fs(m_app->m_appPath.m_trainingFolder));
        for (const char* note : notes)
            WriteSampleDrawing(m_app->m_appPath.m_trainingFolder + note + ".zel", "2026/12/10");
    }
    CTrainingState& State() { return *m_app->m_trainingState; }
    CString OnlyPath()
    {
        std::vector<CZelkDoc*> docs = Drawings();
        EXPECT_EQ(docs.size(), 1u);
        return docs.empty() ? CString() : docs[0]->m_path;
    }
    CString NotePath(const char* note) { return m_app->m_appPath.m_trainingFolder + note + ".zel"; }
};

TEST_F(Training, AModifiedDrawingIsAskedAboutAndCancelKeepsEverything)
{
    StartWithNotes({ "000Note", "001Escape" });
    CZelkDoc* drawing = Drawings().at(0);
    drawing->SetModifiedFlag(TRUE);
    const CString name = drawing->m_name;

    Services().QueueAnswer(IDCANCEL);
    Command(33047);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], name + " は変更されています。保存する場合は［キャンセル］");
    EXPECT_EQ(Services().m_messages[0].type & MB_TYPEMASK, MB_OKCANCEL);
    EXPECT_EQ(State().m_active, 0);
    EXPECT_TRUE(drawing->IsModified());
    EXPECT_EQ(OnlyPath(), drawing->m_path);

    // OK gives the changes up and the note takes the drawing's place.
    Services().QueueAnswer(IDOK);
    Command(33047);
    EXPECT_EQ(OnlyPath(), NotePath("000Note"));
    EXPECT_EQ(State().m_active, 1);
    EXPECT_EQ(State().m_noteNumber, 0);
    EXPECT_EQ(State().m_commandLocked, 0);
    EXPECT_EQ(State().m_startPattern, CString("SE"));
    EXPECT_EQ(m_app->m_appFind.selectableKinds, 926);
    EXPECT_EQ(m_app->m_appDraw.showHintLine, 0);
    EXPECT_EQ(m_app->m_appDraw.m_showTextUnderline, 0);
    EXPECT_EQ(Update(33047).m_checked, 1);
    EXPECT_EQ(Update(33048).m_checked, 0);
    EXPECT_EQ(Update(ID_TRAINING_END).m_enabled, 1);

    // A drawing of the training folder is replaced without asking.
    Drawings().at(0)->SetModifiedFlag(TRUE);
    const size_t asked = Messages().size();
    Command(33048);
    EXPECT_EQ(Messages().size(), asked);
    EXPECT_EQ(OnlyPath(), NotePath("001Escape"));
}

TEST_F(Training, ClosingNotesStepsThroughTheMultiCommandSeriesToItsEnd)
{
    StartWithNotes({ "201M-Line", "202M-CircleA", "213M-EditBox" });
    Command(33097);
    EXPECT_EQ(OnlyPath(), NotePath("201M-Line"));
    EXPECT_EQ(State().m_commandLocked, 1);
    EXPECT_EQ(Drawings().at(0)->m_lineCmd->m_modePattern, CString("SE"));

    EXPECT_EQ(State().NextStep(), 1);
    EXPECT_EQ(OnlyPath(), NotePath("202M-CircleA"));
    EXPECT_EQ(State().m_noteNumber, 202);
    EXPECT_EQ(State().m_active, 1);
    EXPECT_EQ(State().m_commandLocked, 1);
    EXPECT_EQ(Drawings().at(0)->m_circleCmd->m_modePattern, CString("PD"));

    Command(33131);
    EXPECT_EQ(State().m_noteNumber, 213);
    EXPECT_EQ(State().NextStep(), 0);
    const CString path = OnlyPath();
    EXPECT_LT(path.Find("\\Training"), 0) << path.GetString();
    EXPECT_EQ(State().m_active, 0);
    EXPECT_EQ(State().m_commandLocked, 0);
    EXPECT_EQ(m_app->m_appFind.selectableKinds, 958);
    EXPECT_EQ(m_app->m_appDraw.showHintLine, 1);
    EXPECT_EQ(m_app->m_appDraw.m_showTextUnderline, 1);
    EXPECT_EQ(Update(ID_TRAINING_END).m_enabled, 0);
}

TEST_F(Training, NoteTwelveHasNoSuccessorAndStaysOpen)
{
    StartWithNotes({ "Useful" });
    Command(33075);
    EXPECT_EQ(State().NextStep(), 1);
    EXPECT_EQ(OnlyPath(), NotePath("Useful"));
    EXPECT_EQ(State().m_active, 1);
    EXPECT_EQ(State().m_noteNumber, 12);
}

TEST_F(Training, MissingNotesAreSkippedOrEndTheTraining)
{
    // A missing note hands over to the one after it, which sets the training up for itself.
    StartWithNotes({ "013FinTry" });
    m_app->m_appElem.m_draftMode = 1;
    Command(33058);
    EXPECT_EQ(OnlyPath(), NotePath("013FinTry"));
    EXPECT_EQ(State().m_noteNumber, 13);
    EXPECT_EQ(State().m_active, 1);
    EXPECT_EQ(m_app->m_appFind.selectableKinds, 926);
    EXPECT_EQ(m_app->m_appElem.m_draftMode, 0);

    // The last notes end the training when their file is missing.
    for (UINT id : { 33080u, 33096u }) {
        Services().m_messages.clear();
        Command(id);
        ASSERT_FALSE(Messages().empty());
        EXPECT_EQ(Messages().back(), CString("通常の新規作図画面に戻ります"));
        EXPECT_EQ(State().m_active, 0);
        EXPECT_LT(OnlyPath().Find("\\Training"), 0);
    }
}

TEST_F(Training, ContextHelpOpensTheNotesPageExceptForNoteTwelve)
{
    StartWithNotes({ "Useful" });
    m_app->m_contextHelpMode = 11;
    Command(33099);
    ASSERT_EQ(Services().m_opened.size(), 1u);
    EXPECT_EQ(Services().m_opened[0], ProgramFolder() + "Help\\HID_MALTI_LINE.htm");
    EXPECT_EQ(m_app->m_contextHelpMode, 0);
    EXPECT_EQ(State().m_active, 0);

    m_app->m_contextHelpMode = 11;
    Command(33075);
    EXPECT_EQ(State().m_active, 1);
    EXPECT_EQ(OnlyPath(), NotePath("Useful"));

    m_app->m_contextHelpMode = 11;
    Command(ID_TRAINING_END);
    EXPECT_EQ(Services().m_opened.back(), ProgramFolder() + "Help\\HID_TRAINING_FIN.htm");
    EXPECT_EQ(State().m_active, 1);
}

} // namespace

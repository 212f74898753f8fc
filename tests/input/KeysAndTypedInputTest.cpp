// Keys and typed input on a headless drawing: the three stages of Enter, Escape's return to the
// first step, the dispatcher's key table, the typed-line parser, the typed text attributes and
// the history lists of the input bar.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "commands/annotate/DimCommand.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/InputLineParser.h"
#include "input/PickList.h"
#include "input/PointPair.h"
#include "input/PointSearch.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/UiServices.h"
#include "tests/support/InputTape.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

namespace fs = std::filesystem;

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

std::string Describe(const CInputEvent& e, int kind, int subCode)
{
    switch (kind) {
    case 4:
        return "point " + DoubleToString(e.point.m_x).Std() + "," + DoubleToString(e.point.m_y).Std() + " rel " +
               DoubleToString(e.relativePoint.m_x).Std() + "," + DoubleToString(e.relativePoint.m_y).Std() + " /" +
               std::to_string(subCode);
    case 3:
        return "value " + DoubleToString(e.value).Std() + " /" + std::to_string(subCode);
    default:
        return "event " + std::to_string(kind) + "/" + std::to_string(subCode);
    }
}

// Commands that write down every input and key operation they are handed.
template <class Command>
class CRecording : public Command {
public:
    using Command::Command;
    std::vector<std::string> m_log;
    // Only written down: the command's own handling would answer these inputs with its messages,
    // which the echo of the typed line is checked against.
    void OnInput(int kind, int subCode) override
    {
        m_log.push_back(Describe(*this->m_doc->m_inputEvent, kind, subCode));
    }
    void OnEnter() override { m_log.push_back("enter"); }
    void StepBack(int steps) override { m_log.push_back("step back " + std::to_string(steps)); }
    void OnNextSnapPoint() override { m_log.push_back("next snap point"); }
    void ApplyPointConstraint() override { m_log.push_back("constraint"); }
};

class KeysAndTypedInput : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / "ZelkUnit.txt",
                      FileSystemPath(ProgramFolder().GetString()) + "ZelkUnit.txt", fs::copy_options::overwrite_existing);
        App().BuildUnitTable(TRUE);
        App().m_historyLength = 30;
        App().m_numericInterpreter = new CMacroInterpreter;
        CZelkDoc& doc = m_tape.Doc();
        delete doc.m_loopCmd;
        doc.m_loopCmd = m_loop = new CRecording<CLoopCommand>(&doc);
        doc.SetBasePoint(P(0, 0), P(0, 0));
    }
    void TearDown() override
    {
        delete App().m_numericInterpreter;
        App().m_numericInterpreter = nullptr;
    }
    CZelkApp& App() { return m_tape.App(); }
    CZelkView& m_view() { return m_tape.View(); }
    CInputBar& Bar() { return *App().m_inputBar; }
    // A line typed into list 1 and confirmed; arrow 1-4 with Ctrl. The typed lines go to the
    // loop command, which writes down what it is handed.
    BOOL Type(const char* text, int arrow = 0)
    {
        Bar().m_enteredText = text;
        App().m_commandKind = 12;
        m_loop->m_log.clear();
        const BOOL parsed = ParseInputLine(&m_tape.Doc(), arrow);
        App().m_commandKind = 2;
        return parsed;
    }
    CLineCommand& Line() { return *m_tape.Doc().m_lineCmd; }
    CLineCommand& LineInt() { return *m_tape.Doc().m_lineCmdInt; }
    std::vector<std::string> MessageBoxes() const
    {
        std::vector<std::string> texts;
        for (const auto& m : DefaultScriptedServices().m_messages)
            texts.push_back(m.text.Std());
        return texts;
    }

    CInputTape m_tape;
    CRecording<CLoopCommand>* m_loop = nullptr;
};

using Log = std::vector<std::string>;

} // namespace

TEST_F(KeysAndTypedInput, TypedLinesBecomePointsAndValuesInTheRelativeSystem)
{
    struct Case {
        const char* text;
        Log posted;
        const char* echo;
    };
    const Case cases[] = {
        { "10,20", { "point 10,20 rel 10,20 /17" }, "点(10,20) " },
        { "++3,--4", { "point 103,46 rel 103,46 /17" }, "点(103,46) " },
        { ",5", { "point 100,5 rel 100,5 /17" }, "点(100,5) " },
        { "10,20,30d", { "point 10,20 rel 10,20 /17", "value 30 /11" }, "点(10,20) 角度30" },
        { "1,2,3", { "point 1,2 rel 1,2 /17", "value 3 /2" }, "点(1,2) 値3" },
        { "5n", { "value 5 /4" }, "数5" },
        { "１２，３", {}, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        App().m_lastMessage.Empty();
        m_tape.Doc().SetBasePoint(P(100, 50), P(100, 50));
        Type(c.text);
        EXPECT_EQ(m_loop->m_log, c.posted);
        EXPECT_EQ(App().m_lastMessage.Std(), c.echo);
    }
    // Full-width digits are folded, the full-width comma is not: the line is refused whole.
    EXPECT_EQ(Bar().m_enteredText.Std(), "12，3");
}

TEST_F(KeysAndTypedInput, TheDrawingScaleMultipliesLengthsButTheEchoShowsWhatWasTyped)
{
    CZelkDoc& doc = m_tape.Doc();
    doc.m_ratio = 2.0;
    App().m_lengthInputMain = 1;
    Type("10");
    EXPECT_EQ(m_loop->m_log, Log{ "value 20 /2" });
    EXPECT_EQ(App().m_lastMessage.Std(), "値10");
    App().m_lengthInputMain = 0;
    Type("10");
    EXPECT_EQ(m_loop->m_log, Log{ "value 10 /2" });
    Type("3,4");
    EXPECT_EQ(m_loop->m_log, Log{ "point 6,8 rel 3,4 /17" });
    EXPECT_EQ(App().m_lastMessage.Std(), "点(3,4) 実点(6,8)");
}

TEST_F(KeysAndTypedInput, AFaultIsReportedWithItsPositionAndNothingIsPosted)
{
    EXPECT_FALSE(Type("10,3+4L"));
    EXPECT_TRUE(m_loop->m_log.empty());
    ASSERT_FALSE(MessageBoxes().empty());
    EXPECT_EQ(MessageBoxes().back(), "10,3+4L の 4 文字目に問題があります。");
}

TEST_F(KeysAndTypedInput, CtrlArrowsMoveTheBasePointInsteadOfPosting)
{
    CZelkDoc& doc = m_tape.Doc();
    EXPECT_TRUE(Type("30d,100", 1));
    EXPECT_TRUE(m_loop->m_log.empty());
    EXPECT_NEAR(doc.m_basePoint.m_x, 100 * std::cos(30 * 3.141592653589793 / 180), 1e-9);
    EXPECT_NEAR(doc.m_basePoint.m_y, 50, 1e-9);
    EXPECT_EQ(App().m_lastStatus, 1);

    doc.SetBasePoint(P(0, 0), P(0, 0));
    doc.m_ratio = 2.0;
    Type("100", 2);   // left: along the X axis, backwards, at the drawing scale
    EXPECT_NEAR(doc.m_basePoint.m_x, -200, 1e-9);
    Type("3,4", 3);
    EXPECT_NEAR(doc.m_basePoint.m_x, -197, 1e-9);
    EXPECT_NEAR(doc.m_basePoint.m_y, 4, 1e-9);
    App().m_lastMessage.Empty();
    Type("++3,4", 1);   // a relative term cannot be a coordinate of a move
    EXPECT_EQ(App().m_lastMessage.Std(), "点入力のフォームが不適当です");
}

TEST(TypedLine, NormalisingFoldsOnlyTheListedFullWidthFormsAndKeepsHalfWidthKana)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        { "  １２．５＋（３）  ", "12.5+(3)" },
        { "ＡＢｘｙ", "ABxy" },
        { "ｱ10", "ｱ10" },          // a half-width kana is one byte: the digit after it stays
        { "･1", "･1" },
        { "１，２", "1，2" },
        { "角度", "角度" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormaliseTypedLine(c.in).Std(), c.out) << c.in;
}

TEST_F(KeysAndTypedInput, TypedTextAttributesPostTheirValuesAndReportWhatChanged)
{
    Bar().m_enteredText = "2.5H";
    EXPECT_TRUE(ParseTextAttributes(&m_tape.Doc()));
    EXPECT_EQ(App().m_appText.m_heightTenths, 25);
    EXPECT_NEAR(App().m_appText.m_widthTenths, 12.5, 0.5);   // the width follows at half the height
    EXPECT_EQ(App().m_lastMessage.Std(), "文字の 高さ を変更しました");

    const size_t beeps = DefaultScriptedServices().m_beeps.size();
    Bar().m_enteredText = "12,H";
    EXPECT_FALSE(ParseTextAttributes(&m_tape.Doc()));
    EXPECT_EQ(App().m_lastMessage.Std(), "フォント指定の文字列がフォーマット違反です");
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), beeps + 1);
}

TEST_F(KeysAndTypedInput, HistoryListsKeepOneEntryPerTextAndTheFontsListSorted)
{
    CHistoryList& numbers = Bar().GetList(1);
    numbers.AddRecent("10,20");
    numbers.AddRecent("5");
    numbers.AddRecent("10,20");
    ASSERT_EQ(numbers.m_texts.GetSize(), 2);
    EXPECT_EQ(numbers.m_texts[0].Std(), "10,20");

    Bar().FillDefaultLists(-1);
    CHistoryList& fonts = Bar().GetList(3);
    const int defaults = static_cast<int>(fonts.m_texts.GetSize());
    fonts.AddSorted("2.0h, 1.5w, ＭＳ ゴシック");
    EXPECT_EQ(fonts.m_texts.GetSize(), defaults);
    fonts.AddSorted("  1.0H, 0.5W, ＭＳ ゴシック");
    fonts.AddSorted("3.0H");
    EXPECT_EQ(fonts.m_texts[0].Std(), "1.0H, 0.5W, ＭＳ ゴシック");
    EXPECT_EQ(fonts.m_texts[3].Std(), "3.0H");   // before the first entry that sorts after it
    EXPECT_EQ(fonts.m_texts[4].Std(), "3.2H, 1.6W, ＭＳ ゴシック");
    EXPECT_EQ(fonts.GetCode(-1), 1001);
    EXPECT_EQ(Bar().GetList(1).m_texts[0].Std(), "++90");
}

TEST_F(KeysAndTypedInput, ListingLinesActByTheirLineCode)
{
    CInputBar& bar = Bar();
    CHistoryList& listing = bar.GetList(8);
    listing.AddRecentWithCode("中下 ･･･文字列配置基準", 24);
    bar.SelectList(8, 0, 0);
    bar.m_selectedIndex = 0;
    bar.m_enteredText = "中下 ･･･文字列配置基準";
    EXPECT_TRUE(bar.ApplyText(0));
    EXPECT_EQ(App().m_appText.m_anchor, 14);
    EXPECT_EQ(App().m_lastMessage.Std(), "文字列配置基準を 中下 にしました。");
    EXPECT_EQ(bar.m_currentList, 1);

    App().m_appText.SetAnchor(0);
    App().m_lastMessage.Empty();
    bar.SelectList(8, 0, 0);
    bar.m_selectedIndex = 5;   // no such entry: line code 1001
    bar.m_enteredText = "中下";
    EXPECT_TRUE(bar.ApplyText(0));
    EXPECT_EQ(App().m_appText.m_anchor, 0);
    EXPECT_TRUE(App().m_lastMessage.IsEmpty());
}

// Listing lines of line type, colour, attribute and group act through the attribute and
// selection routines.
TEST_F(KeysAndTypedInput, ListingLinesSetLineTypeAndColorAndSelect)
{
    CZelkDoc& doc = m_tape.Doc();
    doc.AddLine(P(0, 0), P(100, 0), 0, doc.FindOrAddPen(0, 1, 0, 0, 0));
    CInputBar& bar = Bar();
    struct Case {
        const char* line;
        int code;
        const char* message;   // nullptr: not looked at
    } cases[] = {
        { "- -", 6, nullptr },
        { "1193046", 11, nullptr },
        { "77L", 14, "指定属性の要素またはグループは見つかりません" },
        { "No.99", 23, "指定番号のグループは見つかりません" },
        { "100L", 14, "指定属性の要素またはグループ 1 個を選択し、群処理モードに入りました" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        bar.GetList(8).AddRecentWithCode(c.line, static_cast<WORD>(c.code));
        bar.SelectList(8, 0, 0);
        bar.m_selectedIndex = 0;
        bar.m_enteredText = c.line;
        App().m_lastMessage.Empty();
        EXPECT_TRUE(bar.ApplyText(0));
        if (c.message) {
            EXPECT_EQ(App().m_lastMessage.Std(), c.message);
        }
    }
    EXPECT_EQ(App().m_appElem.m_lineType, 1);
    EXPECT_NE(App().m_appColor.FindUserColor(static_cast<COLORREF>(1193046)), CAppColor::kNotFound);
    EXPECT_EQ(doc.m_groupProcessing, 1);
}

TEST_F(KeysAndTypedInput, TheUserApplicationListFindsOnTheFirstEnter)
{
    CUserAppManager& apps = *App().m_userAppManager;
    apps.InsertApp(0, "a.dll", "Gear Maker", "1");
    apps.InsertApp(1, "b.dll", "Bolt Table", "1");
    CInputBar& bar = Bar();
    bar.SelectList(5, 0, 0);
    bar.m_enteredText = "bolt";
    EXPECT_TRUE(bar.ApplyText(0));
    EXPECT_EQ(apps.m_selectedEntry, 1);
    EXPECT_EQ(bar.GetList(5).m_currentText.Std(), "Bolt Table");
    EXPECT_EQ(bar.m_currentList, 5);

    apps.m_searchStart = 0;
    bar.m_enteredText = "nothing";
    EXPECT_TRUE(bar.ApplyText(0));
    EXPECT_EQ(App().m_lastMessage.Std(), "検索文字を含むアプリケーション名は登録されていません");
    EXPECT_EQ(bar.m_currentList, 5);
}

TEST(InputBarKeys, TheKeyThatStartsNumericInputGivesItsCharacter)
{
    struct Case {
        int key;
        bool shift;
        const char* text;
    } cases[] = {
        { '5', false, "5" }, { '1', true, "!" }, { '9', true, ")" }, { '0', true, "" },
        { 0x6E, false, "." }, { 0x6A, false, "*" }, { 0x63, false, "3" }, { 'A', true, "A" },
        { 0x92, false, "=" }, { 0xDB, true, "{" }, { 0x20, false, "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CInputBar::NumericKeyText(c.key, c.shift).Std(), c.text) << c.key << " " << c.shift;
}

TEST_F(KeysAndTypedInput, EnterHasThreeStagesFromAShownSnapPoint)
{
    CZelkDoc& doc = m_tape.Doc();
    doc.SetBasePoint(P(7, 8), P(7, 8));
    App().m_lastStatus = 1;
    CLineCommand& line = Line();
    // The point reaches the line command past the router; the command reads and clears the
    // router's flag, so even without the popup menu the point chooses no mode.
    App().m_noPopupMenu = 1;
    line.m_modePattern = "DP";
    const CTapeStep& first = m_tape.Key(VK_RETURN);
    EXPECT_EQ(line.m_lastInputKind, 4);
    EXPECT_EQ(line.m_lastInputSubCode, 0);
    EXPECT_EQ(line.m_tokenString, "");
    EXPECT_EQ(line.m_modePattern, "DP");
    EXPECT_EQ(App().m_pointFromEnter, 0);
    EXPECT_EQ(first.lastStatus, 3);
    App().m_noPopupMenu = 0;

    line.m_modePattern = "SE";
    line.m_tokenString = "P";
    const CTapeStep& second = m_tape.Key(VK_RETURN);
    EXPECT_EQ(line.m_lastInputKind, 12);   // never the command's own Enter
    EXPECT_EQ(line.m_tokenString, "P");
    EXPECT_EQ(second.lastStatus, 4);

    line.m_lastInputKind = 0;
    m_tape.Key(VK_RETURN);
    EXPECT_EQ(line.m_lastInputKind, 0);
    EXPECT_EQ(line.m_tokenString, "");   // the command's Enter starts the pattern again

    // With Shift the line also takes the absolute angle less the system's rotation.
    doc.m_absAngle = 50;
    doc.m_relAngle = 20;
    App().m_lastStatus = 1;
    line.m_modePattern = "PAPP";
    m_tape.Hold(true, false);
    m_tape.Key(VK_RETURN);
    EXPECT_EQ(line.m_lastInputKind, 3);
    EXPECT_EQ(line.m_lastInputSubCode, 15);
    EXPECT_EQ(line.m_tokenString, "PA");
    EXPECT_EQ(line.m_inputPoints[0].point.m_x, 7);
    EXPECT_EQ(line.m_values[1].value, 50);   // 30 typed relative to the rotation of 20
    EXPECT_EQ(line.m_defaultLength, 500.0);
}

TEST_F(KeysAndTypedInput, EscapeReturnsCommandsToTheirFirstStepWithTheirDefaults)
{
    App().m_commandKind = 1;
    CPointCommand& divided = *m_tape.Doc().m_pointCmd;
    divided.m_modePattern = "NPP";
    const CTapeStep& point = m_tape.Key(VK_ESCAPE);
    // The division count 2 is posted again and taken as the first step.
    EXPECT_EQ(divided.m_lastInputKind, 3);
    EXPECT_EQ(divided.m_lastInputSubCode, 4);
    EXPECT_EQ(divided.m_values[0].value, 2.0);
    EXPECT_EQ(point.message, "初期ステップに戻しました");

    App().m_commandKind = 10;
    CDimCommand& dim = *m_tape.Doc().m_dimCmd;
    dim.m_modePattern = "APPP";
    m_tape.Key(VK_ESCAPE);
    // The angle 0 is posted again and taken as the first step.
    EXPECT_EQ(dim.m_lastInputKind, 3);
    EXPECT_EQ(dim.m_lastInputSubCode, 11);
    EXPECT_EQ(dim.m_values[0].value, 0.0);

    // An interrupting mode ends with its own message and nothing else.
    App().m_interruptMode = 37;
    const CTapeStep& mode = m_tape.Key(VK_ESCAPE);
    EXPECT_EQ(mode.interruptMode, 0);
    EXPECT_EQ(mode.message, "相対座標設定モードを解除しました");
}

TEST_F(KeysAndTypedInput, EscapeInGroupProcessingTakesOneOrTwoSteps)
{
    CZelkDoc& doc = m_tape.Doc();
    CGroupProcessor& group = *App().m_groupProcessor;
    auto open = [&] {
        doc.m_groupProcessing = 1;
        group.m_document = &doc;
        group.m_tokenString = "AP";
    };
    open();
    EXPECT_EQ(m_tape.Key(VK_ESCAPE).message, "群処理の初期ステップに戻しました");
    EXPECT_EQ(doc.m_groupProcessing, 1);
    EXPECT_EQ(m_tape.Key(VK_ESCAPE).message, "箱選択を解除しました");
    EXPECT_EQ(doc.m_groupProcessing, 0);

    App().m_groupResetOneStep = 1;
    open();
    EXPECT_EQ(m_tape.Key(VK_ESCAPE).message, "群処理モードと箱選択は解除しました");
    EXPECT_EQ(doc.m_groupProcessing, 0);
}

TEST_F(KeysAndTypedInput, EscapeCancelsADelayedSaveAndTheDrawingStaysModified)
{
    CZelkDoc& doc = m_tape.Doc();
    App().m_savePending = 1;
    App().m_pendingDrawing = &doc;
    App().m_modifiedBeforeSave = 1;
    doc.SetModifiedFlag(FALSE);
    m_tape.Key(VK_ESCAPE);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(App().m_savePending, 0);
    EXPECT_EQ(App().m_pendingDrawing, nullptr);
}

TEST_F(KeysAndTypedInput, TheKeyTableStartsModesAndCommands)
{
    // W starts the write-layer mode again while it runs; the menu command ends it.
    App().m_interruptMode = 33;
    EXPECT_EQ(m_tape.Key('W').interruptMode, 33);
    EXPECT_EQ(m_tape.Code(204).interruptMode, 0);

    // M without a popup-enabled command starts the line command.
    App().m_commandKind = 3;
    App().m_appCommand.m_circleFlag = 0;
    EXPECT_EQ(m_tape.Key('M').commandKind, 2);

    // T while a text is edited only reopens the text list.
    App().m_interruptKind = 7;
    App().m_justAnnounced = 0;
    App().m_commandKind = 2;
    m_tape.Key('T');
    EXPECT_EQ(Bar().m_currentList, 2);
    EXPECT_EQ(App().m_commandKind, 2);
    App().m_interruptKind = 0;

    // Delete: the box selection goes at once, or the hint.
    const CTapeStep& hint = m_tape.Key(VK_DELETE);
    EXPECT_EQ(hint.message, "DELキーを押した状態で単一要素を選択すると即消去します。");
    EXPECT_EQ(hint.deleteKeyDown, 1);
    m_tape.Code(8);
    m_tape.Doc().m_groupProcessing = 1;
    m_tape.Key(VK_DELETE);
    EXPECT_EQ(App().m_groupProcessor->m_lastInputKind, 14);
    EXPECT_EQ(App().m_groupProcessor->m_lastInputSubCode, 33);
    m_tape.Doc().m_groupProcessing = 0;

    // A key without a row, and letters in a user application, return FALSE before the exit steps.
    const int events = App().m_eventCount;
    EXPECT_EQ(m_tape.Key('N').result, 0);
    App().m_commandKind = 9;
    EXPECT_EQ(m_tape.Key('L').result, 0);
    EXPECT_EQ(App().m_commandKind, 9);
    EXPECT_EQ(App().m_eventCount, events);

    // S opens the line-type list; I toggles draft lines.
    App().m_commandKind = 2;
    m_tape.Key('S');
    EXPECT_EQ(Bar().m_currentList, 9);
    EXPECT_EQ(m_tape.Key('I').message, "下書き線モードです。");
    EXPECT_EQ(m_tape.Key('I').message, "作図線モードです。");

    // A digit opens numeric input.
    App().m_commandKind = 2;
    m_tape.Key('5');
    EXPECT_EQ(Bar().m_currentList, 1);
    EXPECT_EQ(App().m_lastMessage.Std(), "数値入力モードです");
}

namespace {

// A drawing with one line, in a group of the kind given (-1: none), picked as the candidate.
void PickLineInGroup(CZelkDoc& doc, int groupKind)
{
    doc.AddLine(P(0, 0), P(30, 40), 0, doc.FindOrAddPen(0, 1, 0, 0, 70));
    CLine* line = doc.GetLineElem(0, 0);
    ASSERT_NE(line, nullptr);
    if (groupKind >= 0) {
        auto* group = new CGroup;
        group->m_kind = static_cast<std::int16_t>(groupKind);
        line->m_group = static_cast<std::int16_t>(doc.m_groups.Add(group));
    }
    doc.m_pickList->SetSingleCandidate(0, 0, 0, ELEM_LINE);
    doc.m_pickList->m_current = 0;
}

} // namespace

TEST_F(KeysAndTypedInput, EditStartChoosesTheCommandThatEditsThePickedKind)
{
    CZelkDoc& doc = m_tape.Doc();
    PickLineInGroup(doc, CGroup::KIND_LINEAR);
    App().m_commandKind = 10;
    App().StartEditFromPick(&doc, &m_tape.View());
    EXPECT_EQ(App().m_interruptKind, 10);
    EXPECT_EQ(App().m_lastStatus, 10);
    EXPECT_EQ(doc.m_dimCmdInt->m_lastInputKind, 9);
    EXPECT_EQ(doc.m_dimCmdInt->m_editGroupKind, CGroup::KIND_LINEAR);

    // With Ctrl the dimension's line is edited as a line.
    App().m_interruptKind = 0;
    m_tape.Hold(false, true);
    App().StartEditFromPick(&doc, &m_tape.View());
    EXPECT_EQ(App().m_interruptKind, 2);
    // The edit's scale hint is followed by the line edit's own guidance.
    EXPECT_EQ(App().m_hint.Std(), "[線分の延短] 延短先の要素を左クリック、または位置点を右クリックで入力。");
    EXPECT_EQ(doc.m_lineCmdInt->m_editFlag, 1);
    EXPECT_EQ(doc.m_referenceSize, 50.0);
    m_tape.Hold(false, false);

    // The same line in an ordinary group is a line edit even in the dimension command.
    App().m_interruptKind = 0;
    static_cast<CGroup*>(doc.m_groups[0])->m_kind = CGroup::KIND_PLAIN;
    App().StartEditFromPick(&doc, &m_tape.View());
    EXPECT_EQ(App().m_interruptKind, 2);
}

TEST_F(KeysAndTypedInput, CurvesAreNotEditedAndAnOpenBoxSelectionClosesFirst)
{
    CZelkDoc& doc = m_tape.Doc();
    doc.AddCurve(1, { P(0, 0), P(10, 10), P(20, 0) }, 0, doc.FindOrAddPen(0, 1, 0, 0, 70));
    doc.m_pickList->SetSingleCandidate(0, 0, 0, ELEM_CURVE);
    doc.m_pickList->m_current = 0;
    App().m_lastStatus = 5;
    CZelkView second;
    doc.AddView(&second);
    App().StartEditFromPick(&doc, &m_tape.View());
    doc.RemoveView(&second);
    // Every window of the drawing says so, not only the one picked in.
    EXPECT_EQ(m_tape.View().m_messageText.Std(), "曲線は編集できないので消去して作成しなおしてください");
    EXPECT_EQ(second.m_messageText.Std(), "曲線は編集できないので消去して作成しなおしてください");
    EXPECT_EQ(App().m_interruptKind, 0);
    EXPECT_EQ(App().m_lastStatus, 5);

    doc.m_pickList->Clear();
    doc.m_groupProcessing = 1;
    const size_t beeps = DefaultScriptedServices().m_beeps.size();
    App().StartEditFromPick(&doc, &m_tape.View());
    EXPECT_EQ(m_tape.View().m_messageText.Std(), "群処理と箱選択はクリアして要素の編集に入りました");
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), beeps + 1);
    EXPECT_EQ(doc.m_groupProcessing, 0);
    EXPECT_EQ(App().m_lastStatus, 5);   // no candidate: nothing more
}

TEST_F(KeysAndTypedInput, AttributeCommandsCutOnlyARealComment)
{
    CZelkDoc& doc = m_tape.Doc();
    CInputBar& bar = Bar();
    bar.m_enteredText = "ABC";
    bar.SelectList(10, 0, 0);
    EXPECT_FALSE(bar.ApplyText(0));   // the list was never filled from a drawing

    bar.FillAttributeCommandList();
    struct Case {
        const char* typed;
        const char* message;
        const char* stored;     // the last attribute string of the drawing afterwards
    } cases[] = {
        { "ABC //the part name", "属性文字を登録または休止解除しました", "ABC" },
        { "1/100", "属性文字を登録または休止解除しました", "1/100" },
        { "//ABC //属性文字を休止", "属性文字を休止しました", "//ABC" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        bar.SelectList(10, 0, 0);
        bar.m_enteredText = c.typed;
        EXPECT_TRUE(bar.ApplyText(0));
        EXPECT_EQ(m_tape.View().m_messageText.Std(), c.message);
        ASSERT_GT(doc.m_attrStrings.GetSize(), 0);
        CString last;
        for (int i = 0; i < doc.m_attrStrings.GetSize(); ++i) {
            const auto* s = static_cast<const CDataString*>(doc.m_attrStrings[i]);
            if (s->m_text == c.stored)
                last = s->m_text;
        }
        EXPECT_EQ(last.Std(), c.stored);
        EXPECT_EQ(bar.m_currentList, 1);
    }
}

TEST_F(KeysAndTypedInput, EachKeyRoutineAsksItsConsumersInItsOwnOrder)
{
    CZelkDoc& doc = m_tape.Doc();
    CPointSearch& search = *doc.m_pointSearch;
    search.foundPoints.clear();
    search.foundPoints.emplace_back(P(1, 1), 0.0, 0, 0, 0, 0, 0, 0, 0, 0);
    search.foundPoints.emplace_back(P(5, 6), 0.0, 0, 0, 0, 0, 0, 0, 0, 0);
    search.currentIndex = 0;
    // Each line instance stands at a point, so that a step routine it is handed shows.
    auto tab = [&] {
        for (CLineCommand* line : { &Line(), &LineInt() }) {
            line->m_tokenString = "P";
            line->m_inputPoints[0].SetBoth(P(0, 0));
            line->SaveOrRestoreStep(0);
        }
        App().m_lastStatus = 2;
        m_tape.Key(VK_TAB);
    };
    tab();
    EXPECT_EQ(Line().m_inputPoints[0].point.m_x, 5.0);   // the next snap point taken
    EXPECT_EQ(LineInt().m_inputPoints[0].point.m_x, 0.0);
    EXPECT_EQ(doc.m_basePoint.m_x, 5.0);
    EXPECT_EQ(doc.m_refPoint.m_y, 6.0);

    // Tab on a snap point: the interrupting command before group processing ...
    doc.m_groupProcessing = 1;
    App().m_interruptKind = 2;
    tab();
    EXPECT_EQ(LineInt().m_inputPoints[0].point.m_x, 1.0);
    EXPECT_EQ(Line().m_inputPoints[0].point.m_x, 0.0);
    // ... while step back and the point constraint ask group processing first.
    App().m_pointConstraintMode = 3;
    App().StepBack(&doc);
    App().OnPointConstraint(&doc, &m_tape.View());
    EXPECT_EQ(LineInt().m_tokenString, "P");
    EXPECT_EQ(LineInt().m_inputPoints[0].mode, 1);
    doc.m_groupProcessing = 0;
    App().StepBack(&doc);
    EXPECT_EQ(LineInt().m_tokenString, "");
    App().OnPointConstraint(&doc, &m_tape.View());
    EXPECT_EQ(LineInt().m_inputPoints[0].mode, App().m_pointConstraintMode);

    // A running user application takes them all; no command sees the key.
    App().m_interruptKind = 0;
    App().m_commandKind = 9;
    tab();
    App().StepBack(&doc);
    EXPECT_EQ(Line().m_tokenString, "P");
    EXPECT_EQ(Line().m_inputPoints[0].point.m_x, 0.0);
    EXPECT_EQ(LineInt().m_tokenString, "P");
}

TEST_F(KeysAndTypedInput, EscapeEndsTheInnermostModeFirst)
{
    struct Case {
        int special;
        int repeat;
        int interruptMode;
        const char* message;
    } cases[] = {
        { 53, 0, 0, "画面操作モードは解除しました" },
        { 53, 1, 0, "画面(連続)操作モードは解除しました" },
        { 0, 0, 33, "書込レイヤ設定モードを解除しました" },
        { 0, 0, 39, "拘束点設定モードを解除しました" },
        { 0, 0, 40, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        App().m_specialMode = static_cast<std::int16_t>(c.special);
        App().m_specialRepeat = c.repeat;
        App().m_interruptMode = static_cast<std::int16_t>(c.interruptMode);
        m_tape.View().m_messageText.Empty();
        Line().m_tokenString = "P";
        const CTapeStep& step = m_tape.Key(VK_ESCAPE);
        EXPECT_EQ(step.message, c.message);
        EXPECT_EQ(step.specialMode, 0);
        EXPECT_EQ(step.interruptMode, 0);
        EXPECT_EQ(App().m_specialRepeat, 0);
        EXPECT_EQ(Line().m_tokenString, "P");   // the command keeps its step
    }
}

TEST_F(KeysAndTypedInput, AConfirmedTextGoesToTheTextCommandAndStaysInItsList)
{
    CInputBar& bar = Bar();
    App().m_commandKind = 7;
    bar.StartTextInput();
    EXPECT_EQ(bar.m_currentList, 2);
    bar.m_enteredText = "部品表";
    EXPECT_TRUE(bar.ApplyText(0));
    EXPECT_EQ(m_tape.Doc().m_textCmd->m_lastInputKind, 5);
    EXPECT_EQ(App().m_lastMessage.Find("文字列  部品表  を確定しました。"), 0);
    EXPECT_EQ(bar.GetList(2).m_texts[0].Std(), "部品表");
    EXPECT_EQ(bar.GetList(2).m_touched, 1);
    EXPECT_EQ(bar.m_currentList, 2);
}

namespace {

// Distinct step points and typed values in every slot of a command's step records.
template <class Command, int N>
void SeedSteps(Command& command, const CInputPoint (&)[N], double base)
{
    for (int i = 0; i < N; ++i) {
        command.m_inputPoints[i].point = P(base + i, base);
        command.m_savedInputPoints[i].point = P(base, base + i);
        command.m_values[i].value = base + 10 * i;
    }
}

// The first five slots of the edit instance hold the main instance's inputs; any further slot
// keeps its own. A command that saves its step on the edit entry has its saved set rewritten
// from the live one: savedToo false leaves that set out.
template <class Main, class Edit, int N>
void ExpectTakenOver(const Main& main, const Edit& edit, const CInputPoint (&)[N], bool savedToo = true)
{
    for (int i = 0; i < N; ++i) {
        SCOPED_TRACE(i);
        const bool taken = i < 5;
        EXPECT_EQ(edit.m_inputPoints[i].point.m_x == main.m_inputPoints[i].point.m_x, taken);
        if (savedToo) {
            EXPECT_EQ(edit.m_savedInputPoints[i].point.m_y == main.m_savedInputPoints[i].point.m_y, taken);
        }
        EXPECT_EQ(edit.m_values[i].value == main.m_values[i].value, taken);
    }
}

} // namespace

TEST_F(KeysAndTypedInput, AnEditGoesOnFromTheMainInstancesInputs)
{
    CZelkDoc& doc = m_tape.Doc();
    const std::int16_t pen = doc.FindOrAddPen(0, 1, 0, 0, 70);
    doc.AddPoint(P(1, 1), 0, pen);
    doc.AddCircle(P(50, 50), 5, 0, pen);
    PickLineInGroup(doc, CGroup::KIND_LINEAR);
    CDimCommand& mainDim = *doc.m_dimCmd;
    SeedSteps(*doc.m_pointCmd, doc.m_pointCmd->m_inputPoints, 100);
    SeedSteps(*doc.m_lineCmd, doc.m_lineCmd->m_inputPoints, 200);
    SeedSteps(*doc.m_circleCmd, doc.m_circleCmd->m_inputPoints, 300);
    SeedSteps(mainDim, mainDim.m_inputPoints, 400);
    SeedSteps(*doc.m_pointCmdInt, doc.m_pointCmdInt->m_inputPoints, -1);
    SeedSteps(*doc.m_lineCmdInt, doc.m_lineCmdInt->m_inputPoints, -1);
    SeedSteps(*doc.m_circleCmdInt, doc.m_circleCmdInt->m_inputPoints, -1);
    SeedSteps(*doc.m_dimCmdInt, doc.m_dimCmdInt->m_inputPoints, -1);
    mainDim.m_macroFlag = 1;
    mainDim.m_stepTexts.Add("始点");
    // The playing macro announced the edit pattern to the instance that takes it.
    doc.m_dimCmdInt->m_macroPattern = "#P";
    auto edit = [&](std::int16_t kind, int commandKind) {
        App().m_interruptKind = 0;
        App().m_commandKind = static_cast<std::int16_t>(commandKind);
        doc.m_pickList->SetSingleCandidate(0, 0, 0, kind);
        doc.m_pickList->m_current = 0;
        App().StartEditFromPick(&doc, &m_tape.View());
        return App().m_interruptKind;
    };

    ASSERT_EQ(edit(ELEM_POINT, 2), 1);
    ExpectTakenOver(*doc.m_pointCmd, *doc.m_pointCmdInt, doc.m_pointCmdInt->m_inputPoints, false);
    ASSERT_EQ(edit(ELEM_LINE, 2), 2);
    ExpectTakenOver(*doc.m_lineCmd, *doc.m_lineCmdInt, doc.m_lineCmdInt->m_inputPoints, false);
    ASSERT_EQ(edit(ELEM_CIRCLE, 2), 3);
    ExpectTakenOver(*doc.m_circleCmd, *doc.m_circleCmdInt, doc.m_circleCmdInt->m_inputPoints, false);

    // A dimension edit also takes the main instance's macro flag and step notes.
    ASSERT_EQ(edit(ELEM_LINE, 10), 10);
    ExpectTakenOver(mainDim, *doc.m_dimCmdInt, doc.m_dimCmdInt->m_inputPoints);
    EXPECT_EQ(doc.m_dimCmdInt->m_macroFlag, 1);
    ASSERT_EQ(doc.m_dimCmdInt->m_stepTexts.GetSize(), 1);
    EXPECT_EQ(doc.m_dimCmdInt->m_stepTexts[0].Std(), "始点");

    // The dimension's value text edits the dimension with that text; the step notes stay.
    LOGFONT lf{};
    lf.lfHeight = -35;
    std::strcpy(lf.lfFaceName, "ＭＳ ゴシック");
    doc.AddText(P(10, 5), "25", 0, 14, 0, doc.FindOrAddFont(lf, 20, 35, 1, 0));
    CText* value = doc.GetTextElem(0, 0);
    ASSERT_NE(value, nullptr);
    value->m_group = doc.GetLineElem(0, 0)->m_group;
    doc.m_dimCmdInt->m_stepTexts.RemoveAll();
    ASSERT_EQ(edit(ELEM_TEXT, 10), 10);
    EXPECT_EQ(doc.m_dimCmdInt->m_valueText.Std(), "25");
    EXPECT_EQ(doc.m_dimCmdInt->m_editRole, 16);
    EXPECT_EQ(doc.m_dimCmdInt->m_stepTexts.GetSize(), 0);
    ExpectTakenOver(mainDim, *doc.m_dimCmdInt, doc.m_dimCmdInt->m_inputPoints);
}

TEST_F(KeysAndTypedInput, QAndShiftQCycleTheCircleCandidatesAroundTheList)
{
    CZelkDoc& doc = m_tape.Doc();
    CCircleCommand& circle = *doc.m_circleCmd;
    for (double radius : { 1.0, 2.0, 3.0 }) {
        auto* candidate = new CPointPair;
        candidate->point1 = P(10, 10);
        candidate->value2 = radius;
        candidate->point2 = P(0, 360);
        circle.m_candidates.Add(candidate);
    }
    App().m_commandKind = 3;
    circle.m_candidateIndex = 2;
    struct Step {
        bool shift;
        int index;
        double radius;
    } steps[] = { { false, 0, 1.0 }, { true, 2, 3.0 }, { true, 1, 2.0 } };
    const int undoSteps = doc.m_undoHistory->GetStepCount();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.index);
        m_tape.Hold(s.shift, false);
        // Each candidate shown takes the place of the one before, in the drawing and in undo.
        const CTapeStep& step = m_tape.Key('Q');
        EXPECT_EQ(circle.m_candidateIndex, s.index);
        const CCircle* shown = doc.GetCircleElem(circle.m_editBlock, circle.m_editSlot);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->m_radius, s.radius);
        EXPECT_EQ(step.elements, 1);
        EXPECT_EQ(step.undoSteps, undoSteps + 1);
        EXPECT_EQ(circle.m_candidates.GetSize(), 3);   // showing one keeps the others
    }
    m_tape.Hold(false, false);
    EXPECT_EQ(App().m_lastMessage.Std(), "円(弧)を作成しました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");

    // A candidate too large to draw is not made, and nothing is committed; outside the circle
    // and arc commands the key changes nothing.
    static_cast<CPointPair*>(circle.m_candidates[2])->value2 = 200000.0;
    const CTapeStep& refused = m_tape.Key('Q');
    EXPECT_EQ(circle.m_candidateIndex, 2);
    EXPECT_EQ(refused.elements, 1);
    EXPECT_EQ(refused.undoSteps, undoSteps + 1);
    App().m_commandKind = 2;
    EXPECT_EQ(m_tape.Key('Q').result, 1);
    EXPECT_EQ(circle.m_candidateIndex, 2);
}

TEST_F(KeysAndTypedInput, HPlaysTheMacroQueueAndShiftHThenOnlyBeeps)
{
    m_tape.Key('H');
    EXPECT_EQ(App().m_macroPlaying, 1);
    m_tape.Hold(true, false);
    const CTapeStep& refused = m_tape.Key('H');
    m_tape.Hold(false, false);
    EXPECT_EQ(refused.beeps, 1);
    EXPECT_EQ(App().m_macroRecorder->m_recording, 0);
    // Escape stops the playing.
    m_tape.Key(VK_ESCAPE);
    EXPECT_EQ(App().m_macroPlaying, 0);
}

TEST_F(KeysAndTypedInput, MAnnouncesTheCommandAndRedrawsEveryDrawing)
{
    CZelkDoc other;
    other.m_bAutoDelete = FALSE;
    App().m_pDocTemplate->AddDocument(&other);
    other.AddLine(P(0, 0), P(5, 5), 0, other.FindOrAddPen(0, 1, 0, 0, 70));
    CLine* pending = other.GetLineElem(0, 0);
    ASSERT_NE(pending, nullptr);
    pending->m_mark |= MARK_REDRAW | MARK_SELECTED;

    App().m_commandKind = 2;
    App().m_appCommand.m_lineFlag = 1;
    App().m_interruptKind = 2;
    const CTapeStep& step = m_tape.Key('M');
    EXPECT_EQ(step.lastStatus, 11);
    EXPECT_EQ(step.interruptKind, 0);
    EXPECT_EQ(App().m_justAnnounced, 1);
    EXPECT_EQ(pending->m_mark & (MARK_REDRAW | MARK_SELECTED), 0);
    App().m_pDocTemplate->RemoveDocument(&other);
}

TEST_F(KeysAndTypedInput, AttributeCommandsGoToABoxSelection)
{
    CZelkDoc& doc = m_tape.Doc();
    doc.AddLine(P(0, 0), P(10, 0), 0, doc.FindOrAddPen(0, 1, 0, 0, 70));
    CLine* line = doc.GetLineElem(0, 0);
    ASSERT_NE(line, nullptr);
    CInputBar& bar = Bar();
    bar.FillAttributeCommandList();
    struct Case {
        const char* typed;
        const char* message;
        int carried;
    } cases[] = {
        { "ABC //the part name", "群選択要素に文字属性を設定して、群処理モードを解除しました", 1 },
        { "reset ABC", "群選択要素の指定文字属性を解除して、群処理モードを解除しました", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        line->m_mark |= MARK_SELECTED;
        doc.m_groupProcessing = 1;
        bar.SelectList(10, 0, 0);
        bar.m_enteredText = c.typed;
        EXPECT_TRUE(bar.ApplyText(0));
        EXPECT_EQ(m_tape.View().m_messageText.Std(), c.message);
        EXPECT_EQ(line->m_attrStrings.GetSize(), c.carried);
        EXPECT_EQ(doc.m_groupProcessing, 0);
    }
}

// Right after a drawing-mode announcement (status 11) the edit of a line or circle starts without
// its popup menu; a text edit shows its menu then too.
TEST_F(KeysAndTypedInput, EditPopupMenusRightAfterAnAnnouncement)
{
    CZelkDoc& doc = m_tape.Doc();
    const std::int16_t pen = doc.FindOrAddPen(0, 1, 0, 0, 70);
    doc.AddLine(P(0, 0), P(30, 40), 0, pen);
    doc.AddCircle(P(50, 50), 5, 0, pen);
    LOGFONT lf{};
    lf.lfHeight = -35;
    std::strcpy(lf.lfFaceName, "ＭＳ ゴシック");
    doc.AddText(P(10, 5), "部品", 0, 14, 0, doc.FindOrAddFont(lf, 20, 35, 1, 0));
    struct Case {
        std::int16_t kind;
        int status;
        size_t menus;
    } cases[] = {
        { ELEM_LINE, 11, 0 }, { ELEM_LINE, 5, 1 }, { ELEM_CIRCLE, 11, 0 },
        { ELEM_CIRCLE, 5, 1 }, { ELEM_TEXT, 11, 1 }, { ELEM_TEXT, 5, 1 },
    };
    std::vector<std::vector<CPopupItem>>& shown = DefaultScriptedUiServices().m_shownMenus;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " at " + std::to_string(c.status));
        App().m_interruptKind = 0;
        App().m_commandKind = 2;
        App().m_lastStatus = static_cast<std::int16_t>(c.status);
        doc.m_pickList->SetSingleCandidate(0, 0, 0, c.kind);
        doc.m_pickList->m_current = 0;
        shown.clear();
        App().StartEditFromPick(&doc, &m_tape.View());
        EXPECT_EQ(shown.size(), c.menus);
        EXPECT_EQ(App().m_lastStatus, 10);
    }
}

// A listing line of a line width, edited before it is confirmed: the width it names, never a
// negative one or one that wraps around 16 bits.
TEST_F(KeysAndTypedInput, ListingLineWidthsStayDrawable)
{
    CInputBar& bar = Bar();
    CAppElem& elem = App().m_appElem;
    struct Case {
        const char* line;
        int width;          // the line width afterwards
        int thick;          // the thick-line width afterwards
        const char* entry;  // the top entry of the line-type list, nullptr: unchanged
    } cases[] = {
        { "0.5", 5, 5, "===== 太い実線 0.5" },
        { "-0.7", 7, 7, "===== 太い実線 0.7" },
        { "0.01", 1, 7, nullptr },
        { "6553.6", 1, 7, nullptr },   // 65536 tenths: not applied
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CString top = bar.GetList(9).m_texts.GetSize() ? bar.GetList(9).m_texts[0] : CString();
        bar.GetList(8).AddRecentWithCode(c.line, 7);
        bar.SelectList(8, 0, 0);
        bar.m_selectedIndex = 0;
        bar.m_enteredText = c.line;
        EXPECT_TRUE(bar.ApplyText(0));
        EXPECT_EQ(elem.m_lineWidth, c.width);
        EXPECT_EQ(elem.m_thickWidth, c.thick);
        EXPECT_EQ(bar.GetList(9).m_texts[0].Std(), c.entry ? c.entry : top.Std());
    }
}

TEST_F(KeysAndTypedInput, AClosedDrawingIsForgottenByTheListsThatReferToIt)
{
    CZelkDoc& kept = m_tape.Doc();
    auto closing = std::make_unique<CZelkDoc>();
    closing->m_bAutoDelete = FALSE;
    CHistoryList& listing = Bar().GetList(8);
    CHistoryList& fonts = Bar().GetList(3);
    listing.m_sourceDoc = closing.get();
    listing.m_prevDoc = closing.get();
    fonts.m_sourceDoc = &kept;
    fonts.m_prevDoc = &kept;
    closing.reset();
    EXPECT_EQ(listing.m_sourceDoc, nullptr);
    EXPECT_EQ(listing.m_prevDoc, nullptr);
    EXPECT_EQ(fonts.m_sourceDoc, &kept);
    EXPECT_EQ(fonts.m_prevDoc, &kept);
}

// The file, symbol, macro, list, print-all and printer commands and the color settings of the
// started program: sent by id through the main frame, chosen from its menus with real clicks,
// their dialogs answered through the scripted window services.
#include "app/ColorComboBox.h"
#include "app/ColorSettingsDialog.h"
#include "app/MacroRecordDialog.h"
#include "commands/annotate/GroupProcessor.h"
#include "elements/Layer.h"
#include "geometry/Numeric.h"
#include "platform/ui/Controls.h"
#include "platform/ui/PrintInfo.h"
#include "commands/annotate/TextCommand.h"
#include "formats/BufferRoutines.h"
#include "input/InputBar.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"
#include "macro/TextDoc.h"
#include "tests/app/AppCommandsFixture.h"
#include "tests/support/SampleDrawing.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class FileListCommands : public AppCommands {
protected:
    CZelkDoc* Active() const { return m_app->GetActiveDrawingDoc(); }
    std::vector<CString>& Opened() { return Services().m_opened; }
    CTextDoc* NewestText() const
    {
        const std::vector<CTextDoc*> docs = m_app->TextDocs();
        return docs.empty() ? nullptr : docs.back();
    }
    static std::vector<CString> Lines(CTextDoc* doc)
    {
        CStringArray lines;
        doc->GetLines(lines);
        std::vector<CString> out;
        for (int i = 0; i < lines.GetSize(); ++i)
            out.push_back(lines[i]);
        return out;
    }
};

// In help mode each command opens its page and leaves everything else; adding a text file and
// interpreting a text run even then.
TEST_F(FileListCommands, HelpModeOpensThePagesAndTwoTextCommandsRunAnyway)
{
    Start();
    struct Case {
        UINT id;
        const char* page;
    };
    const Case cases[] = {
        { 32888, "Help\\HID_TEXT_NEW.htm" },        { 32886, "Help\\HID_TEXT_OPEN.htm" },
        { 33109, "Help\\HID_ZEL_LIB_OPEN.htm" },    { 32898, "Help\\HID_SYMBOL.htm" },
        { 32826, "Help\\HID_PARAM_COLOR.htm" },
        { 33086, "Help\\HID_OPEN_UNIT.htm" },       { 33087, "Help\\HID_OPEN_VARIABLE.htm" },
        { 33092, "Help\\HID_OPEN_LAYER.htm" },      { 33115, "Help\\HID_PRINT_ALL.htm" },
        { 33150, "Help\\HID_FILE_PRINT_SETUP.htm" },
        { 33141, "Help\\HID_OPEN_ZELKFUNC.htm" },   { 33152, "Help\\HID_HTML_HELP.htm" },
    };
    const size_t texts = m_app->TextDocs().size();
    Ui().m_shownDialogs.clear();  // the first drawing's start-up notices
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Opened().clear();
        m_app->m_contextHelpMode = 11;
        m_app->m_lastCommandId = 4321;
        Command(c.id);
        ASSERT_EQ(Opened().size(), 1u);
        EXPECT_EQ(Opened()[0], ProgramFolder() + c.page);
        EXPECT_EQ(m_app->m_contextHelpMode, 0);
        EXPECT_EQ(m_app->m_lastCommandId, 4321);
    }
    EXPECT_TRUE(Ui().m_shownDialogs.empty());
    EXPECT_TRUE(Ui().m_shownFileDialogs.empty());
    EXPECT_EQ(m_app->TextDocs().size(), texts);

    // 32887 asks for its file (cancelled here) and 33077 looks for a text window: no page.
    Opened().clear();
    m_app->m_contextHelpMode = 11;
    Command(32887);
    EXPECT_EQ(Ui().m_shownFileDialogs.size(), 1u);
    EXPECT_EQ(m_app->m_lastMessage, CString("テキストファイルはオープンできませんでした"));
    Command(33077);
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(m_app->m_contextHelpMode, 11);
    for (UINT id : { 32888u, 32886u, 32887u, 33109u, 33077u })
        EXPECT_EQ(Update(id).m_enabled, 1) << id;
}

// The dialog's working list against its sorted list box: duplicates and white custom colors
// stay out, deleting goes by value, and the selection stays in place or goes.
TEST_F(FileListCommands, ColorDialogEditsItsListByValue)
{
    Start();
    const COLORREF blue = RGB(0, 0, 255), yellow = RGB(255, 255, 0), dark = RGB(10, 10, 10);
    const COLORREF green = RGB(0, 128, 0), odd = RGB(1, 2, 3);
    CColorSettingsDialog dlg;
    for (COLORREF c : { blue, yellow, dark, yellow })
        dlg.m_colors.Add(c);
    dlg.m_colors.RemoveAt(3);
    Ui().QueueColor(TRUE, yellow);
    // The system dialog hands back custom colors: white ones and known ones are passed over.
    Ui().QueueColor(TRUE, green, { odd, kWhite, blue, green });
    auto items = [&] {
        std::vector<COLORREF> v;
        for (int i = 0; i < dlg.m_colorList.GetCount(); ++i)
            v.push_back(static_cast<COLORREF>(dlg.m_colorList.GetItemData(i)));
        return v;
    };
    auto working = [&] {
        std::vector<COLORREF> v;
        for (int i = 0; i < dlg.m_colors.GetSize(); ++i)
            v.push_back(static_cast<COLORREF>(dlg.m_colors[i]));
        return v;
    };
    // The buttons and the list are clicked as a user clicks them; a row is 16 pixels high.
    auto click = [&](int id) { UiDriver::Click(dlg.GetDlgItem(id), { 10, 6 }); };
    auto clickRow = [&](int row) { UiDriver::Click(&dlg.m_colorList, { 20, row * 16 + 9 }); };
    Ui().QueueDialog([&](IModalSession& s) {
        // Brightest first, as the color box sorts.
        EXPECT_EQ(items(), (std::vector<COLORREF>{ yellow, blue, dark }));
        click(1026);
        EXPECT_EQ(items().size(), 3u);
        click(1026);
        EXPECT_EQ(working(), (std::vector<COLORREF>{ blue, yellow, dark, green, odd }));
        EXPECT_EQ(items(), (std::vector<COLORREF>{ yellow, blue, green, dark, odd }));
        // Deleting without a selection does nothing.
        click(1027);
        EXPECT_EQ(items().size(), 5u);
        // The last item: gone by value from the working list, no selection left.
        clickRow(4);
        EXPECT_EQ(dlg.m_colorList.GetCurSel(), 4);
        click(1027);
        EXPECT_EQ(working(), (std::vector<COLORREF>{ blue, yellow, dark, green }));
        EXPECT_EQ(dlg.m_colorList.GetCurSel(), -1);
        // A middle item: the selection stays at its place.
        clickRow(1);
        click(1027);
        EXPECT_EQ(working(), (std::vector<COLORREF>{ yellow, dark, green }));
        EXPECT_EQ(dlg.m_colorList.GetCurSel(), 1);
        s.Press(IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_customColors[0], odd);
}

// OK keeps the user colors that are not standard ones, refills the color box and stores the
// complement rule; a threshold past a byte keeps the dialog open.
TEST_F(FileListCommands, ColorSettingsStoreOnlyUserColors)
{
    Start();
    CAppColor& colors = m_app->m_appColor;
    const COLORREF standard = static_cast<COLORREF>(colors.m_standardColorList[2]);
    const COLORREF own = RGB(12, 34, 56);
    colors.m_userColors.RemoveAll();
    Ui().QueueColor(TRUE, standard);
    Ui().QueueColor(TRUE, own);
    bool stayedOpen = false;
    Ui().QueueDialog([&](IModalSession& s) {
        EXPECT_EQ(s.GetItemText(1096), CString("55"));
        s.Press(1026);
        s.Press(1026);
        s.SetCheck(1097, 0);
        s.SetItemText(1096, "256");
        s.Press(IDOK);
        stayedOpen = s.IsOpen();
        s.SetItemText(1096, "255");
        s.Press(IDOK);
    });
    Command(32826);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(colors.m_userColors.GetSize(), 1);
    EXPECT_EQ(static_cast<COLORREF>(colors.m_userColors[0]), own);
    EXPECT_EQ(colors.complementThreshold, 255);
    EXPECT_EQ(colors.adjustOnScreen, 0);
    EXPECT_GE(m_app->m_pMainFrame->m_wndInputBar.m_colorBox.FindColor(own), 0);
    EXPECT_EQ(Update(32826).m_enabled, 1);
}

// A symbol file read into a windowless drawing is selected whole and handed to the copy mode;
// a file without data leaves nothing behind. The document number goes back either way.
TEST_F(FileListCommands, SymbolLoadsIntoAWindowlessDrawing)
{
    Start();
    const CString path = ProgramFolder() + "part.zel";
    WriteSampleDrawing(path, "2026/02/03");
    const int drawings = m_app->CountDrawingDocs();
    const short number = m_app->m_nextDocNumber;
    m_app->m_appElem.m_layerCondition = 2;
    Ui().QueueFiles({ path });
    Command(32898);
    CZelkDoc* symbol = m_app->m_symbolDoc;
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(m_app->CountDrawingDocs(), drawings);
    EXPECT_EQ(m_app->m_nextDocNumber, number);
    EXPECT_EQ(m_app->m_groupProcessor->m_document, symbol);
    EXPECT_EQ(m_app->m_groupProcessor->modePattern, CString("PP"));
    EXPECT_EQ(symbol->m_groupProcessing, 1);
    EXPECT_EQ(m_app->m_lastMessage, CString("シンボルのコピーモードに入りました(解除ESC)"));
    EXPECT_EQ(m_app->m_appElem.m_layerCondition, 2);
    EXPECT_EQ(Update(32898).m_checked, 1);

    // With the current-layer option the placement takes the current layer.
    m_app->m_symbolLayerCurrent = 1;
    const CString empty = ProgramFolder() + "empty.zel";
    {
        CZelkDoc doc;
        CZelkView view;
        view.m_document = &doc;
        ASSERT_EQ(view.WriteNativeFile(empty, 1), 1);
        view.m_document = nullptr;
    }
    const short numberNow = m_app->m_nextDocNumber;
    Services().m_messages.clear();
    Ui().QueueFiles({ empty });
    Command(32898);
    EXPECT_EQ(m_app->m_symbolDoc, nullptr);
    // The copy mode of the first symbol let go of it when it was deleted.
    EXPECT_EQ(m_app->m_groupProcessor->m_document, nullptr);
    EXPECT_EQ(m_app->m_appElem.m_layerCondition, 0);
    EXPECT_EQ(m_app->m_lastMessage, CString("このファイルにはデータがありません"));
    EXPECT_EQ(m_app->m_nextDocNumber, numberNow);
    EXPECT_EQ(Update(32898).m_checked, 0);
}

// A symbol drawn at another scale brings its scale to the copy as a typed value.
TEST_F(FileListCommands, SymbolAtAnotherScale)
{
    Start();
    const CString path = ProgramFolder() + "scaled.zel";
    {
        CZelkDoc doc;
        doc.m_ratio = 2.0;
        CPointD p;
        p.Init(5, 5);
        doc.AddPoint(p, 0, doc.FindOrAddPen(0, 1, 0, 0, 70));
        CZelkView view;
        view.m_document = &doc;
        ASSERT_EQ(view.WriteNativeFile(path, 1), 1);
        view.m_document = nullptr;
    }
    Ui().QueueFiles({ path });
    Command(32898);
    ASSERT_NE(m_app->m_symbolDoc, nullptr);
    EXPECT_EQ(m_app->m_lastResultMessage, CString(" 尺度2を反映しました"));
    EXPECT_EQ(m_app->m_groupProcessor->m_lastInputKind, 3);
    EXPECT_EQ(m_app->m_groupProcessor->m_lastInputSubCode, 14);
}

// The recorder's panel opens with the recording; its "終了" is clicked for real and the panel is
// gone before the lines reach the interpreter (whose complaint about the bad line follows).
class PanelOrder : public CScriptedUiServices {
public:
    void ModelessDestroyed(UINT templateId) override
    {
        CScriptedUiServices::ModelessDestroyed(templateId);
        if (templateId == 248)
            m_messagesAtClose = static_cast<int>(DefaultScriptedServices().m_messages.size());
    }
    int m_messagesAtClose = -1;
};

TEST_F(FileListCommands, RecorderPanelClosesBeforeTheLinesRun)
{
    Start();
    UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    ASSERT_NE(m_app->m_activeView, nullptr);
    Command(32799);
    CMacroRecorder& recorder = *m_app->m_macroRecorder;
    ASSERT_EQ(recorder.m_dialogOpen, 1);
    // "記録" switches the use-next-input mark; "Mess" the message mark.
    CWnd* record = recorder.m_dialog->GetDlgItem(1171);
    ASSERT_NE(record, nullptr);
    UiDriver::Click(record, { 5, 5 });
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_useNextInput, 1);
    UiDriver::Click(recorder.m_dialog->GetDlgItem(1166), { 5, 5 });
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_macroNextInput, 1);

    recorder.m_lines.Add("a = (1");
    PanelOrder order;
    SetUiServices(&order);
    Services().m_messages.clear();
    UiDriver::Click(recorder.m_dialog->GetDlgItem(1169), { 5, 5 });
    UiDriver::Pump();
    SetUiServices(nullptr);
    EXPECT_EQ(recorder.m_dialogOpen, 0);
    EXPECT_EQ(recorder.m_recording, 0);
    EXPECT_EQ(order.m_messagesAtClose, 0);
    EXPECT_FALSE(Services().m_messages.empty());
}

// The tip that announces whether the next input data are recorded ("記録" on the panel lays it)
// leaves the drawing window when the recording ends, from the menu or from the panel.
TEST_F(FileListCommands, TheRecordingTipLeavesWithTheRecording)
{
    Start();
    UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    CZelkView* view = m_app->m_activeView;
    ASSERT_NE(view, nullptr);
    CMacroRecorder& recorder = *m_app->m_macroRecorder;
    auto tips = [&] {
        std::vector<UINT> ids;
        if (view->m_gestureTips)
            for (const CToolTipCtrl::Tool& t : view->m_gestureTips->Tools())
                ids.push_back(t.id);
        return ids;
    };
    const struct {
        short useNextInput;   // before "記録" is clicked
        UINT tip;
        bool fromPanel;
    } cases[] = {
        { 0, 59413, false },
        { 1, 59414, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tip);
        m_app->m_useNextInput = c.useNextInput;
        Command(32799);
        ASSERT_EQ(recorder.m_dialogOpen, 1);
        UiDriver::Click(recorder.m_dialog->GetDlgItem(1171), { 5, 5 });
        UiDriver::Pump();
        ASSERT_EQ(tips(), std::vector<UINT>{ c.tip });
        if (c.fromPanel)
            UiDriver::Click(recorder.m_dialog->GetDlgItem(1169), { 5, 5 });
        else
            Command(32800);
        UiDriver::Pump();
        EXPECT_EQ(recorder.m_recording, 0);
        EXPECT_TRUE(tips().empty());
    }
    // A gesture zone laid meanwhile is no recording tip and stays.
    Command(32799);
    view->LayGestureTooltips(0);
    Command(32800);
    EXPECT_EQ(tips().size(), 9u);
}

// Placing the recording hands its lines to group processing as texts to be placed with "MP".
TEST_F(FileListCommands, RecordingPlacedInTheDrawing)
{
    Start();
    Command(32799);
    m_app->m_macroRecorder->m_lines.Add("x = 1");
    m_app->m_macroRecorder->m_lines.Add("y = 2");
    Command(32801);
    CGroupProcessor& processor = *m_app->m_groupProcessor;
    EXPECT_EQ(m_app->m_macroRecorder->m_recording, 0);
    EXPECT_EQ(m_app->m_macroRecorder->m_dialogOpen, 0);
    EXPECT_EQ(processor.m_document, Active());
    EXPECT_EQ(processor.modePattern, CString("MP"));
    EXPECT_EQ(processor.m_elemSet.texts.GetSize(), 2);
    EXPECT_EQ(processor.m_lastInputKind, 14);
    EXPECT_EQ(processor.m_lastInputSubCode, 32);
}

// A text window's lines run as a macro and become the last macro.
TEST_F(FileListCommands, InterpretingTheActiveTextKeepsItAsTheLastMacro)
{
    Start();
    Command(32888);
    CTextDoc* text = NewestText();
    ASSERT_NE(text, nullptr);
    CStringArray lines;
    lines.Add("w = 2");
    lines.Add("v = w * 3");
    text->SetLines(lines);
    m_app->m_macroRecorder->m_lines.RemoveAll();
    EXPECT_EQ(m_app->RunActiveTextAsMacro(), 1);
    ASSERT_EQ(m_app->m_macroRecorder->m_lines.GetSize(), 2);
    EXPECT_EQ(m_app->m_macroRecorder->m_lines[1], CString("v = w * 3"));
}

TEST_F(FileListCommands, ShapeCommandsRefreshTheBoxOfTheTextBeingPlaced)
{
    Start();
    CZelkDoc* doc = Active();
    ASSERT_NE(doc, nullptr);
    doc->m_textCmd->m_string = "ABC";
    m_app->m_commandKind = 7;
    struct Case {
        UINT id;
        BYTE shape;
    };
    for (const Case c : { Case{ 32825, 2 }, Case{ 32821, 3 }, Case{ 32822, 4 }, Case{ 32820, 1 } }) {
        SCOPED_TRACE(c.id);
        for (CPointD& p : doc->m_textCmd->m_box)
            p.Init(0.0, 0.0);
        doc->m_textCmd->m_lastInputKind = 0;
        Command(c.id);
        EXPECT_EQ(m_app->m_appText.m_shape, c.shape);
        // The text command hears of the new shape, except of the slant one.
        EXPECT_EQ(doc->m_textCmd->m_lastInputKind, c.shape == 4 ? 0 : 16);
        CPointD expected[4];
        ComputeBoxOfString("ABC", expected);
        for (int i = 0; i < 4; ++i) {
            EXPECT_DOUBLE_EQ(doc->m_textCmd->m_box[i].m_x, expected[i].m_x);
            EXPECT_DOUBLE_EQ(doc->m_textCmd->m_box[i].m_y, expected[i].m_y);
        }
        EXPECT_NE(expected[1].m_x - expected[0].m_x + expected[1].m_y - expected[0].m_y, 0.0);
    }
}

// The three lists as text windows: the unit file's lines, the constants before the variables,
// and the layer table with its counts.
TEST_F(FileListCommands, UnitConstantAndLayerLists)
{
    Start();
    ASSERT_GT(m_app->m_unitFileLines.GetSize(), 0);
    Command(33086);
    CTextDoc* units = NewestText();
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->GetTitle(), CString("UnitList"));
    EXPECT_EQ(Lines(units).size(), static_cast<size_t>(m_app->m_unitFileLines.GetSize()));

    CStringArray constants;
    m_app->BuildConstantList(constants);
    std::vector<CString> list;
    for (int i = 0; i < constants.GetSize(); ++i)
        list.push_back(constants[i]);
    const auto pi = std::find(list.begin(), list.end(), CString("pi = 3.14159265358979 //π //constant"));
    ASSERT_NE(pi, list.end());
    const auto gap = std::find(list.begin(), list.end(), CString(""));
    ASSERT_NE(gap, list.end());
    EXPECT_LT(pi, gap);
    Command(33087);
    EXPECT_EQ(NewestText()->GetTitle(), CString("VarList"));

    CZelkDoc* doc = Active();
    for (int i = doc->m_layers.GetSize(); i < 150; ++i)
        doc->FindOrCreateLayer("L" + IntToString(i));
    doc->FindOrCreateLayer("L5");
    CPointD a, b;
    a.Init(0, 0);
    b.Init(10, 0);
    const std::int16_t pen = doc->FindOrAddPen(0, 1, 0, 0, 70);
    for (int i = 0; i < 99; ++i)
        doc->AddLine(a, b, doc->FindOrCreateLayer("L5"), pen);
    doc->GetLayer(doc->FindOrCreateLayer("L7"))->m_name = "上:::下^^^振";
    const int l7 = doc->FindOrCreateLayer("上:::下^^^振");
    doc->AddPoint(a, static_cast<std::int16_t>(l7), pen);
    const int l5 = doc->FindOrCreateLayer("L5");

    m_app->m_emptyLayersInList = 0;
    Command(33092);
    std::vector<CString> rows = Lines(NewestText());
    EXPECT_EQ(NewestText()->GetTitle(), CString("LayerList"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], CString("番号\t点\t線\t円\t円弧\t楕円\t曲線\t文字列\tObj.\tレイヤ名"));
    CString five;
    five.Format("%03d\t00000\t00099\t00000\t00000\t00000\t00000\t00000\t00000\tL5\t", l5);
    EXPECT_EQ(rows[1], five);
    CString seven;
    seven.Format("%03d\t00001\t00000\t00000\t00000\t00000\t00000\t00000\t00000\t上\t下\t振\t", l7);
    EXPECT_EQ(rows[2], seven);

    m_app->m_emptyLayersInList = 1;
    Command(33092);
    rows = Lines(NewestText());
    ASSERT_EQ(rows.size(), static_cast<size_t>(doc->m_layers.GetSize() + 1));
    EXPECT_EQ(rows[150].Left(4), CString("149\t"));
    EXPECT_EQ(rows[151 - 1].Mid(4, 48), CString("00000\t00000\t00000\t00000\t00000\t00000\t00000\t00000\t"));
}

// Print-all sends the direct print to each drawing's first view as many times as the sheets
// chosen; a view that printed nothing is reported.
TEST_F(FileListCommands, PrintAllDrawings)
{
    Start();
    Command(57600);
    ASSERT_EQ(Drawings().size(), 2u);
    // Each drawing gets its print frame: a dotted rectangle on a print-frame layer.
    for (CZelkDoc* doc : Drawings()) {
        const std::int16_t layer = doc->FindOrCreateLayer("Work_Print_A");
        const std::int16_t dotted = doc->FindOrAddPen(2, 1, RGB(0, 0, 0), 0, 70);
        const double corners[5][2] = { { 0, 0 }, { 100, 0 }, { 100, -50 }, { 0, -50 }, { 0, 0 } };
        for (int i = 0; i < 4; ++i) {
            CPointD a, b;
            a.Init(corners[i][0], corners[i][1]);
            b.Init(corners[i + 1][0], corners[i + 1][1]);
            doc->AddLine(a, b, layer, dotted);
        }
        doc->ComputeExtents();
        for (CZelkView* view : doc->GetViews())
            view->m_layerStates.SetSize(doc->m_layers.GetSize());
    }
    AfxPrintedFiles().clear();
    CPrintDialogRequest pdf;
    pdf.outputFile = ProgramFolder() + "all*.pdf";
    pdf.paperSize = DMPAPER_A4;
    Ui().SetPrinterDefaults(TRUE, pdf);
    m_app->m_paperName = "A4";
    m_app->m_paperSizeText = "210 x 297";
    Ui().QueueDialog([](IModalSession& s) {
        EXPECT_EQ(s.GetItemText(1197), CString("A4"));
        EXPECT_EQ(s.GetItemText(1198), CString("210 x 297"));
        EXPECT_EQ(s.GetItemText(1199), CString("現在のプリンターの設定で、用紙方向は自動判定して、表示の全図を全域印刷します。"));
        s.Press(1188);
        s.Press(IDOK);
    });
    Command(33115);
    // Two sheets of each drawing.
    EXPECT_EQ(AfxPrintedFiles().size(), 4u);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back(), CString("全ての表示図形の全域印刷が完了しました。"));
    EXPECT_EQ(m_app->m_printAllRunning, 0);

    // Without a printer no view prints.
    Ui().SetPrinterDefaults(FALSE, CPrintDialogRequest());
    Services().m_messages.clear();
    Ui().QueueDialog([](IModalSession& s) { s.Press(IDOK); });
    Command(33115);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back(), CString("印刷が出来なかったデータがあります。"));
}

TEST_F(FileListCommands, PrinterSetupReadsThePaper)
{
    Start();
    CPrintDialogRequest pdf;
    pdf.outputFile = ProgramFolder() + "setup.pdf";
    pdf.paperSize = DMPAPER_A4;
    Ui().SetPrinterDefaults(TRUE, pdf);
    Command(33150);
    EXPECT_EQ(m_app->m_paperSizeText, CString("210 x 297"));
    EXPECT_DOUBLE_EQ(m_app->m_paperSize.m_x, 2100.0);
    EXPECT_DOUBLE_EQ(m_app->m_paperSize.m_y, 2970.0);
    EXPECT_EQ(m_app->m_paperName, CString("A4"));

    Ui().SetPrinterDefaults(FALSE, CPrintDialogRequest());
    Command(33150);
    EXPECT_EQ(m_app->m_paperSizeText, CString(" "));
    EXPECT_EQ(m_app->m_paperName, CString(" "));
    EXPECT_DOUBLE_EQ(m_app->m_paperSize.m_x, 0.0);
    EXPECT_DOUBLE_EQ(m_app->m_paperSize.m_y, 0.0);
}

TEST_F(FileListCommands, FunctionDescriptionFile)
{
    Start();
    // The start gave the program folder the shipped file; the user has since removed it.
    std::filesystem::remove(Fs(ProgramFolder() + "ZelkFunc.txt"));
    const size_t texts = m_app->TextDocs().size();
    Command(33141);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back(), "関数説明ファイル " + ScreenPathText(ProgramFolder() + "ZelkFunc.txt") + " を開けませんでした");

    namespace fs = std::filesystem;
    fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / "ZelkFunc.txt", Fs(ProgramFolder() + "ZelkFunc.txt"));
    Services().m_messages.clear();
    Command(33141);
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(m_app->TextDocs().size(), texts + 1);
    CTextDoc* doc = NewestText();
    EXPECT_EQ(doc->m_ownerDrawing, nullptr);
    const std::vector<CString> lines = Lines(doc);
    EXPECT_NE(std::find(lines.begin(), lines.end(), CString("pow(値, 指数)        べき乗")), lines.end());
}

TEST_F(FileListCommands, LastMacroAndHelpContents)
{
    Start();
    EXPECT_EQ(Update(33134).m_enabled, 0);
    m_app->m_scriptInterpreter->m_commandQueue.Add(nullptr);
    EXPECT_EQ(Update(33134).m_enabled, 1);
    m_app->m_scriptInterpreter->m_queuePosition = 5;
    Command(33134);
    EXPECT_EQ(m_app->m_macroPlaying, 1);
    EXPECT_EQ(m_app->m_scriptInterpreter->m_queuePosition, 0);
    EXPECT_EQ(Update(33134).m_enabled, 0);
    m_app->m_scriptInterpreter->m_commandQueue.RemoveAll();
    m_app->m_macroPlaying = 0;

    Command(33152);
    ASSERT_FALSE(Opened().empty());
    EXPECT_EQ(Opened().back(), ProgramFolder() + "ZelkFree.chm");
}

// The menus with real clicks: the settings menu opens the color dialog, the help menu the
// help contents and the file menu the printer setup.
TEST_F(FileListCommands, MenuItemsByClicks)
{
    Start();
    CMainFrame* frame = m_app->m_pMainFrame;
    UiDriver::ShowAndActivate(frame);
    ASSERT_TRUE(UiDriver::ClickMenuBar(frame, "設定(&S)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("カラー"));
    UiDriver::Pump();
    ASSERT_FALSE(Ui().m_shownDialogs.empty());
    EXPECT_EQ(Ui().m_shownDialogs.back(), 181u);

    ASSERT_TRUE(UiDriver::ClickMenuBar(frame, "ヘルプ(&H)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("HTML Help 目次"));
    UiDriver::Pump();
    ASSERT_FALSE(Opened().empty());
    EXPECT_EQ(Opened().back(), ProgramFolder() + "ZelkFree.chm");

    ASSERT_TRUE(UiDriver::ClickMenuBar(frame, "マクロ(&M)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("オペレーションの記録の開始"));
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_macroRecorder->m_recording, 1);
    EXPECT_EQ(m_app->m_macroRecorder->m_dialogOpen, 1);

    // A list opens as a text window, whose menus then show.
    ASSERT_TRUE(UiDriver::ClickMenuBar(frame, "ヘルプ(&H)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("単位一覧テキストを開く(&U)"));
    UiDriver::Pump();
    ASSERT_NE(NewestText(), nullptr);
    EXPECT_EQ(NewestText()->GetTitle(), CString("UnitList"));
    EXPECT_EQ(Lines(NewestText()).size(), static_cast<size_t>(m_app->m_unitFileLines.GetSize()));
}

// A drawing opened without a menu entry closes without asking; a text file added to the
// active text window follows its lines.
TEST_F(FileListCommands, QuietDrawingAndAddedTextFile)
{
    Start();
    const CString drawing = ProgramFolder() + "quiet.zel";
    WriteSampleDrawing(drawing, "2026/03/04");
    Ui().QueueFiles({ drawing });
    Command(32793);
    CZelkDoc* opened = m_app->FindDrawingDocByPath(drawing);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->m_quietClose, 1);

    Command(32888);
    CTextDoc* text = NewestText();
    ASSERT_NE(text, nullptr);
    CStringArray first;
    first.Add("one");
    text->SetLines(first);
    CStringArray more;
    more.Add("two");
    more.Add("three");
    const CString path = ProgramFolder() + "more.txt";
    ASSERT_EQ(WriteTextFileLines(more, path), 1);
    Ui().QueueFiles({ path });
    Command(32887);
    EXPECT_EQ(Lines(text), (std::vector<CString>{ "one", "two", "three" }));
}

// A library text opens with the drawing beside it, which becomes the active drawing.
TEST_F(FileListCommands, LibraryTextOpensWithItsDrawing)
{
    Start();
    const CString folder = ProgramFolder() + "作図体験ライブラリ\\";
    std::filesystem::create_directories(Fs(folder));
    WriteSampleDrawing(folder + "lesson.zel", "2026/03/05");
    CStringArray steps;
    steps.Add("線分を引きます");
    ASSERT_EQ(WriteTextFileLines(steps, folder + "lesson.txt"), 1);
    Ui().QueueFiles({ folder + "lesson.txt" });
    Command(33109);
    EXPECT_EQ(m_app->m_lastCommandId, 33109);
    CTextDoc* text = NewestText();
    ASSERT_NE(text, nullptr);
    ASSERT_NE(text->m_ownerDrawing, nullptr);
    EXPECT_EQ(text->m_ownerDrawing->m_path, folder + "lesson.zel");
    EXPECT_EQ(Lines(text), (std::vector<CString>{ "線分を引きます" }));
}

// The thick-line switch draws the hint line again; the guidance switch clears it first.
TEST_F(FileListCommands, DisplaySwitchesRedrawTheHintLine)
{
    Start();
    CZelkView* view = m_app->m_activeView;
    ASSERT_NE(view, nullptr);
    m_app->m_appDraw.showHintLine = 1;
    m_app->m_appDraw.penWidthMode = 3;
    m_app->m_hint = "次の点を指示";
    Command(ID_LINE_SLIM);
    EXPECT_EQ(m_app->m_appDraw.penWidthMode, 1);
    EXPECT_EQ(view->m_hintText, CString("次の点を指示"));
    Command(ID_DRAW_MESSAGE);
    EXPECT_EQ(view->m_hintText, CString(""));
    EXPECT_EQ(m_app->m_appDraw.showHintLine, 0);
}

// The about box shows the edition and version and opens the three terms dialogs.
TEST_F(FileListCommands, AboutBox)
{
    Start();
    Ui().m_shownDialogs.clear();
    CString edition, version;
    Ui().QueueDialog([&](IModalSession& s) {
        edition = s.GetItemText(1102);
        version = s.GetItemText(1103);
        s.Press(1104);
        s.Press(1105);
        s.Press(1111);
        s.Press(IDOK);
    });
    Command(57664);
    EXPECT_EQ(edition, CString("ZelkFree"));
    EXPECT_EQ(version, "Ver." + m_app->m_programVersion);
    EXPECT_EQ(Ui().m_shownDialogs, (std::vector<UINT>{ 100, 222, 237, 226 }));
}

} // namespace

// Text windows in the running program: windows from the text template, lines in and out, the
// delayed File Save with its timer, closing, the hand-over of a multi-line input, the keys of a
// training text, the run-file command, printing and the input method.
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroVariable.h"
#include "macro/TextDoc.h"
#include "macro/TextView.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/gdi/RecordingDC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Ime.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiServices.h"
#include "tests/app/QtInput.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/SampleDrawing.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Fs(const CString& path)
{
    return FileSystemPath(path.GetString());
}

std::string Bytes(const CString& path)
{
    std::ifstream in(Fs(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    std::ofstream(Fs(path), std::ios::binary) << bytes;
}

CStringArray Lines(std::initializer_list<const char*> texts)
{
    CStringArray lines;
    for (const char* t : texts)
        lines.Add(t);
    return lines;
}

std::vector<std::string> Std(const CStringArray& lines)
{
    std::vector<std::string> out;
    for (int i = 0; i < lines.GetSize(); ++i)
        out.push_back(lines[i].Std());
    return out;
}

// The application with the input hub's dispatcher recorded.
class CRecordingApp : public CZelkApp {
public:
    struct Dispatch {
        CZelkDoc* doc;
        CZelkView* view;
        int code;
        UINT key;
    };
    BOOL DispatchCommand(CZelkDoc* doc, CZelkView* view, int code) override
    {
        m_dispatched.push_back({ doc, view, code, static_cast<UINT>(m_lastKey) });
        return TRUE;
    }
    std::vector<Dispatch> m_dispatched;
};

class TextWindows : public testing::Test {
protected:
    void SetUp() override
    {
        PrepareProgramFolderForStart();
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        m_app = new CRecordingApp;
        ASSERT_TRUE(m_app->InitInstance());
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    }
    void TearDown() override
    {
        CZelkApp* app = m_app;
        StopApplication(app);
        m_app = nullptr;
    }

    CZelkDoc* Drawing() const
    {
        POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
        return pos ? static_cast<CZelkDoc*>(m_app->m_pDocTemplate->GetNextDoc(pos)) : nullptr;
    }
    static CTextView* ViewOf(CTextDoc* doc) { return static_cast<CTextView*>(doc->Views().at(0)); }
    static CString Text(CTextDoc* doc)
    {
        CString text;
        ViewOf(doc)->GetWindowText(text);
        return text;
    }
    std::vector<CString> Messages() const
    {
        std::vector<CString> texts;
        for (const auto& m : DefaultScriptedServices().m_messages)
            texts.push_back(m.text);
        return texts;
    }
    int CountTextDocs() const
    {
        int n = 0;
        POSITION pos = m_app->m_pTextTemplate->GetFirstDocPosition();
        while (pos) {
            m_app->m_pTextTemplate->GetNextDoc(pos);
            ++n;
        }
        return n;
    }
    // A text window for a file of the program folder, with the given text typed into it.
    CTextDoc* OpenWithText(const char* name, const char* text)
    {
        const CString path = ProgramFolder() + name;
        CTextDoc* doc = m_app->OpenTextDocument(path);
        EXPECT_NE(doc, nullptr);
        if (doc) {
            ViewOf(doc)->SetWindowText(text);
            doc->SetModifiedFlag(TRUE);
        }
        return doc;
    }
    BOOL FireTimer(UINT id) { return DefaultScriptedServices().FireTimer(m_app->m_pMainFrame, id); }
    BOOL TimerActive(UINT id) { return DefaultScriptedServices().IsTimerActive(m_app->m_pMainFrame, id); }

    CRecordingApp* m_app = nullptr;
};

TEST_F(TextWindows, TheTemplateMakesNamedWindowsTiedToTheActiveDrawing)
{
    CZelkDoc* drawing = Drawing();
    ASSERT_NE(drawing, nullptr);
    ASSERT_NE(m_app->m_activeView, nullptr);
    CTextDoc* first = m_app->NewTextDocument(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_path, m_app->m_appPath.m_dataFolder + "NewText.txt");
    EXPECT_EQ(first->GetTitle(), first->m_path);
    EXPECT_EQ(first->m_ownerDrawing, m_app->m_activeView->m_document);
    ASSERT_EQ(first->Views().size(), 1u);
    EXPECT_NE(dynamic_cast<CTextView*>(first->Views()[0]), nullptr);
    EXPECT_EQ(m_app->m_textViews.GetSize(), 1);

    struct Case {
        int kind;
        CString path;
    };
    const Case cases[] = {
        { 0, m_app->m_appPath.m_dataFolder + "NewText02.txt" },
        { 1, m_app->m_appPath.m_macroFolder + "macro03.txt" },
        { 0, m_app->m_appPath.m_dataFolder + "NewText03.txt" },
    };
    for (const Case& c : cases) {
        CTextDoc* doc = m_app->NewTextDocument(c.kind);
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->m_path, c.path);
    }
    EXPECT_EQ(CountTextDocs(), 4);

    // A text window brings its own menu: its print and macro commands.
    UiDriver::Pump();
    const std::vector<CString> titles = UiDriver::MenuBarLabels(m_app->m_pMainFrame);
    EXPECT_NE(std::find(titles.begin(), titles.end(), CString("マクロ(&M)")), titles.end());
}

TEST_F(TextWindows, LinesGoInAndComeBackOut)
{
    CTextDoc* doc = m_app->NewTextDocument(0);
    ASSERT_NE(doc, nullptr);
    const CStringArray lines = Lines({ "ZelkMacro001", "", "寸法 = 10 mm", "  indented" });
    ASSERT_EQ(doc->SetLines(lines), 1);
    EXPECT_EQ(Text(doc), "ZelkMacro001\r\n\r\n寸法 = 10 mm\r\n  indented\r\n");
    EXPECT_FALSE(fs::exists(Fs(m_app->m_appPath.m_workFolder + "ZelkTemp.txt")));
    EXPECT_TRUE(doc->HasText());
    CStringArray back;
    ASSERT_EQ(doc->GetLines(back), 1);
    EXPECT_EQ(Std(back), Std(lines));

    // The raw text of the edit control, as lines.
    const std::string longLine(1030, 'x');
    struct Case {
        std::string text;
        std::vector<std::string> lines;
        bool overflow;
    };
    const Case cases[] = {
        { "\r\n\r\n", { "", "" }, false },
        { "last line without end", { "last line without end" }, false },
        { "a\r\nb", { "a", "b" }, false },
        { longLine.substr(0, 1023) + "abcdefg\r\nnext", { "abcdefg", "next" }, true },
        { std::string(1030, 'y'), { "yyyyyyy" }, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 30));
        DefaultScriptedServices().m_messages.clear();
        ViewOf(doc)->SetWindowText(c.text.c_str());
        CStringArray got;
        ASSERT_EQ(doc->GetLines(got), 1);
        EXPECT_EQ(Std(got), c.lines);
        if (c.overflow)
            EXPECT_EQ(Messages(), std::vector<CString>{ "文字列が1023文字以上のための読み取りエラーがありました" });
        else
            EXPECT_TRUE(Messages().empty());
    }

    ASSERT_EQ(doc->SetLines(CStringArray()), 1);
    EXPECT_FALSE(doc->HasText());
}

TEST_F(TextWindows, AWorkFolderThatCannotBeWrittenLeavesTheTextAsItWas)
{
    CTextDoc* doc = m_app->NewTextDocument(0);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->SetLines(Lines({ "kept" })), 1);
    m_app->m_appPath.m_workFolder = ProgramFolder() + "missing\\";
    EXPECT_EQ(doc->SetLines(Lines({ "lost" })), 0);
    EXPECT_EQ(Messages(), std::vector<CString>{ "作業ファイルの書き出しができませんでした" });
    EXPECT_EQ(Text(doc), "kept\r\n");
}

TEST_F(TextWindows, TheCountdownShowsTheEndOfALongPath)
{
    // A path of 39 single-byte characters keeps its last 35 bytes behind "･･･".
    const CString folder = ProgramFolder();
    ASSERT_LT(folder.GetLength(), 30);
    const CString path = folder + CString(std::string(39 - folder.GetLength() - 4, 'p').c_str()) + ".txt";
    ASSERT_EQ(path.GetLength(), 39);
    CTextDoc* doc = m_app->OpenTextDocument(path);
    ASSERT_NE(doc, nullptr);
    doc->OnFileSave();
    const auto& notices = DefaultScriptedUiServices().m_modeless;
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].templateId, 252u);
    ASSERT_EQ(notices[0].texts.size(), 4u);
    EXPECT_EQ(notices[0].texts[0], "1.5");
    EXPECT_EQ(notices[0].texts[1], "秒後にファイルを上書きします。");
    EXPECT_EQ(notices[0].texts[2], "中止する場合は ESC キーを押してください。");
    EXPECT_EQ(notices[0].texts[3], "･･･" + path.Right(35));
    EXPECT_TRUE(notices[1].destroyed);
}

TEST_F(TextWindows, FileSaveWritesWhenItsTimerFires)
{
    m_app->m_backupOnSave = 1;
    const CString path = ProgramFolder() + "notes.txt";
    WriteBytes(path, "old\r\n");
    CTextDoc* doc = OpenWithText("notes.txt", "first\r\n二行目\r\n");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(m_app->m_saveNoticeTime, 1500);
    PressControlKey(ViewOf(doc), 'S');
    // Counting down: nothing written yet, the save pending, the next pause shorter.
    EXPECT_EQ(Bytes(path), "old\r\n");
    EXPECT_TRUE(m_app->m_savePending);
    EXPECT_EQ(m_app->m_pendingTextDoc, doc);
    EXPECT_EQ(m_app->m_saveNoticeTime, 1000);
    EXPECT_EQ(m_app->m_modifiedBeforeSave, 1);
    EXPECT_TRUE(TimerActive(19));
    EXPECT_EQ(DefaultScriptedServices().m_sleeps.front(), 1500u);
    EXPECT_EQ(m_app->m_appPath.m_recentTextFolders[0], ProgramFolder());

    ASSERT_TRUE(FireTimer(19));
    EXPECT_FALSE(TimerActive(19));
    const auto& notices = DefaultScriptedUiServices().m_modeless;
    ASSERT_EQ(notices.size(), 4u);
    EXPECT_EQ(notices[2].texts, (std::vector<CString>{ "上書き保存" }));
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, (std::vector<DWORD>{ 1500, 500 }));
    EXPECT_EQ(Bytes(path), "first\r\n二行目\r\n");
    EXPECT_EQ(Bytes(ProgramFolder() + "notes-Back.txt"), "old\r\n");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(m_app->m_savePending);
    EXPECT_EQ(m_app->m_pendingTextDoc, nullptr);
    EXPECT_EQ((*m_app->m_pRecentFileList)[0], path);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TextWindows, FileSaveRefusesWhatIsNotTxtOrCsv)
{
    const CString path = ProgramFolder() + "letter.doc";
    WriteBytes(path, "word processor file");
    CTextDoc* doc = OpenWithText("letter.doc", "plain text");
    ASSERT_NE(doc, nullptr);
    doc->OnFileSave();
    ASSERT_TRUE(FireTimer(19));
    EXPECT_EQ(Messages(), std::vector<CString>{ "ドキュメントの拡張子が txt / csv ではないので書き出しを中止しました" });
    EXPECT_EQ(Bytes(path), "word processor file");
    EXPECT_FALSE(m_app->m_savePending);
    EXPECT_EQ(m_app->m_pendingTextDoc, nullptr);
}

TEST_F(TextWindows, EscapeDuringTheCountdownWritesNothing)
{
    const CString path = ProgramFolder() + "draft.txt";
    WriteBytes(path, "before\r\n");
    CTextDoc* doc = OpenWithText("draft.txt", "after");
    ASSERT_NE(doc, nullptr);
    CTextView* view = ViewOf(doc);
    view->SetFocus();
    UiDriver::Pump();
    doc->OnFileSave();
    EXPECT_FALSE(doc->IsModified());
    // The user is back in the text window when the notice has gone.
    UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    view->SetFocus();
    UiDriver::Pump();
    UiDriver::Key(VK_ESCAPE);
    const auto& notices = DefaultScriptedUiServices().m_modeless;
    ASSERT_EQ(notices.size(), 4u);
    EXPECT_EQ(notices[2].texts, (std::vector<CString>{ "保存中止" }));
    EXPECT_FALSE(TimerActive(19));
    EXPECT_FALSE(m_app->m_savePending);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(FireTimer(19));
    EXPECT_EQ(Bytes(path), "before\r\n");
    // The edit control never saw the key.
    EXPECT_EQ(Text(doc), "after");
}

TEST_F(TextWindows, ClosingAsksOnlyForAFreeWindowAndNeverDuringASave)
{
    CTextDoc* listing = m_app->NewTextDocument(0);
    ASSERT_NE(listing, nullptr);
    ASSERT_NE(listing->m_ownerDrawing, nullptr);
    listing->SetLines(Lines({ "listing" }));
    EXPECT_TRUE(listing->IsModified());
    EXPECT_TRUE(listing->SaveModified());
    EXPECT_TRUE(Messages().empty());

    CTextDoc* free = OpenWithText("free.txt", "changed");
    ASSERT_NE(free, nullptr);
    free->ClearDrawingLink();
    DefaultScriptedServices().QueueAnswer(IDCANCEL);
    EXPECT_FALSE(free->SaveModified());
    EXPECT_EQ(Messages().size(), 1u);

    // A window whose save is pending stays.
    const int before = CountTextDocs();
    free->OnFileSave();
    free->OnFileClose();
    free->OnCloseDocument();
    EXPECT_EQ(CountTextDocs(), before);
    ASSERT_TRUE(FireTimer(19));
    EXPECT_EQ(Bytes(ProgramFolder() + "free.txt"), "changed");
    free->OnFileClose();
    EXPECT_EQ(CountTextDocs(), before - 1);
}

TEST_F(TextWindows, AMultiLineInputWindowHandsItsLinesToItsDrawing)
{
    CZelkDoc* drawing = Drawing();
    ASSERT_NE(drawing, nullptr);
    m_app->m_appElem.m_layerCondition = 2;
    // An empty numbered layer would be taken again: the one there has a name of its own.
    drawing->GetLayer(0)->m_name = "walls";
    const int layers = drawing->m_layers.GetSize();
    m_app->m_boxSelectionStep = 3;
    m_app->m_appText.m_mask = 0x10;
    CTextDoc* input = m_app->NewTextDocument(0);
    ASSERT_NE(input, nullptr);
    input->m_ownerDrawing = drawing;
    input->m_multiLineInput = 1;
    input->SetLines(Lines({ "一行目", "second" }));
    const int before = CountTextDocs();
    input->OnCloseDocument();
    EXPECT_EQ(CountTextDocs(), before - 1);
    EXPECT_TRUE(Messages().empty());

    EXPECT_EQ(Std(drawing->m_multiLineTexts), (std::vector<std::string>{ "一行目", "second" }));
    EXPECT_EQ(drawing->m_layers.GetSize(), layers + 1);
    EXPECT_EQ(drawing->m_writeLayer, layers);
    CGroupProcessor* group = m_app->m_groupProcessor;
    EXPECT_EQ(group->m_document, drawing);
    EXPECT_EQ(group->modePattern, "MP");
    EXPECT_EQ(group->m_elemSet.texts.GetSize(), 2);
    EXPECT_EQ(group->m_elemSet.angle, 0.0);
    EXPECT_EQ(group->m_lastInputKind, 14);
    EXPECT_EQ(group->m_lastInputSubCode, 32);
    EXPECT_EQ(m_app->m_boxSelectionStep, 0);
    EXPECT_EQ(m_app->m_appText.m_mask, 0u);

    // Without lines the window only closes.
    CTextDoc* empty = m_app->NewTextDocument(0);
    ASSERT_NE(empty, nullptr);
    empty->m_ownerDrawing = drawing;
    empty->m_multiLineInput = 1;
    group->Reset(1);
    empty->OnCloseDocument();
    EXPECT_EQ(drawing->m_multiLineTexts.GetSize(), 0);
    EXPECT_EQ(group->m_elemSet.texts.GetSize(), 0);
    EXPECT_EQ(group->m_document, nullptr);
}

TEST_F(TextWindows, ATrainingTextSendsItsLetterKeysToTheDrawing)
{
    const CString folder = ProgramFolder() + "作図体験ライブラリ";
    fs::create_directories(Fs(folder));
    CZelkView* drawingView = m_app->m_activeView;
    ASSERT_NE(drawingView, nullptr);
    CTextDoc* doc = m_app->OpenTextDocument(folder + "\\lesson.txt");
    ASSERT_NE(doc, nullptr);
    ViewOf(doc)->SetWindowText("read only");
    ViewOf(doc)->SetFocus();
    UiDriver::Pump();
    // The text window's activation leaves the drawing view as the one its keys act on.
    m_app->m_activeView = drawingView;

    UiDriver::Key('A');
    ASSERT_EQ(m_app->m_dispatched.size(), 1u);
    EXPECT_EQ(m_app->m_dispatched[0].key, 0x41u);
    EXPECT_EQ(m_app->m_dispatched[0].code, 7);
    EXPECT_EQ(m_app->m_dispatched[0].view, drawingView);
    EXPECT_EQ(m_app->m_dispatched[0].doc, drawingView->m_document);
    UiDriver::Key('1');
    EXPECT_EQ(m_app->m_dispatched.size(), 1u);
    EXPECT_EQ(Text(doc), "read only");
}

TEST_F(TextWindows, TheRunFileCommandRunsAChosenMacroOnTheDrawing)
{
    const CString file = ProgramFolder() + "run.txt";
    WriteBytes(file, "ZelkMacro001\r\nrunval = 42\r\n");
    CTextDoc* doc = m_app->NewTextDocument(0);
    ASSERT_NE(doc, nullptr);
    const CString macroFolder = m_app->m_appPath.m_initialMacroFolder;
    DefaultScriptedUiServices().QueueFiles({ file });
    ViewOf(doc)->SendMessage(WM_COMMAND, ID_MACRO_RUN_TEXT_FILE, 0);
    ASSERT_EQ(DefaultScriptedUiServices().m_shownFileDialogs.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownFileDialogs[0].initialDir, macroFolder);
    const int index = CMacroInterpreter::FindVariable("runval");
    ASSERT_GE(index, 0);
    EXPECT_EQ(static_cast<const CMacroVariable*>(m_app->m_variableTable[index])->value, 42.0);

    // A file that cannot be read is named in a message box.
    const CString missing = ProgramFolder() + "missing.txt";
    DefaultScriptedUiServices().QueueFiles({ missing });
    ViewOf(doc)->SendMessage(WM_COMMAND, ID_MACRO_RUN_TEXT_FILE, 0);
    EXPECT_EQ(Messages().back(), ScreenPathText(missing + " はオープンできませんでした"));
}

TEST_F(TextWindows, PrintingScalesOneFontToThePage)
{
    CTextDoc* doc = m_app->NewTextDocument(0);
    ASSERT_NE(doc, nullptr);
    const double h0 = 76.19047619047619;
    struct Case {
        std::string text;
        double scale;
        int width;
        int height;
        double h;
    };
    const Case cases[] = {
        { "short\r\nlines\r\n", 1.0, 4000, 6000, h0 },
        { "\r\n\r\n\r\n", 2.0, 4000, 6000, 2 * h0 },
        // Too wide: 100 columns of 38.1 and the margin pass 3000.
        { std::string(100, 'w') + "\r\n", 1.0, 3000, 6000, (3000 - 595.2380952380952) / 100 * 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        ViewOf(doc)->SetWindowText(c.text.c_str());
        CStringArray lines;
        doc->GetLines(lines);
        m_app->m_textPrintScale = c.scale;
        CRecordingDC dc;
        CPrintInfo info;
        info.m_rectDraw.SetRect(0, 0, c.width, c.height);
        ViewOf(doc)->OnPrint(&dc, &info);
        std::vector<std::string> expected;
        expected.push_back("SelectFont(" + std::to_string(-static_cast<int>(c.h)) + ",0,0,400,128,\"ＭＳ ゴシック\")");
        expected.push_back("SetTextColor(RGB(0,0,0))");
        expected.push_back("SetTextAlign(24)");
        expected.push_back("SetBkMode(1)");
        for (int i = 0; i < lines.GetSize(); ++i) {
            const int y = static_cast<int>(i * 1.25 * c.h + c.h + 238.09523809523807);
            expected.push_back("TextOut(357," + std::to_string(y) + ",\"" + lines[i].Std() + "\")");
        }
        std::vector<std::string> calls = dc.Calls();
        calls.resize(std::min(calls.size(), expected.size()));
        EXPECT_EQ(calls, expected);
    }

    // Many lines: the height test lowers h after the width test.
    std::string many;
    for (int i = 0; i < 60; ++i)
        many += "line\r\n";
    ViewOf(doc)->SetWindowText(many.c_str());
    m_app->m_textPrintScale = 1.0;
    CRecordingDC dc;
    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, 4000, 3000);
    ViewOf(doc)->OnPrint(&dc, &info);
    const double h = (3000 - 476.19047619047615) / 60 * 0.8;
    ASSERT_FALSE(dc.Calls().empty());
    EXPECT_EQ(dc.Calls()[0], "SelectFont(" + std::to_string(-static_cast<int>(h)) + ",0,0,400,128,\"ＭＳ ゴシック\")");
}

TEST_F(TextWindows, TheInputMethodFollowsTheFocusBetweenDrawingAndText)
{
    CZelkView* drawingView = m_app->m_activeView;
    ASSERT_NE(drawingView, nullptr);
    CTextDoc* doc = m_app->NewTextDocument(0);
    ASSERT_NE(doc, nullptr);
    CTextView* view = ViewOf(doc);
    CZelkDoc* drawing = drawingView->m_document;

    // Opened in the text window: remembered for the drawing and closed when the focus leaves.
    m_app->m_activeView = drawingView;
    HIMC context = ImmGetContext(view->m_hWnd);
    ASSERT_NE(context, nullptr);
    ImmSetOpenStatus(context, TRUE);
    view->SendMessage(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(drawing->m_textCmd->m_imeOpen, 1);
    EXPECT_FALSE(ImmGetOpenStatus(context));

    // Back in a text window, it opens again.
    view->OnActivateView(TRUE, view, nullptr);
    EXPECT_EQ(m_app->m_activeTextView, view);
    EXPECT_EQ(drawingView->m_active, 0);
    EXPECT_TRUE(ImmGetOpenStatus(context));
    drawing->m_textCmd->m_imeOpen = 0;
    ImmSetOpenStatus(context, FALSE);
    view->OnActivateView(TRUE, view, nullptr);
    EXPECT_FALSE(ImmGetOpenStatus(context));
    ImmReleaseContext(view->m_hWnd, context);
}

}  // namespace

namespace {

TEST_F(TextWindows, TextFilesOpenOnceAndLoadBelowWhatIsThere)
{
    const CString path = ProgramFolder() + "list.txt";
    WriteBytes(path, "third\r\nfourth\r\n");
    CTextDoc* doc = m_app->OpenTextDocument(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetTitle(), path);
    EXPECT_EQ(doc->m_fileTitle, "list");
    EXPECT_EQ(doc->m_ownerDrawing, m_app->m_activeView->m_document);
    EXPECT_EQ(m_app->m_appPath.m_recentTextFolders[0], ProgramFolder());
    doc->SetLines(Lines({ "first", "second" }));
    ASSERT_NE(m_app->LoadTextFile(doc, path), 0);
    CStringArray lines;
    doc->GetLines(lines);
    EXPECT_EQ(Std(lines), (std::vector<std::string>{ "first", "second", "third", "fourth" }));
    EXPECT_EQ(m_app->LoadTextFile(doc, ProgramFolder() + "missing.txt"), 0);

    EXPECT_EQ(m_app->OpenTextDocument(path), nullptr);
    EXPECT_EQ(Messages(), std::vector<CString>{ ScreenPathText(path + " はすでに開かれています") });

    // The dialog cancelled: the message line says so.
    EXPECT_EQ(m_app->OpenTextFileWithDialog(0), nullptr);
    EXPECT_EQ(m_app->m_lastMessage, "テキストファイルはオープンできませんでした");
    // Chosen: opened and loaded, the folder remembered for the next open.
    const CString other = ProgramFolder() + "texts\\b.csv";
    fs::create_directories(Fs(ProgramFolder() + "texts"));
    WriteBytes(other, "1,2\r\n");
    DefaultScriptedUiServices().QueueFiles({ other });
    CTextDoc* opened = m_app->OpenTextFileWithDialog(0);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(Text(opened), "1,2\r\n");
    EXPECT_EQ(DefaultScriptedUiServices().m_shownFileDialogs.back().filter.Left(9), "ﾃｷｽﾄﾌｧｲﾙ,");
    EXPECT_EQ(m_app->m_appPath.m_initialTextFolder, ProgramFolder() + "texts\\");
}

TEST_F(TextWindows, SaveAsWritesTheChosenFileAndAFailedOneChangesNothing)
{
    CTextDoc* doc = OpenWithText("first.txt", "text\r\n");
    ASSERT_NE(doc, nullptr);
    const CString chosen = ProgramFolder() + "second.csv";
    DefaultScriptedUiServices().QueueFiles({ chosen });
    EXPECT_EQ(doc->SaveAs(), 1);
    EXPECT_EQ(Bytes(chosen), "text\r\n");
    EXPECT_EQ(doc->m_path, chosen);
    EXPECT_EQ(doc->GetTitle(), chosen);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ((*m_app->m_pRecentFileList)[0], chosen);

    // A file that may not be written keeps its content, and the window its file.
    const CString locked = ProgramFolder() + "locked.txt";
    WriteBytes(locked, "locked\r\n");
    fs::permissions(Fs(locked), fs::perms::owner_read);
    doc->SetModifiedFlag(TRUE);
    DefaultScriptedUiServices().QueueFiles({ locked });
    EXPECT_EQ(doc->SaveAs(), 0);
    EXPECT_EQ(Bytes(locked), "locked\r\n");
    EXPECT_EQ(doc->m_path, chosen);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Messages().back(), ScreenPathText(locked + " はオープンできませんでした"));

    // The delayed write to it fails the same way and leaves the old file.
    doc->m_path = locked;
    doc->OnFileSave();
    ASSERT_TRUE(FireTimer(19));
    EXPECT_EQ(Bytes(locked), "locked\r\n");
    EXPECT_EQ(Messages().back(), ScreenPathText(locked + " はオープンできませんでした"));
    EXPECT_FALSE(m_app->m_savePending);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(TextWindows, ClosingTheProgramWritesAPendingText)
{
    const CString path = ProgramFolder() + "pending.txt";
    CTextDoc* doc = OpenWithText("pending.txt", "kept on exit\r\n");
    ASSERT_NE(doc, nullptr);
    doc->OnFileSave();
    EXPECT_FALSE(fs::exists(Fs(path)));
    m_app->m_pMainFrame->SendMessage(WM_CLOSE, 0, 0);
    EXPECT_EQ(Bytes(path), "kept on exit\r\n");
    EXPECT_EQ(CountTextDocs(), 0);
}

TEST_F(TextWindows, ALibraryTextOpensWithTheDrawingBesideIt)
{
    const CString folder = ProgramFolder() + "作図体験ライブラリ\\";
    fs::create_directories(Fs(folder));
    WriteSampleDrawing(folder + "a.zel", "2026/12/10");
    WriteBytes(folder + "a.txt", "lesson\r\n");
    ASSERT_NE(Drawing(), nullptr);
    ASSERT_FALSE(Drawing()->HasData());

    DefaultScriptedUiServices().QueueFiles({ folder + "a.txt" });
    CTextDoc* text = m_app->OpenTextFileWithDialog(1);
    ASSERT_NE(text, nullptr);
    // The empty drawing gave way to the library's.
    std::vector<CZelkDoc*> drawings;
    POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
    while (pos)
        drawings.push_back(static_cast<CZelkDoc*>(m_app->m_pDocTemplate->GetNextDoc(pos)));
    ASSERT_EQ(drawings.size(), 1u);
    EXPECT_EQ(drawings[0]->m_path, folder + "a.zel");
    EXPECT_TRUE(drawings[0]->HasData());
    EXPECT_NE(drawings[0]->m_fileTime, 0);
    EXPECT_EQ(text->m_ownerDrawing, drawings[0]);
    EXPECT_EQ(Text(text), "lesson\r\n");
}

TEST_F(TextWindows, AGuideOrLibraryTextReusesOneWindowBesideItsDrawing)
{
    const CString folder = ProgramFolder() + "作図体験ライブラリ\\";
    fs::create_directories(Fs(folder));
    WriteSampleDrawing(folder + "b.zel", "2026/12/10");
    WriteBytes(folder + "b.txt", "step one\r\n");
    WriteBytes(folder + "c.txt", "step two\r\n");

    DefaultScriptedUiServices().QueueFiles({ folder + "b.txt" });
    m_app->OpenTextWithDrawing();
    ASSERT_EQ(CountTextDocs(), 1);
    POSITION pos = m_app->m_pTextTemplate->GetFirstDocPosition();
    auto* text = static_cast<CTextDoc*>(m_app->m_pTextTemplate->GetNextDoc(pos));
    EXPECT_EQ(text->m_path, folder + "b.txt");
    EXPECT_EQ(text->m_fileTitle, "b.txt");
    EXPECT_EQ(Text(text), "step one\r\n");
    ASSERT_NE(text->m_ownerDrawing, nullptr);
    EXPECT_EQ(text->m_ownerDrawing->m_path, folder + "b.zel");
    EXPECT_TRUE(text->m_ownerDrawing->HasData());

    // The next library text takes the same window; without a drawing of its name the drawing
    // is emptied for it.
    DefaultScriptedUiServices().QueueFiles({ folder + "c.txt" });
    m_app->OpenTextWithDrawing();
    EXPECT_EQ(CountTextDocs(), 1);
    EXPECT_EQ(text->m_path, folder + "c.txt");
    EXPECT_EQ(Text(text), "step two\r\n");

    // A guide text opens a window of its own.
    WriteBytes(folder + "ReadMe.txt", "guide\r\n");
    DefaultScriptedUiServices().QueueFiles({ folder + "ReadMe.txt" });
    m_app->OpenTextWithDrawing();
    EXPECT_EQ(CountTextDocs(), 2);
}

}  // namespace

// A macro typed into a text window and run from its menu: the results come back in a new macro
// window, each named by the dimension of what it computed, and the line of a refused assignment
// without a result.
TEST_F(TextWindows, AMacroRunFromTheMenuWritesItsResultsBack)
{
    CTextDoc* doc = m_app->NewTextDocument(0);
    ASSERT_NE(doc, nullptr);
    ViewOf(doc)->SetWindowText("fx = 5kg * 9.8m / 1sec / 1sec\r\ne = 5\r\n");
    UiDriver::Pump();
    const int before = CountTextDocs();
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_app->m_pMainFrame, "マクロ(&M)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("テキストの解釈(&A)"));
    UiDriver::Pump();
    EXPECT_EQ(Messages(), std::vector<CString>{ "定数 e に値を代入しようとしました" });
    ASSERT_EQ(CountTextDocs(), before + 1);
    CTextDoc* results = nullptr;
    POSITION pos = m_app->m_pTextTemplate->GetFirstDocPosition();
    while (pos)
        results = static_cast<CTextDoc*>(m_app->m_pTextTemplate->GetNextDoc(pos));
    ASSERT_NE(results, doc);
    EXPECT_EQ(results->m_kind, 1);
    CStringArray lines;
    results->GetLines(lines);
    EXPECT_EQ(Std(lines), (std::vector<std::string>{ "fx = 5kg * 9.8m / 1sec / 1sec = 4.9e-2kN", "e = 5" }));
}

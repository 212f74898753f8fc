// Replace printing in its trial run: data files fill the mark texts sheet by sheet, each sheet one
// undo step; the data rules of text and CSV files; the refusals and the continuation question.
#include "ViewTestSupport.h"

#include "document/UndoHistory.h"
#include "elements/Texts.h"
#include "platform/core/ProgramFolder.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiServices.h"
#include "tests/support/UiDriver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// A PDF page as an independent tool rasterises it (gray, no smoothing): its PGM bytes after
// the header, empty when the tool fails.
std::string PdfPixels(const fs::path& pdf)
{
    const fs::path out = pdf.parent_path() / (pdf.stem().string() + "-raster");
    const std::string command = "pdftoppm -r 100 -aa no -aaVector no -gray -singlefile '" + pdf.string() + "' '" +
                                out.string() + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    std::ifstream in(out.string() + ".pgm", std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    std::string pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), '\0');
    in.read(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return magic == "P5" && in ? pixels : std::string();
}

class ViewReplacePrint : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        DefaultScriptedUiServices().Reset();
        AfxResetPrinterOrientation();
        m_dir = fs::path(std::getenv("ZELK_HOME")) / "replace";
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        View().m_layerStates.SetSize(Doc().m_layers.GetSize());
        m_app->m_printOption2 = 10;
        LOGFONT font{};
        std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "Sans");
        font.lfHeight = -8;
        m_font = Doc().FindOrAddFont(font, 0, 50, 1, 0.0);
    }
    void TearDown() override
    {
        DefaultScriptedUiServices().Reset();
        AfxResetPrinterOrientation();
        ViewFixture::TearDown();
    }
    void AddMark(const char* mark, double x, double y)
    {
        Doc().AddText(W(x, y), mark, RGB(0, 0, 0), 8, 0, m_font);
    }
    // Three labels of two marks each: @NAME at x 10, @CITY at x 50, 10 apart downward.
    void AddThreeLabels()
    {
        for (int k = 0; k < 3; ++k) {
            AddMark("@NAME", 10, -10.0 * (k + 1));
            AddMark("@CITY", 50, -10.0 * (k + 1));
        }
    }
    // The data file chosen in the file dialog.
    void ChooseData(const char* name, const std::string& contents)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << contents;
        DefaultScriptedUiServices().QueueFiles({ProgramPath(path.string())});
    }
    // The live texts by their place (x, then y).
    std::map<std::pair<double, double>, std::string> Texts()
    {
        std::map<std::pair<double, double>, std::string> out;
        for (int b = 0; b < Doc().m_textBlocks.GetSize(); ++b) {
            CTexts* block = Doc().TextBlockAt(b);
            for (int s = 0; s < block->m_count; ++s) {
                const CText& t = block->m_slots[s];
                if (t.m_state & 3)
                    out[{t.m_point.m_x, t.m_point.m_y}] = static_cast<const char*>(t.m_text);
            }
        }
        return out;
    }
    std::vector<CString> Boxes() const
    {
        std::vector<CString> out;
        for (const auto& m : DefaultScriptedServices().m_messages)
            out.push_back(m.text);
        return out;
    }

    fs::path m_dir;
    std::int16_t m_font = 0;
};

// Three labels on a sheet and six records make two sheets; the trial waits a second for each,
// leaves the last sheet's values and steps back one sheet per UNDO.
TEST_F(ViewReplacePrint, TrialFillsSheetsThatUndoStepsBack)
{
    AddThreeLabels();
    ChooseData("labels.txt", "@NAME\t@CITY\r\nn1\tc1\r\nn2\tc2\r\n// a note\r\n\r\nn3\tc3\r\nn4\tc4\r\nn5\tc5\r\nn6\tc6\r\n");
    const int stepsBefore = Doc().m_undoHistory->GetStepCount();
    View().RunReplacePrinting(0);
    EXPECT_EQ(Boxes(), std::vector<CString>{"置換印刷では、部数を 1 ととするのが標準です"});
    EXPECT_EQ(m_app->m_lastMessage, CString("2 回の試し置換が完了しましたので、UNDOで初期画面に戻ってください"));
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, (std::vector<DWORD>{1000, 1000}));
    using T = std::map<std::pair<double, double>, std::string>;
    EXPECT_EQ(Texts(), (T{{{10, -10}, "n4"}, {{10, -20}, "n5"}, {{10, -30}, "n6"},
                          {{50, -10}, "c4"}, {{50, -20}, "c5"}, {{50, -30}, "c6"}}));
    EXPECT_EQ(Doc().m_undoHistory->GetStepCount(), stepsBefore + 2);
    Doc().m_undoHistory->Undo();
    EXPECT_EQ(Texts(), (T{{{10, -10}, "n1"}, {{10, -20}, "n2"}, {{10, -30}, "n3"},
                          {{50, -10}, "c1"}, {{50, -20}, "c2"}, {{50, -30}, "c3"}}));
    Doc().m_undoHistory->Undo();
    EXPECT_EQ(Texts(), (T{{{10, -10}, "@NAME"}, {{10, -20}, "@NAME"}, {{10, -30}, "@NAME"},
                          {{50, -10}, "@CITY"}, {{50, -20}, "@CITY"}, {{50, -30}, "@CITY"}}));
}

// Data that end inside a sheet: the sheet is finished with its remaining labels emptied and
// counted; a mark's occurrences past the thirtieth are never filled and keep their mark text.
TEST_F(ViewReplacePrint, AShortLastSheetIsFinishedEmptyAndMarksPastTheThirtiethStay)
{
    using T = std::map<std::pair<double, double>, std::string>;
    AddThreeLabels();
    ChooseData("four.txt", "@NAME\t@CITY\r\nn1\tc1\r\nn2\tc2\r\nn3\tc3\r\nn4\tc4\r\n");
    const int stepsBefore = Doc().m_undoHistory->GetStepCount();
    View().RunReplacePrinting(0);
    EXPECT_EQ(m_app->m_lastMessage, CString("2 回の試し置換が完了しましたので、UNDOで初期画面に戻ってください"));
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, (std::vector<DWORD>{1000, 1000}));
    EXPECT_EQ(Texts(), (T{{{10, -10}, "n4"}, {{50, -10}, "c4"}}));
    EXPECT_EQ(Doc().m_undoHistory->GetStepCount(), stepsBefore + 2);

    for (int b = 0; b < Doc().m_textBlocks.GetSize(); ++b)
        for (int t = 0; t < Doc().TextBlockAt(b)->m_count; ++t)
            Doc().TextBlockAt(b)->m_slots[t].m_state = 8;
    for (int k = 0; k < 31; ++k)
        AddMark("@NAME", 10, -10.0 * (k + 1));
    DefaultScriptedServices().m_sleeps.clear();
    ChooseData("one.txt", "@NAME\t@CITY\r\nv1\tx1\r\n");
    View().RunReplacePrinting(0);
    EXPECT_EQ(m_app->m_lastMessage, CString("1 回の試し置換が完了しましたので、UNDOで初期画面に戻ってください"));
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, (std::vector<DWORD>{1000}));
    EXPECT_EQ(Texts(), (T{{{10, -10}, "v1"}, {{10, -310}, "@NAME"}}));
}

// Services that note, at each message box and each pause, whether the wait cursor showed.
class CCursorNotingServices : public CScriptedServices {
public:
    int MessageBox(const CString& text, const CString& caption, UINT type) override
    {
        m_atBoxes.push_back(UiDriver::WaitCursorShown());
        return CScriptedServices::MessageBox(text, caption, type);
    }
    void Sleep(DWORD milliseconds) override
    {
        m_atSleeps.push_back(UiDriver::WaitCursorShown());
        CScriptedServices::Sleep(milliseconds);
    }
    std::vector<BOOL> m_atBoxes;
    std::vector<BOOL> m_atSleeps;
};

struct InstalledServices {
    explicit InstalledServices(IPlatformServices* s) { SetServices(s); }
    ~InstalledServices() { SetServices(nullptr); }
};

// The wait cursor shows from the data file's reading to the run's end, the note on copies and
// every sheet's pause included, and goes when the run ends, finished or refused.
TEST_F(ViewReplacePrint, TheWaitCursorShowsWhileTheRunWorks)
{
    CCursorNotingServices services;
    InstalledServices installed(&services);
    AddMark("@NAME", 10, -10);
    ChooseData("labels.txt", "@NAME\r\nn1\r\nn2\r\n");
    ASSERT_FALSE(UiDriver::WaitCursorShown());
    View().RunReplacePrinting(0);
    EXPECT_EQ(m_app->m_lastMessage, CString("2 回の試し置換が完了しましたので、UNDOで初期画面に戻ってください"));
    EXPECT_EQ(services.m_atBoxes, std::vector<BOOL>{TRUE});
    EXPECT_EQ(services.m_atSleeps, (std::vector<BOOL>{TRUE, TRUE}));
    EXPECT_FALSE(UiDriver::WaitCursorShown());

    // A text file without a TAB whose mark the drawing lacks: refused with a box, under the
    // cursor, which then goes.
    services.m_atBoxes.clear();
    ChooseData("other.txt", "@NONE\r\nx\r\n");
    View().RunReplacePrinting(0);
    ASSERT_EQ(services.m_messages.size(), 3u);
    EXPECT_EQ(services.m_messages.back().text, CString("txtファイルに[TAB]区切りが見つかりません"));
    EXPECT_EQ(services.m_atBoxes, (std::vector<BOOL>{TRUE, TRUE}));
    EXPECT_FALSE(UiDriver::WaitCursorShown());
}

// A view that notes, for each page it prints, the live texts of the drawing at that moment.
class CPageNotingView : public CRecordedView {
public:
    std::vector<std::vector<std::string>> m_pages;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        std::vector<std::string> texts;
        for (int b = 0; b < m_document->m_textBlocks.GetSize(); ++b) {
            CTexts* block = m_document->TextBlockAt(b);
            for (int s = 0; s < block->m_count; ++s)
                if (block->m_slots[s].m_state & 3)
                    texts.push_back(static_cast<const char*>(block->m_slots[s].m_text));
        }
        std::sort(texts.begin(), texts.end());
        m_pages.push_back(texts);
        CRecordedView::OnPrint(pDC, pInfo);
    }
};

// As a user prints: three labels of two marks on a sheet and six records give two print jobs,
// the first through the print dialog, the second on the printer defaults, each a PDF of one page
// printed while the drawing held that sheet's values.
TEST_F(ViewReplacePrint, ScreenReplacePrintWritesOneJobPerSheet)
{
    AddThreeLabels();
    CPageNotingView view;
    Doc().AddView(&view);
    view.m_layerStates.SetSize(Doc().m_layers.GetSize());
    // A wide window: the first job turns the paper and says so once.
    view.m_clientRectLogical = RECT{0, 0, 1000, -600};
    view.m_origin = W(0, 0);
    ChooseData("labels.csv", "@NAME,@CITY\r\nAlpha1,Tokyo1\r\nAlpha2,Tokyo2\r\nAlpha3,Tokyo3\r\n"
                             "Beta4,Osaka4\r\nBeta5,Osaka5\r\nBeta6,Osaka6\r\n");
    AfxPrintedFiles().clear();
    CPrintDialogRequest pdf;
    pdf.outputFile = ProgramPath((m_dir / "job*.pdf").string());
    DefaultScriptedUiServices().QueuePrint(TRUE, pdf);
    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, pdf);
    DefaultScriptedServices().QueueAnswer(IDOK);  // the note on copies
    DefaultScriptedServices().QueueAnswer(IDNO);  // no trial print
    view.RunReplacePrinting(1);
    Doc().RemoveView(&view);
    EXPECT_EQ(Boxes(), (std::vector<CString>{"置換印刷では、部数を 1 ととするのが標準です", "試しの印刷をしますか？",
                                             "プリンタの用紙方向を変更しました。"}));
    EXPECT_EQ(DefaultScriptedUiServices().m_shownPrintDialogs.size(), 1u);
    EXPECT_EQ(m_app->m_lastMessage, CString("2 回の置換印刷が完了しました"));
    ASSERT_EQ(AfxPrintedFiles().size(), 2u);
    EXPECT_TRUE(fs::exists(m_dir / "job1.pdf"));
    EXPECT_TRUE(fs::exists(m_dir / "job2.pdf"));
    using Page = std::vector<std::string>;
    EXPECT_EQ(view.m_pages, (std::vector<Page>{{"Alpha1", "Alpha2", "Alpha3", "Tokyo1", "Tokyo2", "Tokyo3"},
                                               {"Beta4", "Beta5", "Beta6", "Osaka4", "Osaka5", "Osaka6"}}));
    // Each job's paper carries its sheet's printing: ink on both pages, and not the same ink.
    // (The printer draws characters as outlines, so the values are compared as pictures.)
    const std::string first = PdfPixels(m_dir / "job1.pdf");
    const std::string second = PdfPixels(m_dir / "job2.pdf");
    auto inked = [](const std::string& pixels) {
        return std::count_if(pixels.begin(), pixels.end(), [](char c) { return static_cast<unsigned char>(c) < 128; });
    };
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(first.size(), second.size());
    EXPECT_GT(inked(first), 0);
    EXPECT_GT(inked(second), 0);
    EXPECT_NE(first, second);
}

// How a record's fields reach the marks: TAB runs are one separator, commas are each one,
// "#" alone clears a field and a leading "#" is dropped.
TEST_F(ViewReplacePrint, FieldsOfTextAndCsvFiles)
{
    struct Case {
        const char* file;
        const char* contents;
        const char* first;
        const char* second;
        const char* third;  // nullptr: the field's text is removed
    };
    const Case cases[] = {
        {"tabs.txt", "M1\tM2\tM3\r\nA\t\tC\r\n", "A", "C", nullptr},
        {"commas.csv", "M1,M2,M3\r\nA,,C\r\n", "A", nullptr, "C"},
        {"hash.csv", "M1,M2,M3\r\n#X,#,##\r\n", "X", nullptr, "#"},
        {"short.csv", "M1,M2,M3\r\nA\r\n", "A", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        for (int b = 0; b < Doc().m_textBlocks.GetSize(); ++b)
            for (int s = 0; s < Doc().TextBlockAt(b)->m_count; ++s)
                Doc().TextBlockAt(b)->m_slots[s].m_state = 8;
        AddMark("M1", 10, -10);
        AddMark("M2", 20, -10);
        AddMark("M3", 30, -10);
        ChooseData(c.file, c.contents);
        View().RunReplacePrinting(0);
        auto texts = Texts();
        auto expect = [&](double x, const char* value) {
            auto it = texts.find({x, -10});
            if (!value)
                EXPECT_TRUE(it == texts.end()) << x;
            else if (it == texts.end())
                ADD_FAILURE() << "no text at " << x;
            else
                EXPECT_EQ(it->second, value);
        };
        expect(10, c.first);
        expect(20, c.second);
        expect(30, c.third);
    }
}

// Refusals that leave the drawing as it was, each with its message.
TEST_F(ViewReplacePrint, RefusalsLeaveTheDrawing)
{
    AddMark("M1", 10, -10);
    struct Case {
        const char* file;
        const char* contents;
        const char* message;  // the last message box; with the path's name before it when it begins with " "
    };
    const Case cases[] = {
        {"nocomma.csv", "X1;X2\r\nA;B\r\n", "csvファイルに[,]区切りが見つかりません"},
        {"notab.txt", "X1 X2\r\nA B\r\n", "txtファイルに[TAB]区切りが見つかりません"},
        {"nomark.csv", "X1,X2\r\nA,B\r\n", "Zelkデータの中に ［X1］ などのマーク文字列が一つも見あたりません。"},
        {"empty.txt", "", " からマーク文字列とデータ文字列が得られませんでした"},
        {"drawing.zel", "M1\tM2\r\nA\tB\r\n", "M1\tM2 からマーク文字列が分割できませんでした"},
        {"damaged.csv", "\x01\x02,\x03\x04\r\n\x05,\x06\r\n",
         "Zelkデータの中に ［\x01\x02］ などのマーク文字列が一つも見あたりません。"},
        {"huge.txt", "M1\tM2\r\nA\tB\r\n", " はオープンできませんでした"},
    };
    const auto before = Texts();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        DefaultScriptedServices().m_messages.clear();
        ChooseData(c.file, c.contents);
        // A file far beyond any run of labels (sparse, so the test stays quick).
        if (std::string(c.file) == "huge.txt")
            fs::resize_file(m_dir / c.file, 100u * 1024 * 1024);
        View().RunReplacePrinting(0);
        ASSERT_FALSE(Boxes().empty());
        CString expected = c.message;
        if (c.message[0] == ' ')
            expected = ProgramPath((m_dir / c.file).string()) + c.message;
        EXPECT_EQ(Boxes().back(), expected);
        EXPECT_EQ(Texts(), before);
    }
    // A cancelled file dialog does nothing at all.
    DefaultScriptedServices().m_messages.clear();
    View().RunReplacePrinting(0);
    EXPECT_TRUE(Boxes().empty());
}

// With the continuation count 10 the question after the tenth sheet names the eleventh; Cancel
// ends the run there without the closing message.
TEST_F(ViewReplacePrint, ContinuationQuestionAfterTheCount)
{
    AddMark("M1", 10, -10);
    std::ostringstream data;
    data << "M1\tM2\r\n";
    for (int i = 1; i <= 12; ++i)
        data << 'v' << i << "\r\n";
    ChooseData("many.txt", data.str());
    DefaultScriptedServices().QueueAnswer(IDOK);      // the note on copies
    DefaultScriptedServices().QueueAnswer(IDCANCEL);  // the continuation question
    m_app->m_lastMessage = "";
    View().RunReplacePrinting(0);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], CString("次の置換の回数は 11 ですが、試し置換を継続しますか？"));
    EXPECT_EQ(m_app->m_lastMessage, CString("現在出力しているのは 10 回目の置換データです"));
    EXPECT_EQ(Texts().at({10, -10}), "v10");
}

}  // namespace

// Printing of the drawing: real size measured on the PDF the job writes, the sheets of a frame
// larger than the paper, the paper turned for a wide screen print, and what a page prints.
#include "ViewTestSupport.h"

#include "elements/DataPoints.h"
#include "elements/Texts.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiServices.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Run(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[512];
        while (std::fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}

// A page rasterised at 0.1 mm per pixel, without smoothing, in gray.
struct Raster {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
    bool Dark(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] < 128; }
};

Raster RasterPage(const std::string& pdf, int page, const std::string& prefix)
{
    Raster r;
    const std::string cmd = "pdftoppm -r 254 -aa no -aaVector no -gray -singlefile -f " + std::to_string(page) +
                            " -l " + std::to_string(page) + " '" + pdf + "' '" + prefix + "'";
    if (std::system(cmd.c_str()) != 0)
        return r;
    std::ifstream in(prefix + ".pgm", std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> r.width >> r.height >> maxValue;
    in.get();
    r.pixels.resize(static_cast<std::size_t>(r.width) * r.height);
    in.read(reinterpret_cast<char*>(r.pixels.data()), static_cast<std::streamsize>(r.pixels.size()));
    if (magic != "P5" || !in)
        r.width = r.height = 0;
    return r;
}

// Centres of the dark runs along a row (horizontal) or a column.
std::vector<double> RunCentres(const Raster& r, int at, bool alongRow)
{
    std::vector<double> centres;
    const int n = alongRow ? r.width : r.height;
    int start = -1;
    for (int i = 0; i <= n; ++i) {
        const bool dark = i < n && (alongRow ? r.Dark(i, at) : r.Dark(at, i));
        if (dark && start < 0)
            start = i;
        if (!dark && start >= 0) {
            centres.push_back((start + i - 1) / 2.0);
            start = -1;
        }
    }
    return centres;
}

int PdfPages(const std::string& pdf)
{
    std::istringstream in(Run("pdfinfo '" + pdf + "'"));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("Pages:", 0) == 0)
            return std::atoi(line.c_str() + 6);
    return -1;
}

// "Page size:      595.276 x 841.89 pts (A4)": width and height.
std::pair<double, double> PdfPageSize(const std::string& pdf)
{
    std::istringstream in(Run("pdfinfo '" + pdf + "'"));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("Page size:", 0) == 0) {
            double w = 0, h = 0;
            std::sscanf(line.c_str() + 10, "%lf x %lf", &w, &h);
            return {w, h};
        }
    return {0, 0};
}

class ViewPrint : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        DefaultScriptedUiServices().Reset();
        AfxPrintedFiles().clear();
        AfxResetPrinterOrientation();
        m_dir = fs::path(std::getenv("ZELK_HOME")) / "print";
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        View().m_layerStates.SetSize(Doc().m_layers.GetSize());
        m_app->m_paperName = "A4";
        m_app->m_paperSize.Init(2100.0, 2970.0);
    }
    void TearDown() override
    {
        DefaultScriptedUiServices().Reset();
        AfxResetPrinterOrientation();
        ViewFixture::TearDown();
    }

    // A dotted frame on a print-frame layer with its top-left corner at the world origin.
    void AddFrame(double width, double height)
    {
        const std::int16_t layer = Doc().FindOrCreateLayer("Work_Print_A");
        const std::int16_t dotted = Pen(RGB(0, 0, 0), 1, 2);
        Doc().AddLine(W(0, 0), W(width, 0), layer, dotted);
        Doc().AddLine(W(width, 0), W(width, -height), layer, dotted);
        Doc().AddLine(W(width, -height), W(0, -height), layer, dotted);
        Doc().AddLine(W(0, -height), W(0, 0), layer, dotted);
        View().m_layerStates.SetSize(Doc().m_layers.GetSize());
        Doc().ComputeExtents();
    }
    CPrintDialogRequest PdfRequest(const char* name)
    {
        CPrintDialogRequest r;
        r.outputFile = CString((m_dir / name).string().c_str());
        r.paperSize = DMPAPER_A4;
        return r;
    }
    // The print command of a mode as the menu sends it, without the window's message routing.
    void PrintInMode(int mode)
    {
        m_app->m_printMode = static_cast<BYTE>(mode);
        ASSERT_EQ(View().FindPrintLayer(), 1);
        View().m_printStarted = 0;
        View().OnFilePrint();
    }
    // A real-size print asks the printer setup first, then the print dialog.
    void QueueRealSizePrint(const CPrintDialogRequest& print)
    {
        DefaultScriptedUiServices().QueuePrint(TRUE, PdfRequest("setup.pdf"));
        DefaultScriptedUiServices().QueuePrint(TRUE, print);
    }
    std::string Pdf(const char* name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

// Two vertical lines 100 mm apart and two horizontal lines 150 mm apart inside a 180 x 250 mm
// frame land on the paper at the drawing's ratio of their real distances.
TEST_F(ViewPrint, RealSizeIsMeasuredOnThePaper)
{
    AddFrame(180, 250);
    const std::int16_t pen = Pen(RGB(0, 0, 0), 1);
    Doc().AddLine(W(40, -20), W(40, -240), 0, pen);
    Doc().AddLine(W(140, -20), W(140, -240), 0, pen);
    Doc().AddLine(W(20, -50), W(160, -50), 0, pen);
    Doc().AddLine(W(20, -200), W(160, -200), 0, pen);
    Doc().ComputeExtents();
    struct Case {
        double ratio;
        double across;
        double down;
    };
    for (const Case c : {Case{1.0, 1000, 1500}, Case{0.5, 500, 750}}) {
        SCOPED_TRACE(c.ratio);
        Doc().m_ratio = c.ratio;
        const std::string name = c.ratio == 1.0 ? "real1.pdf" : "real05.pdf";
        QueueRealSizePrint(PdfRequest(name.c_str()));
        PrintInMode(2);
        ASSERT_EQ(PdfPages(Pdf(name.c_str())), 1);
        const Raster r = RasterPage(Pdf(name.c_str()), 1, (m_dir / "page").string());
        ASSERT_GT(r.width, 2000);
        // A row through the vertical lines (100 mm down) and a column through the horizontal
        // ones (90 mm across), both scaled by the ratio.
        const auto cols = RunCentres(r, static_cast<int>(1000 * c.ratio), true);
        const auto rows = RunCentres(r, static_cast<int>(900 * c.ratio), false);
        ASSERT_EQ(cols.size(), 2u);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_NEAR(cols[1] - cols[0], c.across, 1);
        EXPECT_NEAR(rows[1] - rows[0], c.down, 1);
        EXPECT_NEAR(cols[0], 400 * c.ratio, 2);
    }
}

// A frame wider than the paper prints on two sheets, the second shifted by the page width; the
// preview shows the same sheets, and a range past them is refused for the missing pages.
TEST_F(ViewPrint, WideFrameSpreadsOverSheets)
{
    AddFrame(400, 250);
    const std::int16_t pen = Pen(RGB(0, 0, 0), 1);
    Doc().AddLine(W(250, -20), W(250, -240), 0, pen);
    Doc().m_ratio = 1.0;
    QueueRealSizePrint(PdfRequest("sheets.pdf"));
    PrintInMode(2);
    EXPECT_EQ(View().m_pagesAcross, 2);
    EXPECT_EQ(View().m_pagesDown, 1);
    ASSERT_EQ(PdfPages(Pdf("sheets.pdf")), 2);
    const Raster second = RasterPage(Pdf("sheets.pdf"), 2, (m_dir / "second").string());
    ASSERT_GT(second.width, 0);
    const auto cols = RunCentres(second, 1000, true);
    ASSERT_EQ(cols.size(), 1u);
    EXPECT_NEAR(cols[0], (250 - 210) * 10, 2);

    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, PdfRequest("unused.pdf"));
    DefaultScriptedUiServices().QueuePreviewRender();
    m_app->m_printMode = 2;
    View().m_printStarted = 0;
    View().OnFilePrintPreview();
    ASSERT_EQ(DefaultScriptedUiServices().m_previewPages.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_previewPages[0], 2);

    CPrintDialogRequest range = PdfRequest("range.pdf");
    range.flags = PD_PAGENUMS;
    range.fromPage = 1;
    range.toPage = 5;
    QueueRealSizePrint(range);
    PrintInMode(2);
    EXPECT_EQ(m_app->m_lastMessage, CString("データのないページが指定されていますが、印刷は省略します。"));
    EXPECT_EQ(PdfPages(Pdf("range.pdf")), 2);
}

// Whole-area print fits the frame to the paper, turned to the frame's shape: two lines 200 mm
// apart in a 400 x 100 mm frame lie 200 x (page width / 400) apart on landscape A4.
TEST_F(ViewPrint, WholeAreaFitsTheFrameToTurnedPaper)
{
    m_app->m_printOption5 = 1;  // "全域印刷の用紙方向を自動判定する"
    AddFrame(400, 100);
    const std::int16_t pen = Pen(RGB(0, 0, 0), 1);
    Doc().AddLine(W(100, -10), W(100, -90), 0, pen);
    Doc().AddLine(W(300, -10), W(300, -90), 0, pen);
    Doc().ComputeExtents();
    DefaultScriptedUiServices().QueuePrint(TRUE, PdfRequest("whole.pdf"));
    PrintInMode(3);
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
    EXPECT_EQ(DefaultScriptedServices().m_messages[0].text, CString("プリンタの用紙方向を変更しました。"));
    const auto [w, h] = PdfPageSize(Pdf("whole.pdf"));
    EXPECT_GT(w, h);
    const Raster r = RasterPage(Pdf("whole.pdf"), 1, (m_dir / "whole").string());
    ASSERT_GT(r.width, r.height);
    const auto cols = RunCentres(r, 50 * r.width / 400, true);
    ASSERT_EQ(cols.size(), 2u);
    EXPECT_NEAR(cols[1] - cols[0], 200.0 * (r.width + 2) / 400, 2);
}

// A screen print of a view wider than high turns the paper and says so, except while every
// drawing is printed; the preview of a screen print has one page.
TEST_F(ViewPrint, WideScreenPrintTurnsThePaper)
{
    Doc().AddLine(W(0, 0), W(100, -50), 0, Pen(RGB(0, 0, 0), 1));
    struct Case {
        int printAll;
        const char* file;
        size_t boxes;
    };
    // The second job on the defaults finds the paper already turned; after a reset, print-all
    // turns it without a word.
    for (const Case c : {Case{0, "screen.pdf", 1}, Case{0, "again.pdf", 0}, Case{1, "screenall.pdf", 0}}) {
        SCOPED_TRACE(c.file);
        if (c.printAll)
            AfxResetPrinterOrientation();
        DefaultScriptedServices().m_messages.clear();
        DefaultScriptedUiServices().SetPrinterDefaults(TRUE, PdfRequest(c.file));
        m_app->m_printAllRunning = c.printAll;
        m_app->m_printMode = 1;
        View().m_printStarted = 0;
        // The menu's direct print takes the printer defaults without a dialog.
        CPrintInfo info;
        info.m_bDirect = TRUE;
        ASSERT_TRUE(View().OnPreparePrinting(&info));
        EXPECT_EQ(info.m_pPD->GetOrientation(), DMORIENT_LANDSCAPE);
        auto dc = AfxCreatePrinterDC(info.m_pPD->m_request);
        ASSERT_TRUE(dc);
        AfxPrinterEndDoc(dc.get());
        const auto [w, h] = PdfPageSize(Pdf(c.file));
        EXPECT_GT(w, h);
        const auto& boxes = DefaultScriptedServices().m_messages;
        ASSERT_EQ(boxes.size(), c.boxes);
        if (c.boxes) {
            EXPECT_EQ(boxes[0].text, CString("プリンタの用紙方向を変更しました。"));
        }
    }
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownPrintDialogs.empty());
    DefaultScriptedUiServices().QueuePreviewRender();
    View().OnFilePrintPreview();
    ASSERT_EQ(DefaultScriptedUiServices().m_previewPages.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_previewPages[0], 1);
}

// What a page prints, on a recording device: work layers and hidden points stay off the paper;
// a slanted text is reported.
TEST_F(ViewPrint, PagePrintsWhatTheRulesAllow)
{
    const std::int16_t pen = Pen(RGB(200, 0, 0), 1);
    const std::int16_t lower = Doc().FindOrCreateLayer("work_print2");
    const std::int16_t area = Doc().FindOrCreateLayer("WORK_AREA");
    View().m_layerStates.SetSize(Doc().m_layers.GetSize());
    LOGFONT font{};
    std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "Sans");
    font.lfHeight = -8;
    struct Case {
        const char* name;
        std::function<void()> build;
        int printPoints;
        bool draws;
        int slanted;
    };
    const Case cases[] = {
        {"line on a lower-case work layer", [&] { Doc().AddLine(W(0, 0), W(100, -50), lower, pen); }, 1, false, 0},
        {"point on a lower-case work layer", [&] { Doc().AddPoint(W(10, -10), lower, pen); }, 1, false, 0},
        {"point on a work area layer", [&] { Doc().AddPoint(W(10, -10), area, pen); }, 1, false, 0},
        {"point with points off", [&] { Doc().AddPoint(W(10, -10), 0, pen); }, 0, false, 0},
        {"point with points on", [&] { Doc().AddPoint(W(10, -10), 0, pen); }, 1, true, 0},
        {"line on a plain layer", [&] { Doc().AddLine(W(0, 0), W(100, -50), 0, pen); }, 1, true, 0},
        {"text at 45 degrees", [&] {
             const std::int16_t f = Doc().FindOrAddFont(font, 0, 50, 1, 45.0);
             Doc().AddText(W(10, -10), "ab", RGB(200, 0, 0), 8, 0, f);
         }, 1, true, 1},
        {"text at 90 degrees", [&] {
             const std::int16_t f = Doc().FindOrAddFont(font, 0, 50, 1, 90.0);
             Doc().AddText(W(10, -10), "ab", RGB(200, 0, 0), 8, 0, f);
         }, 1, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The elements of the cases before are deleted.
        for (int b = 0; b < Doc().m_pointBlocks.GetSize(); ++b)
            for (int s = 0; s < Doc().PointBlockAt(b)->m_count; ++s)
                Doc().PointBlockAt(b)->m_slots[s].m_state = 8;
        for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b)
            for (int s = 0; s < Doc().LineBlockAt(b)->m_count; ++s)
                Doc().LineBlockAt(b)->m_slots[s].m_state = 8;
        for (int b = 0; b < Doc().m_textBlocks.GetSize(); ++b)
            for (int s = 0; s < Doc().TextBlockAt(b)->m_count; ++s)
                Doc().TextBlockAt(b)->m_slots[s].m_state = 8;
        c.build();
        m_app->m_printOption1 = c.printPoints;
        m_app->m_printMode = 1;
        View().m_origin = W(0, 0);
        View().m_zoom = 1;
        CRecordingDC dc;
        dc.SetMapMode(MM_LOMETRIC);
        CPrintInfo info;
        info.m_rectDraw = CRect(0, 0, 2100, -2970);
        std::vector<std::string> calls;
        const int slanted = View().PrintPage(&dc, &info);
        calls = dc.Calls();
        bool drew = false;
        for (const std::string& call : calls)
            drew = drew || call.rfind("LineTo", 0) == 0 || call.rfind("TextOut", 0) == 0;
        EXPECT_EQ(drew, c.draws);
        EXPECT_EQ(slanted, c.slanted);
    }
}

// The pen passes of a page: with the printer drawing the line types a dashed line is drawn once,
// with its dashed pen, and never again dashed by hand; a pen of width 0 (a damaged file) prints
// as one of width 1, blur passes included.
TEST_F(ViewPrint, PenPassesFollowTheLineTypeSettingAndSurviveAZeroWidth)
{
    m_app->m_printOption1 = 1;
    m_app->m_printMode = 1;
    View().m_origin = W(0, 0);
    View().m_zoom = 1;
    auto printLine = [&](std::int16_t pen) {
        for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b)
            for (int s = 0; s < Doc().LineBlockAt(b)->m_count; ++s)
                Doc().LineBlockAt(b)->m_slots[s].m_state = 8;
        Doc().AddLine(W(0, -20), W(100, -20), 0, pen);
        CRecordingDC dc;
        dc.SetMapMode(MM_LOMETRIC);
        CPrintInfo info;
        info.m_rectDraw = CRect(0, 0, 2100, -2970);
        View().PrintPage(&dc, &info);
        return dc.Calls();
    };
    const std::int16_t dashed = Pen(RGB(200, 0, 0), 1, 1);
    m_app->m_printLineTypesByPrinter = 1;
    {
        const auto draws = ElementDraws(printLine(dashed));
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].second.rfind("LineTo", 0), 0u) << draws[0].second;
        EXPECT_NE(draws[0].first.rfind("SelectPen(0,", 0), 0u) << draws[0].first;
    }
    m_app->m_printLineTypesByPrinter = 0;
    {
        const auto draws = ElementDraws(printLine(dashed));
        EXPECT_GT(draws.size(), 1u);
        for (const auto& [pen, call] : draws)
            EXPECT_EQ(pen.rfind("SelectPen(0,", 0), 0u) << pen << " " << call;
    }
    for (int byPrinter : {0, 1}) {
        SCOPED_TRACE(byPrinter);
        m_app->m_printLineTypesByPrinter = byPrinter;
        const auto zero = printLine(Pen(RGB(0, 120, 0), 0, 0, 3, 40));
        const auto one = printLine(Pen(RGB(0, 120, 0), 1, 0, 3, 40));
        EXPECT_FALSE(ElementDraws(zero).empty());
        EXPECT_EQ(ElementDraws(zero), ElementDraws(one));
    }
}

// The screen print's header line (path and date, black, right-aligned on the baseline at the
// page's bottom-right) and the real-size crop marks at the four corners.
TEST_F(ViewPrint, HeaderLineAndCropMarks)
{
    Doc().m_strPathName = "C:\\zu\\plan.zel";
    m_app->m_printOption3 = 1;
    m_app->m_printOption4 = 1;
    m_app->m_printMode = 1;
    View().m_origin = W(0, 0);
    CPrintInfo info;
    info.m_rectDraw = CRect(0, 0, 2100, -2970);
    {
        CRecordingDC dc;
        dc.SetMapMode(MM_LOMETRIC);
        View().PrintPage(&dc, &info);
        const auto& calls = dc.Calls();
        auto text = std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("TextOut(", 0) == 0; });
        ASSERT_NE(text, calls.end());
        EXPECT_EQ(text->rfind("TextOut(2100,-2970,\"C:\\zu\\plan.zel ", 0), 0u) << *text;
        EXPECT_NE(text->find(", 2023\""), std::string::npos) << *text;
        EXPECT_NE(text->find("November 1"), std::string::npos) << *text;
        const auto before = std::vector<std::string>(calls.begin(), text);
        auto has = [&](const std::string& c) { return std::find(before.begin(), before.end(), c) != before.end(); };
        EXPECT_TRUE(has("SetTextAlign(26)"));
        EXPECT_TRUE(has("SetTextColor(RGB(0,0,0))"));
        bool font = false;
        for (const std::string& c : before)
            font = font || c.rfind("SelectFont(-40,20,0,", 0) == 0;
        EXPECT_TRUE(font);
    }
    AddFrame(100, 100);
    m_app->m_printMode = 2;
    m_app->m_printRegisterMarks = 1;
    ASSERT_EQ(View().FindPrintLayer(), 1);
    CRecordingDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    View().PrintPage(&dc, &info);
    const std::string marks[] = {"MoveTo(30,0)", "LineTo(0,0)", "LineTo(0,-30)",
                                 "MoveTo(2070,0)", "LineTo(2100,0)", "LineTo(2100,-30)",
                                 "MoveTo(30,-2970)", "LineTo(0,-2970)", "LineTo(0,-2940)",
                                 "MoveTo(2070,-2970)", "LineTo(2100,-2970)", "LineTo(2100,-2940)"};
    const auto& calls = dc.Calls();
    auto at = std::search(calls.begin(), calls.end(), std::begin(marks), std::end(marks));
    EXPECT_NE(at, calls.end());
}

// Whole-area and real-size print need a frame on the print-frame layer: a layer without one is
// named in the refusal.
TEST_F(ViewPrint, FrameLayerWithoutFrameIsRefused)
{
    const std::int16_t layer = Doc().FindOrCreateLayer("Work_Print_Nowhere");
    View().m_layerStates.SetSize(Doc().m_layers.GetSize());
    View().m_printLayerIndex = layer;
    m_app->m_printMode = 3;
    CPrintInfo info;
    EXPECT_FALSE(View().OnPreparePrinting(&info));
    const auto& boxes = DefaultScriptedServices().m_messages;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, CString("機能レイヤ Work_Print_Nowhere に印刷範囲を示す点線の矩形を作成してください"));
    EXPECT_EQ(boxes[0].caption, CString("全域・実寸 印刷"));
}

// Every print, preview and replace-print item has its own update handler, which offers it in any
// state of the drawing; the attribute search between them is not one of them.
TEST_F(ViewPrint, PrintItemsAreAlwaysOffered)
{
    struct UpdateProbe : CCmdUI {
        int enabled = -1;
        void Enable(BOOL on) override
        {
            CCmdUI::Enable(on);
            enabled = on ? 1 : 0;
        }
    };
    const UINT printItems[] = { 32813, 32814, 32815, 32817, 32818, 32819, 33081, 32890, 32891, 32892, 32893 };
    for (UINT id : printItems) {
        UpdateProbe ui;
        ui.m_nID = id;
        EXPECT_TRUE(View().OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr)) << id;
        EXPECT_EQ(ui.enabled, 1) << id;
    }
    UpdateProbe search;
    search.m_nID = 32816;
    View().OnCmdMsg(32816, CN_UPDATE_COMMAND_UI, &search, nullptr);
    EXPECT_EQ(search.enabled, -1);
}

// The real-size ratio command keeps the dialog open on a ratio outside its range and stores only
// an accepted one.
TEST_F(ViewPrint, RatioCommandStoresAnAcceptedRatio)
{
    Doc().m_ratio = 2.0;
    CString shown;
    bool refused = false;
    DefaultScriptedUiServices().QueueDialog([&](IModalSession& s) {
        shown = s.GetItemText(1139);
        s.SetItemText(1139, "0.005");
        s.Press(IDOK);
        refused = s.IsOpen();
        s.SetItemText(1139, "0.5");
        s.Press(IDOK);
    });
    View().SendMessage(WM_COMMAND, 33081, 0);
    EXPECT_EQ(shown, CString("2"));
    EXPECT_TRUE(refused);
    EXPECT_EQ(Doc().m_ratio, 0.5);
    DefaultScriptedUiServices().QueueDialog([](IModalSession& s) {
        s.SetItemText(1139, "3");
        s.Press(IDCANCEL);
    });
    View().SendMessage(WM_COMMAND, 33081, 0);
    EXPECT_EQ(Doc().m_ratio, 0.5);
}

// The whole-area command with automatic orientation prints as many sheets as the count dialog
// gives; without it, the printer setup comes first and one sheet prints.
TEST_F(ViewPrint, WholeAreaCommandPrintsTheChosenSheetCount)
{
    AddFrame(200, 100);
    Doc().AddLine(W(20, -10), W(180, -90), 0, Pen(RGB(0, 0, 0), 1));
    Doc().ComputeExtents();
    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, PdfRequest("whole*.pdf"));
    m_app->m_printOption5 = 1;
    std::vector<CString> texts;
    DefaultScriptedUiServices().QueueDialog([&](IModalSession& s) {
        for (int id = 1197; id <= 1200; ++id)
            texts.push_back(s.GetItemText(id));
        s.Press(1189);  // "３"
        s.Press(IDOK);
    });
    View().SendMessage(WM_COMMAND, 32814, 0);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], CString("A4"));
    EXPECT_EQ(texts[2], CString("現在のプリンターの設定で、用紙方向は自動判定して、全域印刷します。"));
    EXPECT_EQ(texts[3], CString("プリンタの用紙の方向設定が変わったら通知します。"));
    EXPECT_EQ(AfxPrintedFiles().size(), 3u);
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownPrintDialogs.empty());

    // Stopped in the count dialog: nothing prints.
    DefaultScriptedUiServices().QueueDialog([](IModalSession& s) { s.Press(IDCANCEL); });
    View().SendMessage(WM_COMMAND, 32814, 0);
    EXPECT_EQ(AfxPrintedFiles().size(), 3u);

    m_app->m_printOption5 = 0;
    View().SendMessage(WM_COMMAND, 32814, 0);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownPrintDialogs.size(), 1u);
    EXPECT_EQ(AfxPrintedFiles().size(), 4u);
}

// The printer setup leaves the paper's form, its size in whole millimetres and the size text with
// the shorter side first; without a printer the sizes are 0 and the texts one blank.
TEST_F(ViewPrint, PrinterSetupMeasuresThePaper)
{
    struct Case {
        int paper;
        BOOL landscape;
        BOOL printer;
        double width;
        double height;
        const char* text;
    } cases[] = {
        {DMPAPER_A3, TRUE, TRUE, 4200, 2970, "297 x 420"},
        {DMPAPER_B5, FALSE, TRUE, 1820, 2570, "182 x 257"},
        {DMPAPER_A4, FALSE, FALSE, 0, 0, " "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        AfxResetPrinterOrientation();
        CPrintDialogRequest r = PdfRequest("setup.pdf");
        r.paperSize = c.paper;
        r.landscape = c.landscape;
        DefaultScriptedUiServices().QueuePrint(c.printer, r);
        DefaultScriptedUiServices().SetPrinterDefaults(FALSE, CPrintDialogRequest{});
        m_app->OnFilePrintSetup();
        EXPECT_EQ(m_app->m_paperSize.m_x, c.width);
        EXPECT_EQ(m_app->m_paperSize.m_y, c.height);
        EXPECT_EQ(m_app->m_paperSizeText, CString(c.text));
        if (c.printer)
            EXPECT_NE(m_app->m_paperName, CString(" "));
        else
            EXPECT_EQ(m_app->m_paperName, CString(" "));
    }
    // A cancelled setup still measures the current printer.
    AfxResetPrinterOrientation();
    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, PdfRequest("setup.pdf"));
    m_app->OnFilePrintSetup();
    EXPECT_EQ(m_app->m_paperSizeText, CString("210 x 297"));
    EXPECT_EQ(m_app->m_paperName, CString("A4"));
}

}  // namespace

// Printing of the drawing: screen print (the visible part fitted to the paper), whole-area print
// (the frame of a print-frame layer fitted to the paper) and real-size print (the frame at the
// drawing's ratio over as many sheets as it needs), each also as a preview.
#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#include "app/ActualSizePrintDialog.h"
#include "app/MainFrame.h"
#include "app/PrintAllSheetsDialog.h"
#include "app/Resource.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementSettings.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "elements/ElementDrawing.h"
#include "geometry/Numeric.h"
#include "input/LayerOps.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/WinUser.h"
#include "view/SubModeTable.h"
#include "view/ViewCommandTable.h"
#include "view/ZelkObj.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

namespace {

constexpr UINT ID_FILE_PRINT_VIEW = 32813;
constexpr UINT ID_FILE_PRINT_RATIO = 32814;
constexpr UINT ID_FILE_PRINT_REAL = 32815;
constexpr UINT ID_FILE_PRINT_PREVIEW_VIEW = 32817;
constexpr UINT ID_FILE_PRINT_PREVIEW_RATIO = 32818;
constexpr UINT ID_FILE_PRINT_PREVIEW_REAL = 32819;
constexpr UINT ID_RATIO_PRINT_REAL = 33081;
constexpr UINT ID_PRINT_REPLACE_REAL = 32890;
constexpr UINT ID_PRINT_REPLACE_RATIO = 32891;
constexpr UINT ID_PRINT_REPLACE_VIEW = 32892;
constexpr UINT ID_PRINT_REPLACE_TRY = 32893;
constexpr UINT kSlantedTextTimer = 14;

// The print parameters as the print parameter dialog keeps them on the application.
struct PrintParams {
    bool points = true;
    bool path = false;
    bool date = false;
    bool autoOrientation = true;
    bool thickAtSetWidth = false;
    bool thinDarker = false;
    bool printerLineTypes = false;
    bool cropMarks = false;
    bool slantedCheck = false;
};

PrintParams ReadPrintParams()
{
    PrintParams p;
    if (!g_pApp)
        return p;
    p.points = g_pApp->m_printOption1 != 0;
    p.path = g_pApp->m_printOption3 != 0;
    p.date = g_pApp->m_printOption4 != 0;
    // The print settings dialog's check boxes, as it stores them.
    p.autoOrientation = g_pApp->m_printOption5 != 0;
    p.thickAtSetWidth = g_pApp->m_printOption6 != 0;
    p.thinDarker = g_pApp->m_printOption7 != 0;
    p.printerLineTypes = g_pApp->m_printLineTypesByPrinter != 0;
    p.cropMarks = g_pApp->m_printRegisterMarks != 0;
    p.slantedCheck = g_pApp->m_slantedPrintOption != 0;
    return p;
}

int PrintMode()
{
    return g_pApp ? g_pApp->m_printMode : 1;
}

// The frame of a layer: top-left and bottom-right corners.
struct Frame {
    CPointD topLeft;
    CPointD bottomRight;
    double Width() const { return bottomRight.m_x - topLeft.m_x; }
    double Height() const { return topLeft.m_y - bottomRight.m_y; }
};

bool GetFrame(CZelkDoc* doc, int layer, Frame& f)
{
    return CLayerOps::GetWorkLayerExtent(doc, layer, f.topLeft, f.bottomRight) != 0;
}

// The page rectangle grown by one unit across and shrunk by one down, as the sheet planning
// measures it.
CRect InflatedPage(const RECT& page)
{
    CRect r(page);
    r.InflateRect(1, -1);
    return r;
}

// Sheets needed for a length v (device units) on a page length (device units).
short SheetsFor(double v, int pageLength)
{
    const int page = std::abs(pageLength);
    if (v <= page || page == 0)
        return 1;
    const int whole = TruncToInt(v);
    return static_cast<short>(whole / page + (whole % page != 0 ? 1 : 0));
}

bool NearRightAngle(double angle)
{
    for (double a : {0.0, 90.0, 180.0, 270.0, -90.0, -180.0, -270.0})
        if (NearlyEqual(angle, a))
            return true;
    return false;
}

// Whether an element of a layer prints: its layer shown in the view and no work layer.
class LayerFilter {
public:
    LayerFilter(CZelkDoc* doc, const CZelkView* view)
    {
        const int n = static_cast<int>(doc->m_layers.GetSize());
        m_prints.assign(n, 0);
        for (int i = 0; i < n; ++i) {
            const bool shown = view->m_showAllLayers || i >= view->m_layerStates.GetSize() || view->m_layerStates[i] != 1;
            CString upper = doc->GetLayer(i)->m_name;
            upper.MakeUpper();
            m_prints[i] = shown && upper.Find("WORK") < 0;
        }
    }
    bool Prints(std::uint8_t state, std::int16_t layer) const
    {
        return (state & 3) != 0 && layer >= 0 && layer < static_cast<int>(m_prints.size()) && m_prints[layer];
    }

private:
    std::vector<char> m_prints;
};

// The blocks of one kind by pen (or font) index, gathered once per page.
template <class Block>
std::vector<std::vector<Block*>> ByPen(const CObArray& blocks, int pens)
{
    std::vector<std::vector<Block*>> out(static_cast<std::size_t>(std::max(pens, 0)));
    for (int b = 0; b < blocks.GetSize(); ++b) {
        auto* block = static_cast<Block*>(blocks[b]);
        if (block && block->m_pen >= 0 && block->m_pen < pens)
            out[block->m_pen].push_back(block);
    }
    return out;
}

// The print transform of one page.
struct PrintTransform {
    CPointD origin;
    double zoom = 1.0;
    RECT page{};
    int offsetX = 0;
    int offsetY = 0;
    double scale = 1.0;
};

template <class Block, class Print>
void PrintBlocks(const std::vector<Block*>& blocks, const LayerFilter& filter, Print print)
{
    for (Block* block : blocks)
        for (int s = 0; s < block->m_count; ++s) {
            auto& e = block->m_slots[s];
            if (filter.Prints(e.m_state, e.m_layer))
                print(e);
        }
}

void SendCommand(CZelkView* view, UINT id)
{
    view->SendMessage(WM_COMMAND, id, 0);
}

// What every print command does first; false when it stops there.
bool StartPrintCommand(CZelkView* view, const char* helpPage, int mode, bool clearMessage)
{
    if (g_pApp && g_pApp->m_contextHelpMode == 11) {
        g_pApp->ShowHelpPage(helpPage);
        g_pApp->m_contextHelpMode = 0;
        return false;
    }
    if (g_pApp) {
        g_pApp->m_printAllRunning = 0;
        if (clearMessage)
            g_pApp->ShowMessage("", 0);
        g_pApp->m_printMode = static_cast<BYTE>(mode);
    }
    if (!view->FindPrintLayer())
        return false;
    view->m_printStarted = 0;
    return true;
}

}  // namespace

// The view's one command map: printing and placed objects here, the command table's and the
// popup menu's commands.
BEGIN_MESSAGE_MAP(CZelkView, CScrollView)
    ON_COMMAND(ID_FILE_PRINT_VIEW, OnFilePrintView)
    ON_COMMAND(ID_FILE_PRINT_RATIO, OnFilePrintRatio)
    ON_COMMAND(ID_FILE_PRINT_REAL, OnFilePrintReal)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW_VIEW, OnFilePrintPreviewView)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW_RATIO, OnFilePrintPreviewRatio)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW_REAL, OnFilePrintPreviewReal)
    ON_COMMAND(ID_RATIO_PRINT_REAL, OnRatioPrintReal)
    ON_COMMAND(ID_PRINT_REPLACE_REAL, OnPrintReplaceReal)
    ON_COMMAND(ID_PRINT_REPLACE_RATIO, OnPrintReplaceRatio)
    ON_COMMAND(ID_PRINT_REPLACE_VIEW, OnPrintReplaceView)
    ON_COMMAND(ID_PRINT_REPLACE_TRY, OnPrintReplaceTry)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_PRINT_VIEW, ID_FILE_PRINT_REAL, OnUpdatePrintCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_PRINT_PREVIEW_VIEW, ID_FILE_PRINT_PREVIEW_REAL, OnUpdatePrintCommand)
    ON_UPDATE_COMMAND_UI(ID_RATIO_PRINT_REAL, OnUpdatePrintCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PRINT_REPLACE_REAL, ID_PRINT_REPLACE_TRY, OnUpdatePrintCommand)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    // Placed objects and the clipboard (view/ZelkViewOle.cpp).
    ON_COMMAND(ID_OLE_INSERT_NEW, OnInsertObject)
    ON_COMMAND(32768, OnCancelEditCntr)
    ON_COMMAND(32769, OnCancelEditSrvr)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(32881, OnPasteAsText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(32881, OnUpdatePasteAsText)
    // The commands of the view's command table (view/ZelkViewCommands.cpp).
    ON_VIEW_COMMAND(32779)
    ON_VIEW_COMMAND(32774)
    ON_VIEW_COMMAND_UI(32774)
    ON_VIEW_COMMAND(32775)
    ON_VIEW_COMMAND_UI(32775)
    ON_VIEW_COMMAND(32782)
    ON_VIEW_COMMAND(32783)
    ON_VIEW_COMMAND(113)
    ON_VIEW_COMMAND_UI(113)
    ON_VIEW_COMMAND(114)
    ON_VIEW_COMMAND_UI(114)
    ON_VIEW_COMMAND(115)
    ON_VIEW_COMMAND_UI(115)
    ON_VIEW_COMMAND(33090)
    ON_VIEW_COMMAND_UI(33090)
    ON_VIEW_COMMAND(33088)
    ON_VIEW_COMMAND_UI(33088)
    ON_VIEW_COMMAND(33064)
    ON_VIEW_COMMAND_UI(33064)
    ON_VIEW_COMMAND(33065)
    ON_VIEW_COMMAND_UI(33065)
    ON_VIEW_COMMAND(33066)
    ON_VIEW_COMMAND_UI(33066)
    ON_VIEW_COMMAND(33068)
    ON_VIEW_COMMAND_UI(33068)
    ON_VIEW_COMMAND(33069)
    ON_VIEW_COMMAND_UI(33069)
    ON_VIEW_COMMAND(33084)
    ON_VIEW_COMMAND_UI(33084)
    ON_VIEW_COMMAND(116)
    ON_VIEW_COMMAND_UI(116)
    ON_VIEW_COMMAND(126)
    ON_VIEW_COMMAND_UI(126)
    ON_VIEW_COMMAND(32836)
    ON_VIEW_COMMAND_UI(32836)
    ON_VIEW_COMMAND(141)
    ON_VIEW_COMMAND_UI(141)
    ON_VIEW_COMMAND(32830)
    ON_VIEW_COMMAND_UI(32830)
    ON_VIEW_COMMAND(32864)
    ON_VIEW_COMMAND_UI(32864)
    ON_VIEW_COMMAND(32897)
    ON_VIEW_COMMAND_UI(32897)
    ON_VIEW_COMMAND(32776)
    ON_VIEW_COMMAND_UI(32776)
    ON_VIEW_COMMAND(32789)
    ON_VIEW_COMMAND_UI(32789)
    ON_VIEW_COMMAND(32777)
    ON_VIEW_COMMAND_UI(32777)
    ON_VIEW_COMMAND(32778)
    ON_VIEW_COMMAND_UI(32778)
    ON_VIEW_COMMAND(32805)
    ON_VIEW_COMMAND_UI(32805)
    ON_VIEW_COMMAND(32900)
    ON_VIEW_COMMAND_UI(32900)
    ON_VIEW_COMMAND(32901)
    ON_VIEW_COMMAND_UI(32901)
    ON_VIEW_COMMAND(32895)
    ON_VIEW_COMMAND_UI(32895)
    ON_VIEW_COMMAND(32945)
    ON_VIEW_COMMAND_UI(32945)
    ON_VIEW_COMMAND(32773)
    ON_VIEW_COMMAND(32784)
    ON_VIEW_COMMAND(125)
    ON_VIEW_COMMAND_UI(125)
    ON_VIEW_COMMAND(127)
    ON_VIEW_COMMAND_UI(127)
    ON_VIEW_COMMAND(130)
    ON_VIEW_COMMAND_UI(130)
    ON_VIEW_COMMAND(131)
    ON_VIEW_COMMAND_UI(131)
    ON_VIEW_COMMAND(132)
    ON_VIEW_COMMAND_UI(132)
    ON_VIEW_COMMAND(33140)
    ON_VIEW_COMMAND_UI(33140)
    ON_VIEW_COMMAND(32835)
    ON_VIEW_COMMAND_UI(32835)
    ON_VIEW_COMMAND(32797)
    ON_VIEW_COMMAND_UI(32797)
    ON_VIEW_COMMAND(32806)
    ON_VIEW_COMMAND(32894)
    ON_VIEW_COMMAND_UI(32894)
    ON_VIEW_COMMAND(33135)
    ON_VIEW_COMMAND_UI(33135)
    // The mode items of the command popup menu (view/ZelkViewSubModes.cpp).
    ON_SUB_MODE(33017)
    ON_SUB_MODE(33018)
    ON_SUB_MODE(33019)
    ON_SUB_MODE(32953)
    ON_SUB_MODE(32962)
    ON_SUB_MODE(32964)
    ON_SUB_MODE(32980)
    ON_SUB_MODE(32965)
    ON_SUB_MODE(32966)
    ON_SUB_MODE(32968)
    ON_SUB_MODE(32969)
    ON_SUB_MODE(32970)
    ON_SUB_MODE(32971)
    ON_SUB_MODE(32972)
    ON_SUB_MODE(32973)
    ON_SUB_MODE(32974)
    ON_SUB_MODE(32975)
    ON_SUB_MODE(32976)
    ON_SUB_MODE(32977)
    ON_SUB_MODE(32978)
    ON_SUB_MODE(32981)
    ON_SUB_MODE(32985)
    ON_SUB_MODE(32986)
    ON_SUB_MODE(32987)
    ON_SUB_MODE(32989)
    ON_SUB_MODE(32995)
    ON_SUB_MODE(32996)
    ON_SUB_MODE(32997)
    ON_SUB_MODE(32998)
    ON_SUB_MODE(32999)
    ON_SUB_MODE(33000)
    ON_SUB_MODE(33001)
    ON_SUB_MODE(33002)
    ON_SUB_MODE(33004)
    ON_SUB_MODE(33005)
    ON_SUB_MODE(33006)
    ON_SUB_MODE(33007)
    ON_SUB_MODE(33008)
    ON_SUB_MODE(33009)
    ON_SUB_MODE(33010)
    ON_SUB_MODE(33011)
    ON_SUB_MODE(33014)
    ON_SUB_MODE(33012)
    ON_SUB_MODE(33013)
    ON_SUB_MODE(33015)
    ON_SUB_MODE(33016)
    ON_SUB_MODE(32957)
    ON_SUB_MODE(33020)
    ON_SUB_MODE(33021)
    ON_SUB_MODE(33022)
    ON_SUB_MODE(33023)
    ON_SUB_MODE(33024)
    ON_SUB_MODE(33025)
    ON_SUB_MODE(33026)
    ON_SUB_MODE(33027)
    ON_SUB_MODE(33028)
    ON_SUB_MODE(33029)
    ON_SUB_MODE(33030)
    ON_SUB_MODE(33031)
    ON_SUB_MODE(33032)
    ON_SUB_MODE(32959)
    ON_SUB_MODE(33034)
    ON_SUB_MODE(33035)
    ON_SUB_MODE(33147)
    ON_SUB_MODE(32960)
    ON_SUB_MODE(33036)
    ON_SUB_MODE(33044)
    ON_SUB_MODE(33045)
    ON_SUB_MODE(33039)
    ON_SUB_MODE(33041)
    ON_SUB_MODE(33042)
    ON_SUB_MODE(33043)
    ON_SUB_MODE(33050)
    ON_SUB_MODE(33040)
    ON_SUB_MODE(33046)
END_MESSAGE_MAP()

void CZelkView::OnUpdatePrintCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CZelkView::OnFilePrintView()
{
    if (StartPrintCommand(this, "Help\\HID_FILE_PRINT_VIEW.htm", 1, true))
        SendCommand(this, ID_FILE_PRINT_DIRECT);
}

void CZelkView::OnFilePrintRatio()
{
    if (!StartPrintCommand(this, "Help\\HID_FILE_PRINT_RATIO.htm", 3, true))
        return;
    if (!ReadPrintParams().autoOrientation) {
        // Without the automatic orientation the paper is the one the printer setup gives.
        if (g_pApp)
            g_pApp->OnFilePrintSetup();
        SendCommand(this, ID_FILE_PRINT_DIRECT);
        return;
    }
    CPrintAllSheetsDialog dlg;
    if (g_pApp) {
        dlg.m_text1 = g_pApp->m_paperName;
        dlg.m_text2 = g_pApp->m_paperSizeText;
    }
    dlg.m_text3 = "現在のプリンターの設定で、用紙方向は自動判定して、全域印刷します。";
    dlg.m_text4 = "プリンタの用紙の方向設定が変わったら通知します。";
    dlg.m_sheetCount = 1;
    if (dlg.DoModal() != IDOK)
        return;
    for (UINT i = 0; i < dlg.m_sheetCount; ++i)
        SendCommand(this, ID_FILE_PRINT_DIRECT);
}

void CZelkView::OnFilePrintReal()
{
    if (StartPrintCommand(this, "Help\\HID_FILE_PRINT_REAL.htm", 2, true))
        SendCommand(this, ID_FILE_PRINT);
}

void CZelkView::OnFilePrintPreviewView()
{
    if (StartPrintCommand(this, "Help\\HID_FILE_PRINT_PREVIEW_VIEW.htm", 1, false))
        SendCommand(this, ID_FILE_PRINT_PREVIEW);
}

void CZelkView::OnFilePrintPreviewRatio()
{
    if (StartPrintCommand(this, "Help\\HID_FILE_PRINT_PREVIEW_RATIO.htm", 3, false))
        SendCommand(this, ID_FILE_PRINT_PREVIEW);
}

void CZelkView::OnFilePrintPreviewReal()
{
    if (StartPrintCommand(this, "Help\\HID_FILE_PRINT_PREVIEW_REAL.htm", 2, false))
        SendCommand(this, ID_FILE_PRINT_PREVIEW);
}

void CZelkView::OnRatioPrintReal()
{
    if (g_pApp && g_pApp->m_contextHelpMode == 11) {
        g_pApp->ShowHelpPage("Help\\HID_RATIO_PRINT_REAL.htm");
        g_pApp->m_contextHelpMode = 0;
        return;
    }
    if (!m_document)
        return;
    CActualSizePrintDialog dlg;
    dlg.m_ratio = m_document->m_ratio;
    if (dlg.DoModal() == IDOK)
        m_document->m_ratio = dlg.m_ratio;
}

int CZelkView::FindPrintLayer()
{
    const int mode = PrintMode();
    if (mode == 0 || mode == 1 || m_printLayerIndex != -1)
        return 1;
    if (!m_document)
        return 0;
    int layer = m_document->FindPrintFrameLayer();
    if (layer == -1)
        layer = m_document->FirstWorkPrintLayer();
    if (layer == -1)
        layer = m_document->AddPrintFrame();
    if (layer == -1)
        return 0;
    m_printLayerIndex = static_cast<std::int16_t>(layer);
    return 1;
}

BOOL CZelkView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (!m_document)
        return FALSE;
    CLayerOps::FindPrintFrameLayer(m_document, this);
    const int mode = PrintMode();
    const PrintParams params = ReadPrintParams();
    Frame frame;
    if (mode == 2 || mode == 3) {
        bool found = GetFrame(m_document, m_printLayerIndex, frame);
        if (!found && m_document->RedrawPrintFrame(m_printLayerIndex))
            found = GetFrame(m_document, m_printLayerIndex, frame);
        if (!found) {
            CString name;
            if (CLayer* layer = m_document->GetLayer(m_printLayerIndex))
                name = layer->m_name;
            Services().MessageBox("機能レイヤ " + name + " に印刷範囲を示す点線の矩形を作成してください",
                                  "全域・実寸 印刷", MB_OK);
            return FALSE;
        }
    }
    double width = 0;
    double height = 0;
    if (mode == 1 || mode == 0) {
        width = std::abs(m_clientRectLogical.right - m_clientRectLogical.left);
        height = std::abs(m_clientRectLogical.bottom - m_clientRectLogical.top);
        pInfo->m_nNumPreviewPages = 1;
        pInfo->SetMinPage(1);
        pInfo->SetMaxPage(1);
    } else if (mode == 3) {
        pInfo->m_nNumPreviewPages = 1;
        pInfo->SetMinPage(1);
        pInfo->SetMaxPage(1);
        if (params.autoOrientation) {
            bool found = false;
            for (int i = 0; i < m_document->m_layers.GetSize(); ++i) {
                if (i < m_layerStates.GetSize() && m_layerStates[i] == 1)
                    continue;
                CString name = m_document->GetLayer(i)->m_name;
                name.TrimLeft();
                Frame f;
                if (name.Left(10).CompareNoCase("Work_Print") == 0 && GetFrame(m_document, i, f)) {
                    width = f.Width();
                    height = f.Height();
                    found = true;
                }
            }
            if (!found) {
                const CRectD& x = m_document->m_extents;
                width = x.m_right - x.m_left;
                height = x.m_top - x.m_bottom;
            }
            width = std::trunc(width);
            height = std::trunc(height);
        }
    } else if (mode == 2) {
        if (g_pApp)
            g_pApp->OnFilePrintSetup();
        const double paperW = g_pApp ? g_pApp->m_paperSize.m_x : 0.0;
        const double paperH = g_pApp ? g_pApp->m_paperSize.m_y : 0.0;
        if (paperW == 0 && paperH == 0) {
            if (g_pApp)
                g_pApp->ShowMessage("用紙 " + g_pApp->m_paperName + " は実寸プレビューで印刷枚数を確認することを推奨します。", 0);
            m_pagesAcross = m_pagesDown = 1;
        } else {
            const double r = m_document->m_ratio;
            const double w = frame.Width() * r * 10;
            const double h = frame.Height() * r * 10;
            m_pagesAcross = static_cast<std::int16_t>(w > paperW ? std::trunc(w / (paperW + 1) + 1) : 1);
            m_pagesDown = static_cast<std::int16_t>(h > paperH ? std::trunc(h / (paperH + 1) + 1) : 1);
        }
        pInfo->SetMinPage(1);
        pInfo->SetMaxPage(static_cast<UINT>(std::max(1, m_pagesAcross * m_pagesDown)));
    }
    if (!PreparePrinterDC(pInfo))
        return FALSE;
    if (mode == 1 || (mode == 3 && params.autoOrientation))
        SetPaperOrientation(pInfo, width, height);
    return TRUE;
}

void CZelkView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CZelkView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CZelkView::PreparePrinterDC(CPrintInfo* pInfo)
{
    CPrintDialog* pd = pInfo->m_pPD;
    if (!pInfo->m_bPreview && !pInfo->m_bDirect) {
        pd->m_request.fromPage = static_cast<int>(pInfo->GetMinPage());
        pd->m_request.toPage = static_cast<int>(pInfo->GetMaxPage());
        if (pd->DoModal() != IDOK)
            return FALSE;
    } else {
        if (!pd->m_hasPrinter && !pd->GetDefaults() && pd->DoModal() != IDOK)
            return FALSE;
        pd->m_request.fromPage = static_cast<int>(pInfo->GetMinPage());
        pd->m_request.toPage = static_cast<int>(pInfo->GetMaxPage());
    }
    pInfo->m_strPageDesc = "Page %u\nPages %u-%u\n";
    return TRUE;
}

void CZelkView::SetPaperOrientation(CPrintInfo* pInfo, double width, double height)
{
    if ((width == 0 && height == 0) || !pInfo->m_pPD->m_hasPrinter)
        return;
    const short wanted = width > height ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    if (pInfo->m_pPD->GetOrientation() == wanted)
        return;
    pInfo->m_pPD->ResetOrientation(wanted);
    if (!g_pApp || !g_pApp->m_printAllRunning)
        Services().MessageBox("プリンタの用紙方向を変更しました。", "", MB_OK);
}

void CZelkView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    const int mode = PrintMode();
    if (!m_printStarted) {
        m_printStarted = 1;
        m_printedObjectCount = 0;
        pDC->SetWindowOrg(0, 0);
        if (mode == 2 || mode == 3) {
            Frame frame;
            if (!GetFrame(m_document, m_printLayerIndex, frame)) {
                Services().MessageBox("出力範囲とする機能レイヤ Work_Print を表示してください", "実寸印刷", MB_OK);
                pInfo->m_bContinuePrinting = FALSE;
                return;
            }
            if (mode == 2) {
                const CRect r = InflatedPage(pInfo->m_rectDraw);
                const double ratio = m_document->m_ratio;
                m_pagesAcross = SheetsFor(frame.Width() * ratio * 10, r.right - r.left);
                m_pagesDown = SheetsFor(frame.Height() * ratio * 10, r.bottom - r.top);
                const UINT sheets = static_cast<UINT>(m_pagesAcross * m_pagesDown);
                const CPrintDialogRequest& req = pInfo->m_pPD->m_request;
                if ((req.flags & (PD_PAGENUMS | PD_SELECTION)) && req.toPage > static_cast<int>(sheets) && g_pApp)
                    g_pApp->ShowMessage("データのないページが指定されていますが、印刷は省略します。", 0);
                pInfo->SetMinPage(1);
                pInfo->SetMaxPage(sheets);
            }
        }
    }
    const int slanted = PrintPage(pDC, pInfo);
    const UINT last = pInfo->GetMaxPage();
    const bool ends = pInfo->m_nCurPage >= last;
    if (ends) {
        pInfo->m_bContinuePrinting = FALSE;
        pInfo->m_nCurPage = pInfo->GetToPage();
        int shown = 0;
        for (CZelkObj* obj : m_document->m_objects)
            if (obj && (m_showAllLayers || obj->m_layer < 0 || obj->m_layer >= m_layerStates.GetSize() ||
                        m_layerStates[obj->m_layer] != 1))
                ++shown;
        if (m_printedObjectCount < shown && g_pApp)
            g_pApp->ShowMessage("出力できなかったOLEデータがあります", 0);
    }
    if (!pInfo->m_bPreview && slanted && ReadPrintParams().slantedCheck && g_pApp && g_pApp->m_pMainFrame)
        g_pApp->m_pMainFrame->StartTimer(kSlantedTextTimer, 3000);
}

int CZelkView::PrintPlacedObjects(CDC* dc, const CPointD& origin, double zoom, const RECT& page, int offsetX,
                                  int offsetY, double scale)
{
    if (!m_document)
        return 0;
    int printed = 0;
    const int states = m_layerStates.GetSize();
    for (CZelkObj* o : m_document->m_objects) {
        if (!o || (o->m_state & 0x08))
            continue;
        if (!m_showAllLayers && o->m_layer >= 0 && o->m_layer < states && m_layerStates[o->m_layer] == 1)
            continue;
        if (const CLayer* layer = m_document->GetLayer(o->m_layer)) {
            CString upper = layer->m_name;
            upper.MakeUpper();
            if (upper.Find("WORK") >= 0)
                continue;
        }
        if (auto* ole = dynamic_cast<CZelkOleObj*>(o))
            printed += ole->PrintItem(dc, origin, zoom, page, offsetX, offsetY, scale);
    }
    return printed;
}

int CZelkView::PrintPage(CDC* pDC, CPrintInfo* pInfo)
{
    if (!m_document)
        return 0;
    const int mode = PrintMode();
    const PrintParams params = ReadPrintParams();
    const CRect g(pInfo->m_rectDraw);
    PrintTransform t;
    t.page = g;
    if (mode == 2 || mode == 3) {
        const CRect r = InflatedPage(g);
        Frame frame;
        if (!GetFrame(m_document, m_printLayerIndex, frame))
            return 0;
        t.origin = frame.topLeft;
        t.zoom = 1.0;
        if (mode == 2) {
            const double ratio = m_document->m_ratio;
            if (m_pagesAcross == 0)
                m_pagesAcross = 1;
            const int k = static_cast<int>(pInfo->m_nCurPage) - 1;
            const int column = k % m_pagesAcross;
            const int row = k / m_pagesAcross;
            t.offsetX = column * TruncToInt(((r.right - r.left) / 10) / ratio);
            t.offsetY = row * TruncToInt(((r.bottom - r.top) / 10) / ratio);
            t.scale = ratio * 10;
        } else {
            const double p = frame.Width();
            const double q = frame.Height();
            if (p == 0 || q == 0)
                return 0;
            const double u = std::abs(r.right - r.left);
            const double v = std::abs(r.bottom - r.top);
            t.scale = std::min(u / p, v / q);
        }
    } else {
        const double p = std::abs(m_clientRectLogical.right - m_clientRectLogical.left);
        const double q = std::abs(m_clientRectLogical.bottom - m_clientRectLogical.top);
        if (p == 0 || q == 0)
            return 0;
        const double u = std::abs(g.right - g.left);
        const double v = std::abs(g.bottom - g.top);
        t.origin = m_origin;
        t.zoom = m_zoom;
        t.offsetX = m_scrollPos.x;
        t.offsetY = m_scrollPos.y;
        t.scale = std::min(u / p, v / q);
    }
    const int oldBk = pDC->SetBkMode(TRANSPARENT);

    if (mode == 2 && params.cropMarks) {
        CPen* old = SelectNewPen(pDC, PS_SOLID, 1, CreationColor());
        const POINT marks[4][3] = {
            {{30, 0}, {0, 0}, {0, -30}},
            {{g.right - 30, 0}, {g.right, 0}, {g.right, -30}},
            {{g.left + 30, g.bottom}, {g.left, g.bottom}, {g.left, g.bottom + 30}},
            {{g.right - 30, g.bottom}, {g.right, g.bottom}, {g.right, g.bottom + 30}},
        };
        for (const auto& m : marks) {
            pDC->MoveTo(m[0].x, m[0].y);
            pDC->LineTo(m[1].x, m[1].y);
            pDC->LineTo(m[2].x, m[2].y);
        }
        RestoreOldPen(pDC, old);
    }

    if (mode == 1 && (params.path || params.date)) {
        CString header;
        if (params.path)
            header = m_document->GetPathName();
        const std::int64_t now = Services().Time();
        if (params.date && now > 0) {
            const std::time_t tt = static_cast<std::time_t>(now);
            char date[128] = {};
            if (const std::tm* tm = std::localtime(&tt))
                std::strftime(date, sizeof date, "%A, %B %d, %Y", tm);
            header += " ";
            header += date;
        }
        LOGFONT lf = g_pApp ? g_pApp->m_appText.m_logFont : LOGFONT{};
        lf.lfHeight = -40;
        lf.lfWidth = 20;
        lf.lfEscapement = 0;
        lf.lfOrientation = 0;
        CFont font;
        if (font.CreateFontIndirect(&lf)) {
            CFont* oldFont = pDC->SelectObject(&font);
            const COLORREF oldColor = pDC->SetTextColor(RGB(0, 0, 0));
            const UINT oldAlign = pDC->SetTextAlign(TA_RIGHT | TA_BASELINE);
            pDC->TextOut(g.right, g.bottom, header);
            pDC->SetTextAlign(oldAlign);
            pDC->SetTextColor(oldColor);
            pDC->SelectObject(oldFont);
        }
    }

    m_printedObjectCount += PrintPlacedObjects(pDC, t.origin, t.zoom, t.page, t.offsetX, t.offsetY, t.scale);

    const LayerFilter filter(m_document, this);
    const int pens = static_cast<int>(m_document->m_pens.GetSize());
    const auto points = ByPen<CDataPoints>(m_document->m_pointBlocks, pens);
    const auto lines = ByPen<CLines>(m_document->m_lineBlocks, pens);
    const auto circles = ByPen<CCircles>(m_document->m_circleBlocks, pens);
    const auto arcs = ByPen<CArcs>(m_document->m_arcBlocks, pens);
    const auto conics = ByPen<CConics>(m_document->m_conicBlocks, pens);
    const auto curves = ByPen<CCurves>(m_document->m_curveBlocks, pens);
    const RECT& page = t.page;

    // The blur passes of a pen at a device width: the callback draws with each pass's pen.
    auto blurPasses = [&](const CTypePen& pen, int w, int style, auto draw) {
        // A width that is not positive (from a damaged file) counts as 1: it divides the step.
        const int penWidth = pen.m_width > 0 ? pen.m_width : 1;
        const int step = static_cast<int>(2.0 * w / penWidth);
        int budget = w + step;
        int n = 0;
        if (step != 0)
            n = std::min<int>(pen.m_blurCount, budget / step);
        for (int j = 0; j <= n; ++j) {
            COLORREF color = pen.m_color;
            AdjustColorForPrint(color);
            budget -= step;
            if (budget < 1)
                break;
            BlurColorForPrint(color, pen.m_blurRate, n, j);
            if (!SelectDrawingPen(pDC, style, budget, color))
                continue;
            draw();
            RestoreDrawingPen(pDC);
        }
    };
    auto deviceWidth = [&](const CTypePen& pen) {
        const int penWidth = pen.m_width > 0 ? pen.m_width : 1;
        return ScaledPrintPenWidth(penWidth, params.thickAtSetWidth ? 10.0 : t.scale * t.zoom);
    };

    for (int p = 0; p < pens; ++p) {
        const CTypePen* pen = m_document->GetPen(p);
        if (!pen)
            continue;
        blurPasses(*pen, deviceWidth(*pen), PenStyle(*pen), [&] {
            if (params.points)
                PrintBlocks(points[p], filter, [&](CDataPoint& e) {
                    e.Print(pDC, t.origin, t.zoom, page, t.offsetX, t.offsetY, t.scale);
                });
            if (!params.printerLineTypes)
                return;
            auto plain = [&](auto& e) { e.Print(pDC, t.origin, t.zoom, page, t.offsetX, t.offsetY, t.scale); };
            PrintBlocks(lines[p], filter, plain);
            PrintBlocks(circles[p], filter, plain);
            PrintBlocks(arcs[p], filter, plain);
            PrintBlocks(conics[p], filter, plain);
            PrintBlocks(curves[p], filter, plain);
        });
    }

    // The printer draws the line types itself when asked to; otherwise they are laid here.
    if (!params.printerLineTypes) {
        for (int p = 0; p < pens; ++p) {
            const CTypePen* pen = m_document->GetPen(p);
            if (!pen)
                continue;
            int w = deviceWidth(*pen);
            if (params.thinDarker && pen->m_width == 1)
                w = 2;
            const int type = pen->m_lineType;
            blurPasses(*pen, w, PS_SOLID, [&] {
                PrintBlocks(lines[p], filter, [&](CLine& e) {
                    CLine copy(e);
                    const CPointD& a = copy.m_start;
                    const CPointD& b = copy.m_end;
                    if (a.m_y == b.m_y)
                        copy.PrintHorizontalStyled(pDC, t.origin, t.zoom, page, t.offsetX, t.offsetY, t.scale, type);
                    else if (a.m_x == b.m_x)
                        copy.PrintVerticalStyled(pDC, t.origin, t.zoom, page, t.offsetX, t.offsetY, t.scale, type);
                    else
                        copy.PrintObliqueStyled(pDC, t.origin, t.zoom, page, t.offsetX, t.offsetY, t.scale, type);
                });
                auto styled = [&](auto& e) {
                    e.PrintStyled(pDC, t.origin, t.zoom, page, t.offsetX, t.offsetY, t.scale, type);
                };
                PrintBlocks(circles[p], filter, styled);
                PrintBlocks(arcs[p], filter, styled);
                PrintBlocks(conics[p], filter, styled);
                PrintBlocks(curves[p], filter, styled);
            });
        }
    }

    int slanted = 0;
    const int fonts = static_cast<int>(m_document->m_fonts.GetSize());
    const auto texts = ByPen<CTexts>(m_document->m_textBlocks, fonts);
    for (int f = 0; f < fonts; ++f) {
        const CTypeFont* font = m_document->GetFont(f);
        if (!font || texts[f].empty())
            continue;
        const double height = font->m_height * t.scale * t.zoom * 0.1;
        const double width = font->m_width * t.scale * t.zoom * 0.1;
        LOGFONT lf = font->m_logFont;
        lf.lfHeight = -TruncToInt(height);
        lf.lfWidth = TruncToInt(width);
        // Past the 16-bit range the tenth sizes stop just short of its end.
        SIZE tenths{16383, 32766};
        if (height < 3276 && width < 3276)
            tenths = SIZE{TruncToInt(width * 10), TruncToInt(height * 10)};
        int readable = 1;
        const BOOL selected = pInfo->m_bPreview ? SelectPrintFont(pDC, lf, tenths, readable)
                                                : SelectRotatedPrintFont(pDC, lf, readable);
        if (!selected || !m_font)
            continue;
        const LOGFONT& made = m_font->m_logFont;
        const int charHeight = -made.lfHeight;
        const int charWidth = made.lfWidth != 0 ? made.lfWidth : charHeight / 2;
        const double angle = PI * font->m_angle / 180.0;
        const bool turned = !NearRightAngle(font->m_angle);
        PrintBlocks(texts[f], filter, [&](CText& e) {
            // Only a text that is printed makes the page slanted.
            if (turned)
                slanted = 1;
            COLORREF color = e.m_color;
            AdjustColorForPrint(color);
            if (font->m_style2 == 1)
                e.Print(pDC, t.origin, t.zoom, page, color, t.offsetX, t.offsetY, t.scale, angle, charHeight);
            else
                e.PrintLayout(pDC, t.origin, t.zoom, page, color, t.offsetX, t.offsetY, t.scale, charHeight,
                              charWidth, font);
        });
        RestoreFont(pDC);
    }
    pDC->SetBkMode(oldBk);
    return slanted;
}

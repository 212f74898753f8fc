// The mode items of the command popup menu: each sets the input pattern of a drawing command,
// an edit of a picked element or a group operation, and is ticked while that pattern is the
// current one. One table holds every item; the handlers read their steps from it.
#include <cstring>

#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "platform/ui/CmdTarget.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

namespace {

using Fam = CSubMode::Family;
using Obj = CSubMode::Object;

// Flags of an item's extra steps.
constexpr int kReset = 1;            // the command restarts before the pattern is set
constexpr int kLayerSame = 2;        // layer condition 1, same layer as the element
constexpr int kPostValue = 4;        // a value is posted after the length-input flag
constexpr int kPostDefault = 8;      // the command's default length is posted instead of guidance
constexpr int kPreviewAfter = 16;    // the preview after the prompt
constexpr int kTextInput = 32;       // the input bar takes text
constexpr int kDimLength = 64;       // the length-input flag of the main dimension command
constexpr int kNoLength = 128;       // no length-input flag
constexpr int kLineToo = 256;        // the interrupt line command takes "#L" as well
constexpr int kArcEditToo = 512;     // the interrupt circle's arc-edit pattern becomes "#P"
constexpr int kSelectText = 1024;    // the text being edited is offered in the input bar
constexpr int kNumericInput = 2048;  // the input bar takes numbers
constexpr int kFocusView = 4096;     // the keyboard focus goes to the view
constexpr int kMoveTick = 8192;      // ticked only while moveNotCopy matches the item's

constexpr CSubMode kSubModes[] = {
    // POINT and E_POINT.
    { 33017, "単一点", Fam::Create, 1, Obj::Point, "P", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 33018, "分割点", Fam::Create, 1, Obj::Point, "NPP", nullptr, kPostValue, 4, 2.0, 0, 0, 0 },
    { 33019, "点の移動", Fam::EditMain, 1, Obj::Point, "#P", nullptr, kLayerSame, 0, 0.0, 0, 0, 0 },
    // LINE.
    { 32953, "2点線", Fam::Create, 2, Obj::Line, "SE", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32962, "通過角度線", Fam::Create, 2, Obj::Line, "PAPP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32964, "始点角度線/角度放射線", Fam::Create, 2, Obj::Line, "SANP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32980, "始点長さ線/長さ放射線", Fam::Create, 2, Obj::Line, "SDNP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32965, "接線", Fam::Create, 2, Obj::Line, "CP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32966, "平行線", Fam::Create, 2, Obj::Line, "LP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32968, "傾斜線/垂線/傾斜放射線", Fam::Create, 2, Obj::Line, "LANP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32969, "連続角度線", Fam::Create, 2, Obj::Line, "APPP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32970, "連続長さ線", Fam::Create, 2, Obj::Line, "DP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32971, "面取り", Fam::Create, 2, Obj::Line, "DLL", nullptr, kLayerSame, 0, 0.0, 0, 0, 0 },
    { 32972, "矩形", Fam::Create, 2, Obj::Line, "BP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    // E_LINE: the length-input flag is the interrupt circle command's.
    { 32973, "延短", Fam::EditLine, 2, Obj::Line, "#L", "#L #C #P", kArcEditToo, 0, 0.0, 0, 0, 0 },
    { 32974, "端点移動", Fam::EditLine, 2, Obj::Line, "#SP", "#SP #EP", 0, 0, 0.0, 0, 0, 0 },
    { 32975, "角度変更", Fam::EditLine, 2, Obj::Line, "#AP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32976, "長さ変更", Fam::EditLine, 2, Obj::Line, "#DP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 32977, "中抜き/切断", Fam::EditLine, 2, Obj::Line, "#pp", "#pp #pl #pc #lp #ll #lc #cp #cl #cc", 0, 0, 0.0, 0, 0, 0 },
    { 32978, "属性変更", Fam::EditLine, 2, Obj::Line, "#Q", nullptr, 0, 0, 0.0, 0, 0, 0 },
    // CIRCLE and ARC, both on the main circle command.
    { 32981, "中心(接)円/同心円", Fam::Create, 3, Obj::Circle, "PP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 32985, "直径円", Fam::Create, 3, Obj::Circle, "BB", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 32986, "弧角円", Fam::Create, 3, Obj::Circle, "APP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 32987, "連続半径円", Fam::Create, 3, Obj::Circle, "DP", nullptr, kReset | kPostDefault, 6, 0.0, 0, 0, 0 },
    { 32989, "連続半径接円/2点円", Fam::Create, 3, Obj::Circle, "DLL", nullptr, kReset | kPostDefault, 6, 0.0, 0, 0, 0 },
    { 32995, "３要素接円～３点円", Fam::Create, 3, Obj::Circle, "LLL", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 32996, "多角形", Fam::Create, 3, Obj::Circle, "NPP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 32997, "連続半径多角形", Fam::Create, 3, Obj::Circle, "DNP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 32998, "中心(接)円弧/同心円弧", Fam::Create, 4, Obj::Circle, "PP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 32999, "半円弧", Fam::Create, 4, Obj::Circle, "BB", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 33000, "弧角円弧", Fam::Create, 4, Obj::Circle, "APP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 33001, "連続半径円弧", Fam::Create, 4, Obj::Circle, "DP", nullptr, kReset | kPostDefault, 6, 0.0, 0, 0, 0 },
    { 33002, "連続半径接円弧/2点/角丸め", Fam::Create, 4, Obj::Circle, "DLL", nullptr, kReset | kPostDefault, 6, 0.0, 0, 0, 0 },
    { 33004, "３要素接円弧/３点円弧", Fam::Create, 4, Obj::Circle, "LLL", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 33005, "多角形", Fam::Create, 4, Obj::Circle, "NPP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 33006, "連続半径多角形", Fam::Create, 4, Obj::Circle, "DNP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    // E_CIRCLE and E_ARC on the interrupt circle command.
    { 33007, "円弧化", Fam::EditCircle, 3, Obj::Circle, "%PP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 33008, "径の変更", Fam::EditCircle, 3, Obj::Circle, "%D", nullptr, kPreviewAfter, 0, 0.0, 0, 0, 0 },
    { 33009, "属性変更", Fam::EditCircle, 3, Obj::Circle, "%Q", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 33010, "楕円化", Fam::EditCircle, 3, Obj::Circle, "%JP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 33011, "端点延短", Fam::EditArc, 4, Obj::Circle, "#P", nullptr, kLineToo, 0, 0.0, 0, 0, 0 },
    { 33014, "端点の移動", Fam::EditArc, 4, Obj::Circle, "#SP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 33012, "中抜き/切断", Fam::EditArc, 4, Obj::Circle, "#pp", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 33013, "径の変更", Fam::EditArc, 4, Obj::Circle, "#D", nullptr, kPreviewAfter, 0, 0.0, 0, 0, 0 },
    { 33015, "属性変更", Fam::EditArc, 4, Obj::Circle, "#Q", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 33016, "楕円弧化", Fam::EditArc, 4, Obj::Circle, "#JP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    // TEXT and E_TEXT.
    { 32957, "文字列配置", Fam::Create, 7, Obj::Text, "P", nullptr, kTextInput, 0, 0.0, 0, 0, 0 },
    { 33020, "連続文字列", Fam::Create, 7, Obj::Text, "BPK", nullptr, kTextInput, 0, 0.0, 0, 0, 0 },
    { 33021, "箱配置文字列", Fam::Create, 7, Obj::Text, "BB", nullptr, kTextInput, 0, 0.0, 0, 0, 0 },
    { 33022, "文字列移動", Fam::EditText, 7, Obj::Text, "#P", nullptr, 0, 0, 0.0, 0, 0, 0 },
    { 33023, "文字変更", Fam::EditText, 7, Obj::Text, "#T", nullptr, kSelectText, 0, 0.0, 0, 0, 0 },
    { 33024, "角度変更", Fam::EditText, 7, Obj::Text, "#A", nullptr, kNumericInput, 0, 0.0, 0, 0, 0 },
    { 33025, "属性変更", Fam::EditText, 7, Obj::Text, "#Q", nullptr, kFocusView, 0, 0.0, 0, 0, 0 },
    { 33026, "文字列サイズ変更", Fam::EditText, 7, Obj::Text, "#SP", nullptr, 0, 0, 0.0, 0, 0, 0 },
    // DIMENSION.
    { 33027, "２点間寸法線", Fam::Create, 10, Obj::Dimension, "APPP", nullptr, kPostValue | kPreviewAfter, 11, 0.0, 0, 0, 0 },
    { 33028, "直径/半径寸法線", Fam::Create, 10, Obj::Dimension, "CPP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 33029, "面取り寸法線", Fam::Create, 10, Obj::Dimension, "LP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 33030, "角度寸法線", Fam::Create, 10, Obj::Dimension, "PPPPPP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 33031, "フーセン", Fam::Create, 10, Obj::Dimension, "TBW", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    { 33032, "引出し線", Fam::Create, 10, Obj::Dimension, "TPAP", nullptr, kReset, 0, 0.0, 0, 0, 0 },
    // LOOP: the loop command has no length-input routine; the dimension command's refreshes it.
    { 32959, "ハッチング", Fam::Create, 12, Obj::Loop, "OAP", nullptr, kDimLength, 0, 0.0, 0, 0, 0 },
    { 33034, "オフセット", Fam::Create, 12, Obj::Loop, "OD", nullptr, kDimLength, 0, 0.0, 0, 0, 0 },
    { 33035, "算定", Fam::Create, 12, Obj::Loop, "OQ", nullptr, kDimLength, 0, 0.0, 0, 0, 0 },
    { 33147, "円弧曲線化", Fam::Create, 12, Obj::Loop, "AV", nullptr, kNoLength, 0, 0.0, 0, 0, 0 },
    // DRAG on the group processor: moveNotCopy, then the input event given after the prompt.
    { 32960, "(回転)移動", Fam::Drag, 0, Obj::Group, "PP", nullptr, kLayerSame | kMoveTick, 0, 0.0, 1, 0, 0 },
    { 33036, "(回転)コピー", Fam::Drag, 0, Obj::Group, "PP", nullptr, kLayerSame | kMoveTick, 0, 0.0, 0, 0, 0 },
    { 33044, "ミラー移動", Fam::Drag, 0, Obj::Group, "APQ", nullptr, kLayerSame | kMoveTick, 0, 0.0, 1, 0, 0 },
    { 33045, "ミラーコピー", Fam::Drag, 0, Obj::Group, "APQ", nullptr, kLayerSame | kMoveTick, 0, 0.0, 0, 0, 0 },
    { 33039, "変形", Fam::Drag, 0, Obj::Group, "ZP", nullptr, kLayerSame, 0, 0.0, 0, 0, 0 },
    { 33041, "グループ化", Fam::Drag, 0, Obj::Group, "G", nullptr, kLayerSame, 0, 0.0, 0, 14, 34 },
    { 33042, "グループ解除", Fam::Drag, 0, Obj::Group, "g", nullptr, kLayerSame, 0, 0.0, 0, 14, 35 },
    { 33043, "属性変更", Fam::Drag, 0, Obj::Group, "Q", nullptr, kLayerSame, 0, 0.0, 0, 0, 0 },
    // Kept as it was: the layer move is ticked while the move pattern is current.
    { 33050, "レイヤ移動", Fam::Drag, 0, Obj::Group, "Y", "PP", kNoLength, 0, 0.0, 1, 17, 0 },
    { 33040, "マルチテキスト編集", Fam::DragMultiText, 0, Obj::Group, nullptr, "MP", 0, 0, 0.0, 0, 0, 0 },
    { 33046, "削除", Fam::DragDelete, 0, Obj::Group, nullptr, nullptr, 0, 0, 0.0, 0, 0, 0 },
};

// Whether the pattern is one of the space-separated list.
bool PatternListed(const CString& pattern, const char* list)
{
    const char* p = list;
    const size_t n = static_cast<size_t>(pattern.GetLength());
    while (*p) {
        const char* end = std::strchr(p, ' ');
        const size_t len = end ? static_cast<size_t>(end - p) : std::strlen(p);
        if (len == n && std::memcmp(p, pattern.GetString(), n) == 0)
            return true;
        if (!end)
            break;
        p = end + 1;
    }
    return false;
}

bool Ticks(const CSubMode& m, const CString& pattern)
{
    return PatternListed(pattern, m.ticks ? m.ticks : m.pattern);
}

// The main instance's pattern of an object; none when the drawing has no such command.
CString* MainPattern(CZelkDoc* doc, Obj obj)
{
    switch (obj) {
    case Obj::Point: return doc->m_pointCmd ? &doc->m_pointCmd->m_modePattern : nullptr;
    case Obj::Line: return doc->m_lineCmd ? &doc->m_lineCmd->m_modePattern : nullptr;
    case Obj::Circle: return doc->m_circleCmd ? &doc->m_circleCmd->m_modePattern : nullptr;
    case Obj::Text: return doc->m_textCmd ? &doc->m_textCmd->m_modePattern : nullptr;
    case Obj::Dimension: return doc->m_dimCmd ? &doc->m_dimCmd->m_modePattern : nullptr;
    case Obj::Loop: return doc->m_loopCmd ? &doc->m_loopCmd->m_modePattern : nullptr;
    case Obj::Group: return g_pApp && g_pApp->m_groupProcessor ? &g_pApp->m_groupProcessor->modePattern : nullptr;
    }
    return nullptr;
}

CString* InterruptPattern(CZelkDoc* doc, Obj obj)
{
    switch (obj) {
    case Obj::Line: return doc->m_lineCmdInt ? &doc->m_lineCmdInt->m_modePattern : nullptr;
    case Obj::Circle: return doc->m_circleCmdInt ? &doc->m_circleCmdInt->m_modePattern : nullptr;
    case Obj::Text: return doc->m_textCmdInt ? &doc->m_textCmdInt->m_modePattern : nullptr;
    default: return nullptr;
    }
}

// The steps every main command object shares, on the object of the item.
void ResetMain(CZelkDoc* doc, Obj obj)
{
    switch (obj) {
    case Obj::Point: if (doc->m_pointCmd) doc->m_pointCmd->Reset(); break;
    case Obj::Line: if (doc->m_lineCmd) doc->m_lineCmd->Reset(); break;
    case Obj::Circle: if (doc->m_circleCmd) doc->m_circleCmd->Reset(); break;
    case Obj::Text: if (doc->m_textCmd) doc->m_textCmd->Reset(); break;
    case Obj::Dimension: if (doc->m_dimCmd) doc->m_dimCmd->Reset(); break;
    default: break;
    }
}

void UpdateLengthMain(CZelkDoc* doc, Obj obj)
{
    switch (obj) {
    case Obj::Point: if (doc->m_pointCmd) doc->m_pointCmd->UpdateLengthInputFlag(); break;
    case Obj::Line: if (doc->m_lineCmd) doc->m_lineCmd->UpdateLengthInputFlag(); break;
    case Obj::Circle: if (doc->m_circleCmd) doc->m_circleCmd->UpdateLengthInputFlag(); break;
    case Obj::Text: if (doc->m_textCmd) doc->m_textCmd->UpdateLengthInputFlag(); break;
    case Obj::Dimension: if (doc->m_dimCmd) doc->m_dimCmd->UpdateLengthInputFlag(); break;
    default: break;
    }
}

void ShowGuidanceMain(CZelkDoc* doc, Obj obj)
{
    switch (obj) {
    case Obj::Point: if (doc->m_pointCmd) doc->m_pointCmd->ShowGuidance(); break;
    case Obj::Line: if (doc->m_lineCmd) doc->m_lineCmd->ShowGuidance(); break;
    case Obj::Circle: if (doc->m_circleCmd) doc->m_circleCmd->ShowGuidance(); break;
    case Obj::Text: if (doc->m_textCmd) doc->m_textCmd->ShowGuidance(); break;
    case Obj::Dimension: if (doc->m_dimCmd) doc->m_dimCmd->ShowGuidance(); break;
    case Obj::Loop: if (doc->m_loopCmd) doc->m_loopCmd->ShowGuidance(); break;
    default: break;
    }
}

void GuidanceAndPrompt(CZelkApp* app, CZelkDoc* doc)
{
    app->SetGuidance(doc);
    app->ShowPrompt();
}

CInputComboBox* InputBox(CZelkApp* app)
{
    CMainFrame* frame = app->m_pMainFrame;
    if (!frame || !frame->m_wndInputBar.m_inputBox.GetSafeHwnd())
        return nullptr;
    return &frame->m_wndInputBar.m_inputBox;
}

} // namespace

const CSubMode* FindSubMode(UINT id)
{
    for (const CSubMode& m : kSubModes)
        if (m.id == id)
            return &m;
    return nullptr;
}

const CSubMode* SubModesBegin()
{
    return std::begin(kSubModes);
}

const CSubMode* SubModesEnd()
{
    return std::end(kSubModes);
}

void CZelkView::OnSubModeCommand(UINT id)
{
    const CSubMode* m = FindSubMode(id);
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_document;
    if (!m || !app || !doc)
        return;
    app->m_modeFromMenu = 1;
    switch (m->family) {
    case Fam::Create: {
        if (app->m_appCommand.popupMenuType) {
            app->SwitchMode(doc, nullptr, 1, m->kind, 0);
            app->ComputePreview(doc);
        }
        if (m->flags & kLayerSame)
            app->SetLayerCondSame();
        if (m->flags & kReset)
            ResetMain(doc, m->object);
        if (CString* pattern = MainPattern(doc, m->object))
            *pattern = m->pattern;
        if (m->flags & kDimLength) {
            if (doc->m_dimCmd)
                doc->m_dimCmd->UpdateLengthInputFlag();
        } else if (!(m->flags & kNoLength)) {
            UpdateLengthMain(doc, m->object);
        }
        if (m->flags & kPostValue)
            doc->m_inputEvent->PostValue(m->value, m->subCode);
        if (m->flags & kPostDefault) {
            if (doc->m_circleCmd)
                doc->m_inputEvent->PostValue(doc->m_circleCmd->m_defaultLength, m->subCode);
            app->ComputePreview(doc);
        } else {
            ShowGuidanceMain(doc, m->object);
            GuidanceAndPrompt(app, doc);
            if (m->flags & kPreviewAfter)
                app->ComputePreview(doc);
        }
        if ((m->flags & kTextInput) && app->m_inputBar)
            app->m_inputBar->StartTextInput();
        break;
    }
    case Fam::EditMain:
        app->SetLayerCondSame();
        if (CString* pattern = MainPattern(doc, m->object))
            *pattern = m->pattern;
        UpdateLengthMain(doc, m->object);
        ShowGuidanceMain(doc, m->object);
        GuidanceAndPrompt(app, doc);
        break;
    case Fam::EditLine: {
        app->SetLayerCondSame();
        CLineCommand* line = doc->m_lineCmdInt;
        CCircleCommand* circle = doc->m_circleCmdInt;
        if (line)
            line->m_modePattern = m->pattern;
        if ((m->flags & kArcEditToo) && circle)
            circle->m_lastArcEditPattern = "#P";
        // Kept as it was: the circle command's routine refreshes the flag for the line edits.
        if (m->flags & kArcEditToo) {
            if (circle)
                circle->UpdateLengthInputFlag();
            if (line)
                line->ShowGuidance();
        } else {
            if (line)
                line->ShowGuidance();
            if (circle)
                circle->UpdateLengthInputFlag();
        }
        app->ComputePreview(doc);
        GuidanceAndPrompt(app, doc);
        break;
    }
    case Fam::EditCircle:
    case Fam::EditArc: {
        app->SetLayerCondSame();
        CCircleCommand* circle = doc->m_circleCmdInt;
        if (circle) {
            circle->m_modePattern = m->pattern;
            (m->family == Fam::EditCircle ? circle->m_lastCircleEditPattern : circle->m_lastArcEditPattern) = m->pattern;
        }
        CLineCommand* line = (m->flags & kLineToo) ? doc->m_lineCmdInt : nullptr;
        if (line)
            line->m_modePattern = "#L";
        if (circle) {
            circle->UpdateLengthInputFlag();
            if (line)
                line->UpdateLengthInputFlag();
            circle->ShowGuidance();
        }
        GuidanceAndPrompt(app, doc);
        if (m->flags & kPreviewAfter)
            app->ComputePreview(doc);
        break;
    }
    case Fam::EditText: {
        app->SetLayerCondSame();
        CTextCommand* text = doc->m_textCmdInt;
        if (text) {
            text->m_modePattern = m->pattern;
            text->UpdateLengthInputFlag();
            text->ShowGuidance();
        }
        GuidanceAndPrompt(app, doc);
        CInputBar* bar = app->m_inputBar;
        if ((m->flags & kSelectText) && bar) {
            bar->SelectList(2, 1, 1);
            const CString current = text ? text->m_string : CString();
            CInputComboBox* box = InputBox(app);
            const int found = box ? box->FindStringExact(-1, current) : -1;
            if (found >= 0) {
                box->SetCurSel(found);
            } else {
                bar->m_enteredText = current;
                // The box's data follow the text as it is: the data exchange would select the
                // first entry that merely begins with it ("部品" would show "部品表").
                if (box) {
                    app->m_pMainFrame->m_wndInputBar.m_boxText = current;
                    box->SetWindowText(current);
                }
            }
        }
        if ((m->flags & kNumericInput) && bar)
            bar->SelectList(1, 0, 1);
        if ((m->flags & kFocusView) && GetSafeHwnd())
            SetFocus();
        break;
    }
    case Fam::Drag: {
        CGroupProcessor* group = app->m_groupProcessor;
        if (!group)
            break;
        if (m->flags & kLayerSame)
            app->SetLayerCondSame();
        group->m_moveFlag = m->moveNotCopy;
        group->modePattern = m->pattern;
        if (!(m->flags & kNoLength))
            group->UpdateLengthInputFlag();
        group->m_preset = 1;
        group->ShowGuidance();
        GuidanceAndPrompt(app, doc);
        if (m->inputKind)
            group->OnInput(doc, m->inputKind, m->inputSubCode);
        break;
    }
    case Fam::DragMultiText:
        StartMultiText(0);
        break;
    case Fam::DragDelete: {
        const int deleted = doc->DeleteSelected(1);
        if (deleted) {
            doc->RedrawChangedElements(1);
            if (doc->m_undoHistory)
                doc->m_undoHistory->Commit(2);
            app->ShowMessage("選択要素を消去し、群処理モードを解除しました", 0);
        } else {
            app->ShowMessage("群処理モードを解除しました", 0);
        }
        doc->m_groupProcessing = 0;
        doc->m_deformMode = 0;
        ClearDragSketch();
        break;
    }
    }
}

void CZelkView::OnUpdateSubModeCommand(CCmdUI* pCmdUI)
{
    const CSubMode* m = FindSubMode(pCmdUI->m_nID);
    const CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_document;
    if (!m || !app || !doc)
        return;
    switch (m->family) {
    case Fam::Create:
    case Fam::EditMain: {
        const CString* pattern = MainPattern(doc, m->object);
        pCmdUI->SetCheck(app->m_commandKind == m->kind && pattern && Ticks(*m, *pattern));
        break;
    }
    case Fam::EditLine:
    case Fam::EditCircle:
    case Fam::EditArc:
    case Fam::EditText: {
        const CString* pattern = InterruptPattern(doc, m->object);
        pCmdUI->SetCheck(app->m_interruptKind == m->kind && pattern && Ticks(*m, *pattern));
        break;
    }
    case Fam::Drag:
    case Fam::DragMultiText: {
        const CGroupProcessor* group = app->m_groupProcessor;
        const bool deform = m->pattern && std::strcmp(m->pattern, "ZP") == 0;
        bool tick = doc->m_groupProcessing != 0 && group && Ticks(*m, group->modePattern);
        if (tick && (m->flags & kMoveTick))
            tick = (group->m_moveFlag != 0) == (m->moveNotCopy != 0);
        if (deform) {
            pCmdUI->Enable(doc->m_deformMode != 0);
            pCmdUI->SetCheck(doc->m_deformMode != 0 && tick);
        } else {
            pCmdUI->Enable(doc->m_deformMode == 0);
            pCmdUI->SetCheck(tick);
        }
        break;
    }
    case Fam::DragDelete:
        pCmdUI->Enable(app->m_symbolDoc == nullptr);
        break;
    }
}

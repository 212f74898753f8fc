// The menu, tool-bar and accelerator commands of the drawing view: one table names each
// command's help page, the code it hands to the command dispatcher or its own action, and the
// rule its menu item is ticked or enabled by. Also the starters of the drawing commands, the
// entry into group processing, the font command and the numeric moves of the base point.
#include <cmath>

#include "app/AppPath.h"
#include "app/CreationEnvButton.h"
#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "app/PastedImageRedrawDialog.h"
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "formats/BufferRoutines.h"
#include "formats/FileDialogs.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/LayerOps.h"
#include "input/PickList.h"
#include "input/RelativeCoordSystem.h"
#include "macro/MacroInterpreter.h"
#include "macro/TextDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/Dialog.h"
#include "userapp/UserAppManager.h"
#include "view/ViewCommandTable.h"
#include "view/ZelkView.h"

namespace {

constexpr int kContextHelpArmed = 11;
constexpr double kPi = 3.141592653589793;
constexpr DWORD kFontShowHelp = 0x00000004;
constexpr DWORD kFontFixedPitchOnly = 0x00004000;

using Act = CViewCommand::Act;
using Upd = CViewCommand::Upd;

constexpr CViewCommand kViewCommands[] = {
    { 32779, "操作戻り (space key)", "Help\\HID_OPERATIONBACK.htm", 203, Act::Dispatch, Upd::None, 0, 0 },
    { 32774, "UNDO (U)", "Help\\HID_UNDO.htm", 201, Act::Dispatch, Upd::Undo, 0, 0 },
    { 32775, "REDO (shift+U)", "Help\\HID_REDO.htm", 202, Act::Dispatch, Upd::Redo, 0, 0 },
    { 32782, "再描画 (R)", "Help\\HID_REDRAW.htm", 103, Act::Dispatch, Upd::None, 0, 0 },
    { 32783, "初期位置表示 (HOME CLR)", "Help\\HID_HOMEVIEW.htm", 104, Act::Dispatch, Upd::None, 0, 0 },
    { 113, "書込レイヤ設定 (W)", "Help\\HID_ATR_LAYERACTIVE.htm", 204, Act::Dispatch, Upd::InterruptMode, 33, 34 },
    { 114, "参照レイヤ設定　(Y)", "Help\\HID_ATR_LAYERREFERENCE.htm", 205, Act::Dispatch, Upd::InterruptMode, 35, 35 },
    { 115, "全レイヤ表示 (E)", "Help\\HID_ATR_LAYEREVERY.htm", 206, Act::Dispatch, Upd::ShowAllLayers, 0, 0 },
    { 33090, "ﾚｲﾔ名称変更 (Shift+W)", "Help\\HID_LAYER_CHANGENAME.htm", 219, Act::Dispatch, Upd::InterruptMode, 34, 34 },
    { 33088, "単ﾚｲﾔ表示 (Shift+/Ctrl+)F2", "Help\\HID_ATR_LAYERALONE.htm", 218, Act::Dispatch, Upd::SingleLayer, 0, 0 },
    { 33064, "測定 (Ctrl+Shift+Click)", "Help\\H_INP_DEVIDE.htm", 212, Act::Dispatch, Upd::InterruptMode, 40, 40 },
    { 33065, "長さ検索", "Help\\HID_FIND_LENGTH.htm", 213, Act::Dispatch, Upd::InterruptMode, 41, 41 },
    { 33066, "角度検索", "Help\\HID_FIND_DEGREE.htm", 214, Act::Dispatch, Upd::InterruptMode, 42, 42 },
    { 33068, "線種検索", "Help\\HID_FIND_TYPELINE.htm", 215, Act::Dispatch, Upd::InterruptMode, 43, 43 },
    { 33069, "カラー検索", "Help\\HID_FIND_COLOR.htm", 216, Act::Dispatch, Upd::InterruptMode, 44, 44 },
    { 33084, "線種線幅検索", "Help\\HID_FIND_WIDTHLINE.htm", 217, Act::Dispatch, Upd::InterruptMode, 45, 45 },
    { 116, "相対座標", "Help\\H_POINT_ORIGIN.htm", 208, Act::Dispatch, Upd::InterruptMode, 37, 37 },
    { 126, "座標拘束点設定", "Help\\HID_POINTRESTRICT.htm", 210, Act::Dispatch, Upd::InterruptMode, 39, 39 },
    { 32836, "Zelk文字列の解釈実行", "Help\\HID_ANALYZE.htm", 207, Act::Dispatch, Upd::InterruptMode, 36, 36 },
    { 141, "要素交点入力", "Help\\HID_SELPOINT_EXTEND.htm", 105, Act::Dispatch, Upd::SpecialMode, 70, 0 },
    { 32830, "画面操作(2度指定で連続モード)", "Help\\HID_CONTROL_VIEW.htm", 101, Act::Dispatch, Upd::SpecialMode, 53, 0 },
    { 32864, "削除", "Help\\HID_DELETEELEM.htm", 401, Act::Dispatch, Upd::CommandKind, 21, 0 },
    { 32897, "点 (P)", "Help\\HID_POINT.htm", 301, Act::Point, Upd::CommandKind, 1, 0 },
    { 32776, "線分 (L)", "Help\\HID_LINE.htm", 303, Act::Line, Upd::CommandKind, 2, 0 },
    { 32789, "円 (C)", "Help\\HID_CIRCLE.htm", 305, Act::Circle, Upd::CommandKind, 3, 0 },
    { 32777, "円弧 (A)", "Help\\HID_ARC.htm", 306, Act::Arc, Upd::CommandKind, 4, 0 },
    { 32778, "文字 (T)", "Help\\HID_TEXT.htm", 309, Act::Text, Upd::CommandKind, 7, 0 },
    { 32805, "寸法線 (D)", "Help\\HID_DIMENSION.htm", 312, Act::Dimension, Upd::CommandKind, 10, 0 },
    { 32900, "書きなぐり線 (Z)", "Help\\HID_CURVE_SCRIB.htm", 314, Act::Curve, Upd::CommandKind, 11, 0 },
    { 32901, "ループ  (O)", "Help\\HID_LOOP.htm", 316, Act::Loop, Upd::CommandKind, 12, 0 },
    { 32895, "群処理 (M)", "Help\\H_COMMAND_DRAG.htm", 0, Act::Group, Upd::BoxSelection, 0, 0 },
    { 32945, "困った時に (Esc)", "Help\\HID_ESCAPE.htm", 0, Act::Escape, Upd::Always, 0, 0 },
    { 32773, "文字フォント", "Help\\HID_SETFONT.htm", 0, Act::Font, Upd::None, 0, 0 },
    { 32784, "追加で開く", "Help\\HID_FILE_ADD.htm", 0, Act::AddOpen, Upd::None, 0, 0 },
    { 125, "数値移動起点設定 (*)", "Help\\HID_POINTLAST.htm", 209, Act::BasePoint, Upd::InterruptMode, 38, 38 },
    { 127, "点拘束", "Help\\HID_DIRECTION_POINT.htm", 211, Act::PointConstraint, Upd::ConstraintMode, 2, 0 },
    { 130, "横拘束", "Help\\HID_DIRECTION_HOLZ.htm", 211, Act::HorizontalConstraint, Upd::Horizontal, 0, 0 },
    { 131, "縦拘束", "Help\\HID_DIRECTION_VERT.htm", 211, Act::VerticalConstraint, Upd::Vertical, 0, 0 },
    { 132, "点拘束解除", "Help\\HID_DIRECTION_FREE.htm", 211, Act::ReleaseConstraint, Upd::PointConstrained, 0, 0 },
    { 33140, "マクロ記述ファイルを開く", "Help\\HID_MACRO_TEXT_OPEN.htm", 0, Act::MacroOpen, Upd::Always, 0, 0 },
    { 32835, "マクロファイルの解釈実行", "Help\\HID_ANALYZE_TEXT.htm", 0, Act::MacroRun, Upd::Always, 0, 0 },
    { 32797, "アプリケーションの実行", "Help\\HID_APPDO.htm", 0, Act::UserApp, Upd::UserApps, 0, 0 },
    { 32806, "全範囲選択", "Help\\HID_SELECT_ALL.htm", 0, Act::SelectAll, Upd::None, 0, 0 },
    { 32894, "マルチテキスト (Shift+T)", "Help\\HID_TEXT_MALTI.htm", 0, Act::MultiText, Upd::MultiText, 0, 0 },
    { 33135, "貼り付けた画像を後描きする", "Help\\HID_OLEFILE_DRAW.htm", 0, Act::PastedImages, Upd::PastedImages, 0, 0 },
};

// Messages of the commands.
const char* const kMsgHorizontalOff = "横の拘束を解除しました";
const char* const kMsgHorizontalOn = "横の拘束を設定しました";
const char* const kMsgVerticalOff = "縦の拘束を解除しました";
const char* const kMsgVerticalOn = "縦の拘束を設定しました";
const char* const kMsgReferenceLayers = "参照レイヤを表示しました";
const char* const kMsgAllSelected = "全てのデータを選択しました";
const char* const kMsgMultiText = "文字列をテキスト画面で入力してから、テキスト画面を終了させてください";
const char* const kMsgTextNotRead = "テキストファイルは読み込みできませんでした";
const char* const kMsgPastedImages[5] = {
    "貼り付けた画像が原因で見えなくなったファイルの図形データを表示しました。\n",
    "図形データを復活するには、[リンクアイテム選択]をOFFにし、\n",
    "[全範囲選択]して新規作成ドキュメントにコピーしてください。\n",
    "原因となった画像のデータは残存してますが復活は困難です。このビューは閉じてください。。\n",
    "画像をコピーした元のソフトには、[貼り付け]ではなく[オブジェクトの挿入]の使用を推奨します。",
};

// Cosine and sine of an angle in degrees, each to 15 decimals.
double C15(double degrees)
{
    return RoundToDecimals(std::cos(degrees * kPi / 180.0), 15);
}

double S15(double degrees)
{
    return RoundToDecimals(std::sin(degrees * kPi / 180.0), 15);
}

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

int Sense(int kind)
{
    return kind == 2 || kind == 4 ? -1 : 1;
}

CString PointText(const char* head, CPointD p)
{
    return CString(head) + DoubleRefToString(p.m_x) + " , " + DoubleRefToString(p.m_y) + " ) です";
}

} // namespace

const CViewCommand* FindViewCommand(UINT id)
{
    for (const CViewCommand& c : kViewCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

const CViewCommand* ViewCommandsBegin()
{
    return std::begin(kViewCommands);
}

const CViewCommand* ViewCommandsEnd()
{
    return std::end(kViewCommands);
}

void CZelkView::OnTableCommand(UINT id)
{
    const CViewCommand* c = FindViewCommand(id);
    CZelkApp* app = g_pApp;
    if (!c || !app)
        return;
    if (app->m_contextHelpMode == kContextHelpArmed) {
        app->ShowHelpPage(c->helpPage);
        app->m_contextHelpMode = 0;
        return;
    }
    CZelkDoc* doc = m_document;
    switch (c->action) {
    case Act::Dispatch:
        app->DispatchCommand(doc, this, c->code);
        break;
    case Act::Point:
        StartPointCommand(0);
        break;
    case Act::Line:
        StartLineCommand(0);
        break;
    case Act::Circle:
        StartCircleCommand(0);
        break;
    case Act::Arc:
        StartArcCommand(0);
        break;
    case Act::Text:
        StartTextCommand(0);
        break;
    case Act::Dimension:
        StartDimensionCommand(0);
        break;
    case Act::Curve:
        StartCurveCommand(0);
        break;
    case Act::Loop:
        StartLoopCommand(0);
        break;
    case Act::Group:
        StartGroupProcessing(0);
        break;
    case Act::Escape:
        app->CancelMode(doc, this);
        break;
    case Act::Font:
        OnSetFont();
        break;
    case Act::AddOpen:
        AddOpenFiles();
        break;
    case Act::BasePoint: {
        if (!doc)
            return;
        CPointD p = doc->m_refPoint;
        RoundPointToDecimals(p, app->m_appAcc.messageDigits());
        ShowMessageLine(CString("現在の数値移動起点は ( ") + DoubleRefToString(p.m_x) + ", " +
                        DoubleRefToString(p.m_y) + " ) です");
        app->DispatchCommand(doc, this, c->code);
        break;
    }
    case Act::PointConstraint:
        app->m_pointConstraintMode = 2;
        app->m_horizontalConstraint = 0;
        app->m_verticalConstraint = 0;
        app->m_pointConstrained = 0;
        app->DispatchCommand(doc, this, c->code);
        break;
    case Act::HorizontalConstraint:
    case Act::VerticalConstraint: {
        const bool horizontal = c->action == Act::HorizontalConstraint;
        // The flag itself belongs to the constraint handler behind the code.
        const bool on = (horizontal ? app->m_horizontalConstraint : app->m_verticalConstraint) != 0;
        app->m_pointConstraintMode = on ? 1 : (horizontal ? 3 : 4);
        app->ShowMessage(horizontal ? (on ? kMsgHorizontalOff : kMsgHorizontalOn)
                                    : (on ? kMsgVerticalOff : kMsgVerticalOn), 0);
        app->DispatchCommand(doc, this, c->code);
        break;
    }
    case Act::ReleaseConstraint:
        app->m_pointConstraintMode = 5;
        app->DispatchCommand(doc, this, c->code);
        break;
    case Act::MacroOpen:
        OpenMacroTextFile();
        break;
    case Act::MacroRun:
        RunMacroTextFile();
        break;
    case Act::UserApp:
        RunUserApplication();
        break;
    case Act::SelectAll:
        SelectAllElements();
        break;
    case Act::MultiText:
        StartMultiText(0);
        break;
    case Act::PastedImages:
        TogglePastedImagesLast();
        break;
    }
}

void CZelkView::OnUpdateTableCommand(CCmdUI* pCmdUI)
{
    const CViewCommand* c = FindViewCommand(pCmdUI->m_nID);
    const CZelkApp* app = g_pApp;
    if (!c || !app)
        return;
    const CZelkDoc* doc = m_document;
    const CUndoHistory* history = doc ? doc->m_undoHistory : nullptr;
    const int steps = history ? history->GetStepCount() : 0;
    switch (c->update) {
    case Upd::None:
    case Upd::Always:
        break;
    case Upd::Undo:
        pCmdUI->Enable(steps > 0 && history->m_current >= 0);
        break;
    case Upd::Redo:
        pCmdUI->Enable(steps > 0 && history->m_current < steps - 1);
        break;
    case Upd::InterruptMode:
        pCmdUI->SetCheck(app->m_interruptMode == c->value1 || app->m_interruptMode == c->value2);
        break;
    case Upd::SpecialMode:
        pCmdUI->SetCheck(app->m_specialMode == c->value1);
        break;
    case Upd::CommandKind:
        pCmdUI->SetCheck(app->m_commandKind == c->value1);
        break;
    case Upd::ConstraintMode:
        pCmdUI->SetCheck(app->m_pointConstraintMode == c->value1);
        break;
    case Upd::ShowAllLayers:
        pCmdUI->SetCheck(m_showAllLayers != 0);
        break;
    case Upd::SingleLayer:
        pCmdUI->SetCheck(m_singleLayerMode != 0);
        break;
    case Upd::BoxSelection:
        pCmdUI->SetCheck(doc && doc->m_groupProcessing != 0);
        break;
    case Upd::Horizontal:
        pCmdUI->SetCheck(app->m_horizontalConstraint != 0);
        break;
    case Upd::Vertical:
        pCmdUI->SetCheck(app->m_verticalConstraint != 0);
        break;
    case Upd::PointConstrained:
        pCmdUI->Enable(app->m_pointConstrained != 0);
        break;
    case Upd::UserApps:
        pCmdUI->Enable(app->m_userAppManager && app->m_userAppManager->GetAppCount() > 0);
        break;
    case Upd::MultiText:
        pCmdUI->SetCheck(app->m_groupProcessing != 0 && doc && doc->m_groupProcessing == 0);
        break;
    case Upd::PastedImages:
        pCmdUI->SetCheck(m_pastedImagesLast != 0);
        break;
    }
}

// ---- command starters ---------------------------------------------------------------------

void CZelkView::StartPointCommand(int macro)
{
    if (!g_pApp)
        return;
    CString text = g_pApp->FormatScaleText(m_document);
    g_pApp->DispatchCommand(m_document, this, macro ? 302 : 301);
    text += macro ? " マクロの点コマンドです" : " 点コマンドです";
    if (m_document)
        m_document->ShowMessageInViews(text);
}

void CZelkView::StartLineCommand(int macro)
{
    if (g_pApp)
        g_pApp->DispatchCommand(m_document, this, macro ? 304 : 303);
}

void CZelkView::StartCircleCommand(int macro)
{
    if (g_pApp)
        g_pApp->DispatchCommand(m_document, this, macro ? 307 : 305);
}

void CZelkView::StartArcCommand(int macro)
{
    if (g_pApp)
        g_pApp->DispatchCommand(m_document, this, macro ? 308 : 306);
}

void CZelkView::StartTextCommand(int macro)
{
    if (g_pApp)
        g_pApp->DispatchCommand(m_document, this, macro ? 310 : 309);
}

void CZelkView::StartDimensionCommand(int macro)
{
    if (g_pApp)
        g_pApp->DispatchCommand(m_document, this, macro ? 313 : 312);
}

void CZelkView::StartCurveCommand(int macro)
{
    if (g_pApp)
        g_pApp->DispatchCommand(m_document, this, macro ? 315 : 314);
}

void CZelkView::StartLoopCommand(int macro)
{
    if (g_pApp)
        g_pApp->DispatchCommand(m_document, this, macro ? 317 : 316);
}

void CZelkView::StartGroupProcessing(int macro)
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_document;
    if (!app || !doc)
        return;
    CString text = app->FormatScaleText(doc);
    CGroupProcessor* group = app->m_groupProcessor;
    if (macro) {
        app->ClearOtherSelections(nullptr);
        if (group)
            group->AttachTo(doc);
        doc->m_groupProcessing = 1;
        doc->m_deformMode = 0;
        text += " マクロの群処理です。処理する要素を箱選択してください。";
    } else {
        if (app->m_appFind.boxSelectionMode == 3) {
            app->EndTransformMode();
            text = "範囲内モードボタンに切替えました";
            doc->ShowMessageInViews(text);
        }
        doc->m_groupProcessing = 1;
        doc->m_deformMode = 0;
        if (group) {
            group->Reset(0);
            group->m_document = doc;
        }
        app->m_savedLayerCondition = app->m_appElem.m_layerCondition;
        app->m_appElem.m_creationEnv = 1;
        ShowCreationEnvButton(*app);
        if (!app->m_symbolDoc)
            app->SetLayerCondSame();
        text += " 群処理モードに入りました。処理する要素を選択してください。";
    }
    doc->ShowMessageInViews(text);
}

// ---- the font command ---------------------------------------------------------------------

void CZelkView::OnSetFont()
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_document;
    if (!app || !doc)
        return;
    doc->RedrawPreviewsInViews();
    LOGFONT initial = app->m_appText.m_logFont;
    CFontDialog dialog(&initial, CF_SCREENFONTS | CF_EFFECTS | kFontShowHelp | kFontFixedPitchOnly, nullptr, this);
    dialog.m_cf.Flags &= ~kFontFixedPitchOnly;
    dialog.m_cf.rgbColors = app->m_appElem.m_color;
    if (dialog.DoModal() != IDOK)
        return;
    LOGFONT chosen;
    dialog.GetCurrentFont(&chosen);
    app->m_appText.m_logFont = chosen;
    app->AddColorToTable(dialog.GetColor());
    double angle = 0;
    double height = 0;
    double width = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    CString face;
    UnpackLogFont(chosen, angle, height, width, italic, underline, strikeOut, face);
    app->m_appText.SetHeight(height);
    MeasureDefaultCharWidth();
    app->m_appText.SetFaceName(face);
    app->m_appText.SetItalic(static_cast<BYTE>(italic));
    app->m_appText.SetUnderline(static_cast<BYTE>(underline));
    app->m_appText.SetStrikeOut(static_cast<BYTE>(strikeOut));
    const double h = app->m_appText.m_heightTenths * 0.1;
    const double w = app->m_appText.m_widthTenths * 0.1;
    CString line = DoubleRefToString(h) + "H, " + DoubleRefToString(w) + "W, " + face;
    line += italic ? ", /" : ", !/";
    line += underline ? ", _" : ", !_";
    line += strikeOut ? ", =" : ", !=";
    if (CInputBar* bar = app->m_inputBar) {
        bar->SelectList(3, 0, 0);
        bar->GetList(3).AddRecentWithCode(line, 0);
        bar->SelectList(3, 0, 0);
    }
    CTextCommand* text = app->m_interruptKind == 7 ? doc->m_textCmdInt : doc->m_textCmd;
    if (text)
        text->UpdateTextBox(0);
    app->DispatchInputEvent(doc, 13, 0);
}

// ---- numeric moves of the base point -----------------------------------------------------

namespace {

void SetBasePointAndTell(CZelkDoc* doc, CPointD world, CPointD user, const char* head)
{
    doc->SetBasePoint(world, user);
    RoundPointByRangeSetting(user, g_pApp ? g_pApp->m_appAcc.messageDigits() : 3);
    doc->ShowMessageInViews(PointText(head, user));
}

const char* const kMoveHead = "数値移動の点座標は ( ";

} // namespace

void CZelkView::MoveBasePointByVector(int kind, double dx, double dy)
{
    CZelkDoc* doc = m_document;
    if (!doc)
        return;
    const double s = Sense(kind);
    const double h = s * dx;
    const double m = s * dy;
    const double phi = doc->m_relAngle;
    const CPointD b = doc->m_basePoint;
    const CPointD u = doc->m_refPoint;
    SetBasePointAndTell(doc, Pt(b.m_x + C15(phi) * h - S15(phi) * m, b.m_y + S15(phi) * h + C15(phi) * m),
                        Pt(u.m_x + h, u.m_y + m), kMoveHead);
}

void CZelkView::MoveBasePointAlongAxis(int kind, double distance)
{
    CZelkDoc* doc = m_document;
    if (!doc)
        return;
    const bool xAxis = kind == 1 || kind == 2;
    const double a = doc->m_relAngle + (xAxis ? 0.0 : 90.0);
    const double d = Sense(kind) * distance;
    const CPointD b = doc->m_basePoint;
    CPointD u = doc->m_refPoint;
    (xAxis ? u.m_x : u.m_y) += d;
    SetBasePointAndTell(doc, Pt(b.m_x + d * C15(a), b.m_y + d * S15(a)), u, kMoveHead);
}

void CZelkView::MoveBasePointPolar(int kind, double angle, double length)
{
    CZelkDoc* doc = m_document;
    if (!doc)
        return;
    const double a = angle + doc->m_relAngle;
    const double l = Sense(kind) * length;
    const CPointD b = doc->m_basePoint;
    const CPointD u = doc->m_refPoint;
    const double r = angle * kPi / 180.0;
    SetBasePointAndTell(doc, Pt(b.m_x + l * C15(a), b.m_y + l * S15(a)),
                        Pt(u.m_x + l * std::cos(r), u.m_y + l * std::sin(r)), kMoveHead);
}

void CZelkView::OffsetBasePoint(double distance)
{
    CZelkDoc* doc = m_document;
    if (!doc)
        return;
    const double a = doc->m_curAngle + 90.0;
    const CPointD b = doc->m_basePoint;
    const CPointD world = Pt(b.m_x + distance * C15(a), b.m_y + distance * S15(a));
    SetBasePointAndTell(doc, world, doc->WorldToRelative(world), "オフセットの点座標は ( ");
}

// ---- macro texts and user applications ------------------------------------------------------

namespace {

// The macro text file the user chooses; empty when cancelled.
CString ChooseMacroText()
{
    CString path = g_pApp ? g_pApp->m_appPath.m_macroFolder : CString();
    CString title = "macro";
    int fileType = 0;
    if (!ChooseFileName(path, title, 8, fileType, 1, 3))
        return CString();
    return path;
}

} // namespace

void CZelkView::OpenMacroTextFile()
{
    CZelkApp* app = g_pApp;
    if (!app)
        return;
    const CString path = ChooseMacroText();
    if (path.IsEmpty())
        return;
    CTextDoc* text = app->OpenTextDocument(path);
    if (!text)
        return;
    text->ClearDrawingLink();
    text->m_ownerDrawing = m_document;
    if (!app->LoadTextFile(text, path))
        AfxMessageBox(kMsgTextNotRead);
    else
        app->MarkUserFile(text);
}

void CZelkView::RunMacroTextFile()
{
    CZelkApp* app = g_pApp;
    if (!app || !m_document)
        return;
    const CString path = ChooseMacroText();
    if (path.IsEmpty())
        return;
    m_document->UpdateAllViews(nullptr);
    SendPaint();
    CWaitCursorScope wait;
    CStringArray lines;
    if (!ReadTextFileLines(lines, path)) {
        AfxMessageBox(path + " はオープンできませんでした");
        return;
    }
    if (app->m_scriptInterpreter)
        app->m_scriptInterpreter->RunLines(m_document, lines, true);
    app->m_lastCommandId = 32835;
}

void CZelkView::RunUserApplication()
{
    CZelkApp* app = g_pApp;
    CUserAppManager* apps = app ? app->m_userAppManager : nullptr;
    if (!apps)
        return;
    apps->ResetSelection();
    apps->m_searchStart = 1;
    if (app->m_inputBar) {
        app->m_inputBar->SelectList(5, 1, 1);
        app->m_inputBar->m_enteredText = apps->GetAppName(0);
    }
    if (CMainFrame* frame = app->m_pMainFrame) {
        CInputComboBox& box = frame->m_wndInputBar.m_inputBox;
        if (box.GetSafeHwnd()) {
            box.SetWindowText(apps->GetAppName(0));
            box.SetCurSel(0);
            box.ShowDropDown(TRUE);
        }
    }
}

// ---- select all, multi-text, pasted images ----------------------------------------------------

void CZelkView::SelectAllElements()
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_document;
    if (!app || !doc)
        return;
    if (app->m_interruptMode == 35) {
        const int n = static_cast<int>(m_layerStates.GetSize());
        const bool invert = app->m_appFind.toggleSelection != 0;
        const int write = doc->m_writeLayer;
        const bool writeWasShown = write >= 0 && write < n && m_layerStates[write] == 0;
        for (int i = 0; i < n; ++i)
            CLayerOps::MarkLayerState(doc, this, i, invert ? m_layerStates[i] != 0 : 1);
        if (invert && writeWasShown) {
            const int first = CLayerOps::FindFirstShownLayer(this);
            if (first >= 0) {
                if (CLayer* layer = CLayerOps::SetWriteLayer(doc, first))
                    app->ShowMessageParts(layer->m_name, " を書き込みレイヤとしました", "", "", "", 1);
            } else {
                const int index = doc->GetLayerIndex("");
                if (CLayer* layer = CLayerOps::SetWriteLayer(doc, index))
                    app->ShowMessageParts("未使用または新レイヤ No.", IntToString(index), "(", layer->m_name,
                                          ") を書き込みレイヤとしました", 1);
            }
        }
        RedrawElements(1);
        CLayerOps::CommitLayerStates(this);
        CLayerOps::FindPrintFrameLayer(doc, this);
        return;
    }
    const bool wasGrouped = doc->m_groupProcessing != 0;
    if (CPickList* picks = doc->m_pickList) {
        picks->SelectAll(this);
        picks->ReportLayerSelection();
        picks->ClearFoundSet();
    }
    if (!wasGrouped)
        StartGroupProcessing(0);
    doc->RedrawChangedElements(1);
    if (wasGrouped)
        app->ShowMessage(kMsgAllSelected, 0);
}

void CZelkView::StartMultiText(int editing)
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_document;
    if (!app || !doc)
        return;
    ClearDragSketch();
    if (CTextDoc* text = app->NewTextDocument(0)) {
        if (CGroupProcessor* group = app->m_groupProcessor) {
            group->m_document = doc;
            group->m_moveFlag = editing;
            group->modePattern = "MP";
            group->m_preset = 1;
            group->ShowGuidance();
        }
        app->SetGuidance(doc);
        app->ShowPrompt();
        text->m_ownerDrawing = doc;
        text->m_macroDrawing = doc;
        text->m_multiLineInput = 1;
        if (doc->m_groupProcessing) {
            doc->m_multiLineTexts.RemoveAll();
            CollectTextsInReadingOrder(doc->m_multiLineTexts);
        }
        text->SetLines(doc->m_multiLineTexts);
    }
    app->ShowMessage(kMsgMultiText, 0);
}

void CZelkView::TogglePastedImagesLast()
{
    CPastedImageRedrawDialog dialog;
    if (dialog.DoModal() != IDOK)
        return;
    m_pastedImagesLast = m_pastedImagesLast ? 0 : 1;
    ShowAll();
    if (m_pastedImagesLast) {
        CString text;
        for (const char* line : kMsgPastedImages)
            text += line;
        AfxMessageBox(text);
    }
}

// ---- the single-layer view -----------------------------------------------------------------

void CZelkView::StepSingleLayerView(int backward)
{
    const int count = static_cast<int>(m_layerStates.GetSize());
    if (count == 0)
        return;
    if (!m_singleLayerMode) {
        m_savedLayerStates.Copy(m_layerStates);
        m_showAllLayers = 0;
        m_singleLayerMode = 1;
    }
    m_singleLayerIndex += backward ? -1 : 1;
    if (m_singleLayerIndex >= count || m_singleLayerIndex < 0) {
        const bool past = m_singleLayerIndex >= count;
        EndSingleLayerView();
        ShowMessageLine(kMsgReferenceLayers);
        m_singleLayerIndex = past ? -1 : count;
        return;
    }
    for (int i = 0; i < count; ++i)
        m_layerStates[i] = 1;
    m_layerStates[m_singleLayerIndex] = 0;
    if (GetSafeHwnd()) {
        Invalidate(TRUE);
        SendPaint();
    }
    if (m_document && m_singleLayerIndex < m_document->m_layers.GetSize())
        if (CLayer* layer = m_document->GetLayer(m_singleLayerIndex))
            ShowMessageLine(CString("レイヤ ") + layer->m_name + " を表示しました");
}

void CZelkView::EndSingleLayerView()
{
    if (!m_singleLayerMode)
        return;
    // The saved words sized to the drawing's layers now: layers added meanwhile are shown.
    const int count = m_document ? static_cast<int>(m_document->m_layers.GetSize())
                                 : static_cast<int>(m_savedLayerStates.GetSize());
    m_layerStates.Copy(m_savedLayerStates);
    m_layerStates.SetSize(count);
    for (int i = static_cast<int>(m_savedLayerStates.GetSize()); i < count; ++i)
        m_layerStates[i] = 0;
    m_singleLayerMode = 0;
    if (GetSafeHwnd()) {
        Invalidate(TRUE);
        SendPaint();
    }
    if (m_document)
        CLayerOps::FindPrintFrameLayer(m_document, this);
}

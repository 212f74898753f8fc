// Guidance and preview are derived state: after every event the pair of texts and the preview
// code are taken from whatever owns the input at that moment — the screen operation, a mode
// with texts of its own, group processing, an interrupting command or the main command.
#include "app/ZelkApp.h"

#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/ZelkDoc.h"
#include "input/CrossPointInput.h"
#include "input/ScreenOperation.h"
#include "userapp/UserAppManager.h"

namespace {

struct ModeTexts {
    int mode;
    const char* prompt;
    const char* hint;
};

const ModeTexts kModeTexts[] = {
    {33, "[書込レイヤ設定] レイヤ要素を選択 or Enterキーで新レイヤ",
     "要素を選択すると書き込みがその要素のレイヤに切り替わります。新レイヤはEnterで作成｡"},
    {34, "[書込レイヤ改名] 新名称を記入してEnterキーで書き込みレイヤ名称を変更 or レイヤ要素を選択",
     "新名称を記入してEnterで現書込レイヤ名称を変更します｡要素選択で別レイヤを設定可。"},
    {35, "[参照レイヤ設定] レイヤ要素を選択して、Enterキーで確定",
     "要素を選択するとその要素のレイヤの表示/非表示が切り替わります。設定終了はEnter。"},
    {36, "[解釈実行] 文字列を選択してから、Enterキーで実行",
     "解釈文字列を(箱)選択してからEnterすると､結果の文字列をドラッグ配置できます。"},
    {40, "[測定] 測定する 要素|点", "測定する要素を左ｸﾘｯｸ、または点を右ｸﾘｯｸすると属性と距離をリストします。"},
    {37, "[相対座標設定] 原点を点|点ドラッグ入力 or X,Y,(Degree)を数値入力 or 角度線分|文字列",
     "相対原点の位置と角度を変更できます。点と角度|線分|文字列選択 を入力してください。"},
    {38, "[数値移動起点設定] 起点を点入力 or X,Yを数値入力",
     "最終点を設定できます。最終点は数値移動(数値の後Ctrl+矢印キー)の起点となります。"},
    {39, "[座標拘束点設定] 拘束点を点入力 or X,Yを数値入力",
     "この後の入力点を最終点ではない指定点で拘束できます。拘束条件を選択して有効です。"},
};

const ModeTexts kKindTexts[] = {
    {11, "[書きなぐり線] 右ボタンを押してドラッグ", "右ボタンを押してドラッグするとマウス軌跡を書きなぐり線とします。"},
    {21, "[消去] 要素ピック or 箱選択してEnter", "指定要素は即消去、箱選択要素はEnterで消去します。[消去] から群処理へは行けません｡"},
};

struct KindHint {
    int kind;
    const char* hint;
};

const KindHint kKindAnnouncements[] = {
    {1, "点作図モードです"},         {2, "線分作図モードです"},         {3, "円作図モードです"},
    {4, "円弧作図モードです"},       {10, "寸法線作図モードです"},      {11, "書きなぐり線作図モードです"},
    {12, "ループ処理モードです"},
};

// The instance of a command kind with the guidance owner's members: the loop command; none
// for other kinds (the point, line, circle, text and dimension commands are reached by their
// type).
CGuidanceOwner* CommandOf(CZelkDoc* doc, int kind, bool interrupting)
{
    switch (kind) {
    case 12: return interrupting ? nullptr : doc->m_loopCmd;
    default: return nullptr;
    }
}

// The circle and arc command keeps its texts in its step records and has no virtual members: it is
// reached by its own type (3, 4 and the ellipse edit 22).
CCircleCommand* CircleCommandOf(CZelkDoc* doc, int kind, bool interrupting)
{
    if (kind != 3 && kind != 4 && kind != 22)
        return nullptr;
    return interrupting ? doc->m_circleCmdInt : doc->m_circleCmd;
}

// The line command, a plain class like the circle command, by its own type (2).
CLineCommand* LineCommandOf(CZelkDoc* doc, int kind, bool interrupting)
{
    if (kind != 2)
        return nullptr;
    return interrupting ? doc->m_lineCmdInt : doc->m_lineCmd;
}

// The point command, a plain class like the line command, by its own type (1).
CPointCommand* PointCommandOf(CZelkDoc* doc, int kind, bool interrupting)
{
    if (kind != 1)
        return nullptr;
    return interrupting ? doc->m_pointCmdInt : doc->m_pointCmd;
}

// The text command, a plain class like the point command, by its own type (7).
CTextCommand* TextCommandOf(CZelkDoc* doc, int kind, bool interrupting)
{
    if (kind != 7)
        return nullptr;
    return interrupting ? doc->m_textCmdInt : doc->m_textCmd;
}

// The dimension command, a plain class like the point command, by its own type (10).
CDimCommand* DimCommandOf(CZelkDoc* doc, int kind, bool interrupting)
{
    if (kind != 10)
        return nullptr;
    return interrupting ? doc->m_dimCmdInt : doc->m_dimCmd;
}

int PreviewOfCommand(CZelkDoc* doc, int kind, bool interrupting)
{
    if (CDimCommand* dim = DimCommandOf(doc, kind, interrupting))
        return dim->ShowRubberBand();
    if (CCircleCommand* circle = CircleCommandOf(doc, kind, interrupting))
        return circle->ShowRubberBand();
    if (CLineCommand* line = LineCommandOf(doc, kind, interrupting))
        return line->ShowRubberBand();
    // The loop command's code comes from the member that answers one.
    if (kind == 12 && !interrupting && doc->m_loopCmd)
        return doc->m_loopCmd->PreparePreview();
    CGuidanceOwner* owner = CommandOf(doc, kind, interrupting);
    return owner ? owner->ShowRubberBand() : 0;
}

} // namespace

void CZelkApp::SetGuidance(CZelkDoc* doc)
{
    if (!doc)
        return;
    auto take = [this](const CString& prompt, const CString& hint) {
        m_prompt = prompt;
        m_hint = hint;
    };
    auto takeOwner = [&](const CGuidanceOwner* owner) {
        if (owner)
            take(owner->m_prompt, owner->m_hint);
    };
    auto takeCommand = [&](int kind, bool interrupting) {
        if (const CCircleCommand* circle = CircleCommandOf(doc, kind, interrupting))
            take(circle->m_prompt, circle->m_hint);
        else if (const CLineCommand* line = LineCommandOf(doc, kind, interrupting))
            take(line->m_prompt, line->m_hint);
        else if (const CPointCommand* point = PointCommandOf(doc, kind, interrupting))
            take(point->m_prompt, point->m_hint);
        else if (const CTextCommand* text = TextCommandOf(doc, kind, interrupting))
            take(text->m_prompt, text->m_hint);
        else if (const CDimCommand* dim = DimCommandOf(doc, kind, interrupting))
            take(dim->m_prompt, dim->m_hint);
        else
            takeOwner(CommandOf(doc, kind, interrupting));
    };
    if (m_specialMode == 53 || (m_screenOperation && m_screenOperation->IsInOperation())) {
        takeOwner(m_screenOperation);
        return;
    }
    if (m_specialMode == 66 || m_specialMode == 67)
        return;
    if (m_specialMode == 70) {
        takeOwner(m_crossPointInput);
        return;
    }
    if (m_interruptMode == 31 || m_interruptMode == 32)
        return;
    for (const ModeTexts& t : kModeTexts)
        if (t.mode == m_interruptMode) {
            take(t.prompt, t.hint);
            return;
        }
    if (m_groupProcessing || doc->m_groupProcessing) {
        if (m_groupProcessor)
            take(m_groupProcessor->m_prompt, m_groupProcessor->m_hint);
        return;
    }
    if (m_justAnnounced == 0) {
        const int k = m_interruptKind;
        if (k == 1 || k == 2 || k == 3 || k == 4 || k == 7 || k == 10 || k == 22) {
            takeCommand(k, true);
            return;
        }
    }
    if (m_commandKind == 9) {
        if (m_userAppManager)
            take(m_userAppManager->m_prompt, m_userAppManager->m_hint);
        return;
    }
    for (const ModeTexts& t : kKindTexts)
        if (t.mode == m_commandKind) {
            take(t.prompt, t.hint);
            return;
        }
    takeCommand(m_commandKind, false);
}

void CZelkApp::ComputePreview(CZelkDoc* doc)
{
    if (!doc || (m_screenOperation && m_screenOperation->IsInOperation()))
        return;
    int code = 0;
    if (m_deleteKeyDown) {
        code = 0;
    } else if (m_groupProcessing || doc->m_groupProcessing) {
        code = m_groupProcessor ? m_groupProcessor->ShowRubberBand() : 0;
    } else if (m_justAnnounced == 0 && (m_interruptKind == 1 || m_interruptKind == 2 || m_interruptKind == 3 ||
                                        m_interruptKind == 4 || m_interruptKind == 7 || m_interruptKind == 10)) {
        code = PreviewOfCommand(doc, m_interruptKind, true);
    } else if (m_commandKind == 9) {
        code = m_userAppManager ? m_userAppManager->m_previewCode : 0;
    } else if (m_commandKind != 1) {
        // The ellipse edit (22) is no kind of its own here: it takes the main command's preview.
        const int k = m_commandKind;
        if (k == 2 || k == 3 || k == 4 || k == 7 || k == 12 || k == 10)
            code = PreviewOfCommand(doc, k, false);
    }
    doc->m_previewKind = static_cast<std::int16_t>(code);
}

void CZelkApp::AnnounceDrawingMode(CZelkDoc* doc)
{
    if (!doc)
        return;
    switch (m_savedLayerCondition) {
    case 0: SetLayerCondCurrent(); break;
    case 1: SetLayerCondSame(); break;
    default: SetLayerCondNew(); break;
    }
    m_justAnnounced = 1;
    m_lastStatus = kStatusJustAnnounced;
    m_announcedInterruptKind = m_interruptKind;
    if (m_commandKind == 7)
        CopyTextBoxPreview(doc);
    SetGuidance(doc);
    ShowPrompt();
    ComputePreview(doc);
    // The interrupting instance no longer edits: its element is left as it is.
    int* editFlag = nullptr;
    switch (m_interruptKind) {
    case 1: editFlag = doc->m_pointCmdInt ? &doc->m_pointCmdInt->m_editFlag : nullptr; break;
    case 2: editFlag = doc->m_lineCmdInt ? &doc->m_lineCmdInt->m_editFlag : nullptr; break;
    case 3:
    case 4: editFlag = doc->m_circleCmdInt ? &doc->m_circleCmdInt->m_editFlag : nullptr; break;
    case 7: editFlag = doc->m_textCmdInt ? &doc->m_textCmdInt->m_editFlag : nullptr; break;
    default: break;
    }
    if (editFlag)
        *editFlag = 0;
    m_interruptKind = 0;
    if (m_commandKind == 7) {
        if (doc->m_textCmd)
            doc->m_textCmd->UpdateTextBox(0);
        ShowHint(CString(" 文字列作図モードです(添え字記号は ") + m_appText.m_subscriptMarker + " 振り仮名記号は " +
                 m_appText.m_rubyMarker + ")");
        return;
    }
    for (const KindHint& a : kKindAnnouncements)
        if (a.kind == m_commandKind) {
            ShowHint(a.hint);
            return;
        }
}

// The text preview draws the box of the text being placed: code 40 and the main text command's
// box corners and angle.
void CZelkApp::CopyTextBoxPreview(CZelkDoc* doc)
{
    doc->m_previewKind = 40;
    if (CTextCommand* text = doc->m_textCmd)
        text->PublishTextBox();
}

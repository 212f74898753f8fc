// The drawing-aid and search switches: draft lines, the creation environment, the layer
// condition, the selection modes, the selectable kinds, the dimension and group selection types
// and the point searches. Each reports its new state on the message line.
#include "app/CreationEnvButton.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "input/PickList.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgEnvCurrent = "要素作成をカレント環境で行います";
const char* const kMsgEnvSelected = "要素作成を選択要素と同じ環境で行います";
const char* const kMsgEnvReference = "要素作成を参照要素と同じ環境で行います";
const char* const kMsgDeformLeft = "変形モードは解除しました";
const char* const kMsgRestricted = " (注意)一部の要素の選択モードが解除されています";

struct CBitToggle {
    UINT id;
    short bit;
    const char* on;
    const char* off;
};

constexpr CBitToggle kKindToggles[] = {
    { 117, 2, "点の選択を有効としました", "点の選択を無効としました" },
    { 118, 4, "線分の選択を有効としました", "線分の選択を無効としました" },
    { 119, 8, "円の選択を有効としました", "円の選択を無効としました" },
    { 120, 16, "円弧の選択を有効としました", "円弧の選択を無効としました" },
    { 121, 32, "文字列の選択を有効としました", "文字列の選択を無効としました" },
    { 33070, 256, "楕円(弧)の選択を有効としました", "楕円(弧)の選択を無効としました" },
    { 33071, 512, "曲線の選択を有効としました", "曲線の選択を無効としました" },
    { 133, 128, "リンクアイテムの選択を有効としました", "リンクアイテムの選択を無効としました" },
};

constexpr CBitToggle kSearchToggles[] = {
    { 136, 1, "端点の検索を有効としました", "端点の検索を無効としました" },
    { 137, 2, "交点の検索を有効としました", "交点の検索を無効としました" },
    { 138, 4, "特徴点の検索を有効としました", "特徴点の検索を無効としました" },
    { 139, 8, "要素上点の検索を有効としました", "要素上点の検索を無効としました" },
    { 140, 16, "自由上点の入力を有効としました", "自由点の入力を無効としました" },
};

template <size_t N>
const CBitToggle* FindToggle(const CBitToggle (&table)[N], UINT id)
{
    for (const CBitToggle& entry : table)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

// A selection type (1 whole, 2 by members, 3 none) with its button's up image and message; the
// down image is the up image of the value the button goes to next.
struct CSelectionType {
    UINT upImage;
    const char* message;
};

constexpr CSelectionType kDimTypes[3] = {
    { 161, "寸法線の選択を有効としました" },
    { 163, "寸法線成分の選択を有効としました" },
    { 170, "寸法線の選択を無効としました" },
};
constexpr CSelectionType kGroupTypes[3] = {
    { 162, "グループの選択を有効としました" },
    { 167, "グループ成分の選択を有効としました" },
    { 168, "グループの選択を無効としました" },
};

void SetButtonImages(CToolBitmapButton* button, UINT up, UINT down)
{
    if (!button || !button->GetSafeHwnd())
        return;
    button->LoadBitmaps(up, down);
    button->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void RedrawButton(CToolBitmapButton* button)
{
    if (button && button->GetSafeHwnd())
        button->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

int CountBits(int mask, std::initializer_list<int> bits)
{
    int n = 0;
    for (int bit : bits)
        n += (mask & bit) ? 1 : 0;
    return n;
}

bool ShiftHeld()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

} // namespace

// --- buttons of the main frame -------------------------------------------------------------

namespace {

CToolBitmapButton* EnvButton(CMainFrame* f) { return f ? &f->m_wndSubBar.m_creationEnvButton : nullptr; }
CToolBitmapButton* LayerButton(CMainFrame* f) { return f ? &f->m_wndSubBar.m_layerConditionButton : nullptr; }
CToolBitmapButton* DimButton(CMainFrame* f) { return f ? &f->m_wndFindElemBar.m_dimSelectButton : nullptr; }
CToolBitmapButton* GroupButton(CMainFrame* f) { return f ? &f->m_wndFindElemBar.m_groupSelectButton : nullptr; }

// A new environment brings its own text settings: both text commands of the active drawing
// measure their boxes again.
void RefreshTextBoxesOfActiveDrawing(CZelkApp& app)
{
    if (CZelkDoc* doc = app.GetActiveDrawingDoc())
        app.UpdateTextBoxes(doc);
}

} // namespace

// --- creation environment and layer condition ----------------------------------------------

void CZelkApp::SetCreationEnvCurrent()
{
    m_appElem.m_creationEnv = 0;
    SetButtonImages(EnvButton(m_pMainFrame), 189, 190);
    m_atrCurrent.ApplyPen();
    m_atrCurrent.ApplyText();
    RefreshTextBoxesOfActiveDrawing(*this);
    ShowMessage(kMsgEnvCurrent, 0);
}

void CZelkApp::SetCreationEnvSelected()
{
    m_appElem.m_creationEnv = 1;
    SetButtonImages(EnvButton(m_pMainFrame), 191, 190);
    m_atrElem.ApplyPen();
    m_atrElem.ApplyText();
    RefreshTextBoxesOfActiveDrawing(*this);
}

void CZelkApp::SetCreationEnvReference()
{
    m_appElem.m_creationEnv = 2;
    SetButtonImages(EnvButton(m_pMainFrame), 192, 190);
    m_atrReference.ApplyPen();
    m_atrReference.ApplyText();
    RefreshTextBoxesOfActiveDrawing(*this);
    ShowMessage(kMsgEnvReference, 0);
}

void ShowCreationEnvButton(CZelkApp& app)
{
    static constexpr UINT kUpImages[3] = { 189, 191, 192 };
    const int env = app.m_appElem.m_creationEnv;
    SetButtonImages(EnvButton(app.m_pMainFrame), kUpImages[env >= 0 && env <= 2 ? env : 0], 190);
}

void CZelkApp::RestoreCreationEnv(int env)
{
    if (env < 0 || env > 2)
        env = 0;
    m_appElem.m_creationEnv = static_cast<short>(env);
    if (m_appElem.m_draftMode)
        m_appElem.SetDraftPen();
    ShowCreationEnvButton(*this);
    if (env == 0) {
        if (!m_appElem.m_draftMode)
            m_atrCurrent.ApplyPen();
        m_atrCurrent.ApplyText();
    } else if (env == 1) {
        if (!m_appElem.m_draftMode)
            m_atrElem.ApplyPen();
        m_atrElem.ApplyText();
        ShowMessage("選択要素の環境で作成するモードに戻しました。", 0);
    } else {
        if (!m_appElem.m_draftMode)
            m_atrReference.ApplyPen();
        m_atrReference.ApplyText();
        ShowMessage("参照要素の環境で作成するモードに戻しました。", 0);
    }
}

void CZelkApp::SetLayerCondCurrent()
{
    m_appElem.m_layerCondition = 0;
    SetButtonImages(LayerButton(m_pMainFrame), 216, 218);
}

void CZelkApp::SetLayerCondSame()
{
    m_appElem.m_layerCondition = 1;
    SetButtonImages(LayerButton(m_pMainFrame), 215, 218);
}

void CZelkApp::SetLayerCondNew()
{
    m_appElem.m_layerCondition = 2;
    SetButtonImages(LayerButton(m_pMainFrame), 217, 218);
}

void CZelkApp::OnCreationEnvMenu(UINT id)
{
    if (ShowHelpInstead(id))
        return;
    if (id == 32861)
        SetCreationEnvCurrent();
    else if (id == 32862) {
        SetCreationEnvSelected();
        ShowMessage(kMsgEnvSelected, 0);
    } else
        SetCreationEnvReference();
    if (m_activeView)
        m_activeView->SetFocus();
}

void CZelkApp::OnLayerCondMenu(UINT id)
{
    if (ShowHelpInstead(id))
        return;
    if (id == 32942)
        SetLayerCondCurrent();
    else if (id == 32872)
        SetLayerCondSame();
    else
        SetLayerCondNew();
    if (m_activeView)
        m_activeView->SetFocus();
}

void CZelkApp::OnCreationEnvButton()
{
    if (ShowHelpInstead(32865))
        return;
    const int env = m_appElem.m_creationEnv;
    if (env < 0 || env > 2)
        return;
    CZelkDoc* doc = GetActiveDrawingDoc();
    if (doc && doc->m_deformMode) {
        ShowMessage("変形モードでは要素作成環境ボタンは変更できません", 0);
        return;
    }
    // Without Shift the button runs 0 -> 2 -> 1 -> 0, with Shift the other way.
    static constexpr int kForward[3] = { 2, 0, 1 };
    static constexpr int kBackward[3] = { 1, 2, 0 };
    const int next = ShiftHeld() ? kBackward[env] : kForward[env];
    if (next == 0)
        SetCreationEnvCurrent();
    else if (next == 1) {
        SetCreationEnvSelected();
        ShowMessage(kMsgEnvSelected, 0);
    } else
        SetCreationEnvReference();
    RedrawButton(EnvButton(m_pMainFrame));
    if (m_activeView)
        m_activeView->SetFocus();
    m_lastCommandId = 32865;
}

void CZelkApp::OnLayerCondButton()
{
    if (ShowHelpInstead(32896))
        return;
    const int cond = m_appElem.m_layerCondition;
    if (cond < 0 || cond > 2)
        return;
    CZelkDoc* doc = GetActiveDrawingDoc();
    if (doc && doc->m_deformMode) {
        ShowMessage("変形モードではレイヤ条件ボタンは変更できません", 0);
        return;
    }
    const int next = ShiftHeld() ? (cond + 2) % 3 : (cond + 1) % 3;
    if (next == 0) {
        m_appElem.m_layerCondition = 0;
        SetButtonImages(LayerButton(m_pMainFrame), 216, 218);
        ShowMessage("選択要素のレイヤを無視して現レイヤに要素を作成します", 0);
    } else if (next == 1) {
        SetLayerCondSame();
        ShowMessage("選択要素と同じレイヤに要素を作成します", 0);
    } else {
        m_appElem.m_layerCondition = 2;
        SetButtonImages(LayerButton(m_pMainFrame), 217, 218);
        ShowMessage("同レイヤの選択要素ごとに順次に新しいレイヤを作り要素を作成します", 0);
    }
    if (m_activeView)
        m_activeView->SetFocus();
    m_lastCommandId = 32896;
}

// --- draft lines ---------------------------------------------------------------------------

void CZelkApp::OnDraftMode()
{
    if (ShowHelpInstead(33063))
        return;
    m_appElem.m_draftMode = !m_appElem.m_draftMode;
    if (m_appElem.m_draftMode) {
        m_appElem.StorePenInCurrent();
        m_appElem.SetDraftPen();
        ShowMessage("下書き線モードです。", 0);
    } else {
        m_atrCurrent.ApplyPen();
        ShowMessage("作図線モードです。", 0);
    }
}

// --- selection modes -----------------------------------------------------------------------

void CZelkApp::OnSelectInvert()
{
    if (ShowHelpInstead(32807))
        return;
    m_appFind.toggleSelection = !m_appFind.toggleSelection;
    ShowMessage(m_appFind.toggleSelection ? "反転選択モードを設定しました" : "追加選択モードを設定しました", 0);
}

void CZelkApp::OnSelectByLayer()
{
    if (ShowHelpInstead(32812))
        return;
    m_appFind.layerWiseSelection = !m_appFind.layerWiseSelection;
    ShowMessage(m_appFind.layerWiseSelection ? "レイヤ別選択モードを設定しました" : "レイヤ別選択モードを解除しました", 0);
}

int CZelkApp::WarnSelectionRestricted()
{
    if (m_appFind.selectableKinds == 958 && m_appFind.annotationGroupSelectMode != 3 && m_appFind.groupSelectMode != 3)
        return 0;
    ShowResultMessage(kMsgRestricted, 0);
    return 1;
}

void CZelkApp::ResetBoxSelection()
{
    ResetSelectionState();
    if (!m_pDocTemplate)
        return;
    for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos;) {
        auto* doc = static_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (m_groupProcessing || doc->m_groupProcessing) {
            doc->RedrawChangedElements(1);
            ClearOtherSelections(doc);
            doc->ClearDragSketches();
        }
        if (doc->m_pickList) {
            doc->m_pickList->m_candidates.clear();
            doc->m_pickList->m_current = -1;
        }
        doc->m_deformMode = 0;
        doc->m_groupProcessing = 0;
        if (doc->m_creationLog)
            doc->m_creationLog->m_noDraw = 0;
    }
}

namespace {

// The inside and crossing modes: from the deform range they also leave deform mode.
void SetPlainBoxCondition(CZelkApp& app, short condition, const char* message)
{
    const bool wasDeform = app.m_appFind.boxSelectionMode == 3;
    app.m_appFind.boxSelectionMode = condition;
    app.ShowMessage(message, 0);
    app.WarnSelectionRestricted();
    if (!wasDeform)
        return;
    app.ResetBoxSelection();
    if (app.m_groupProcessor) {
        app.m_groupProcessor->modePattern = "PP";
        app.m_groupProcessor->m_moveFlag = 0;
    }
    app.ShowMessage(kMsgDeformLeft, 0);
}

} // namespace

void CZelkApp::OnSelectInclude()
{
    if (ShowHelpInstead(32808))
        return;
    SetPlainBoxCondition(*this, 1, "範囲内選択モードを設定しました");
}

void CZelkApp::OnSelectCrossing()
{
    if (ShowHelpInstead(32809))
        return;
    SetPlainBoxCondition(*this, 2, "範囲通過選択モードを設定しました");
}

void CZelkApp::OnSelectDeform()
{
    if (ShowHelpInstead(32811))
        return;
    m_appFind.boxSelectionMode = 3;
    ShowMessage("変形範囲モードを設定しました", 0);
    ResetBoxSelection();
    WarnSelectionRestricted();
}

// --- selectable kinds and selection types --------------------------------------------------

void CZelkApp::OnSelectAllKinds()
{
    if (ShowHelpInstead(124))
        return;
    CAppFind& f = m_appFind;
    const int counted = CountBits(f.selectableKinds, { 2, 4, 8, 16, 32, 128 }) + (f.annotationGroupSelectMode != 3 ? 1 : 0) +
                        (f.groupSelectMode != 3 ? 1 : 0);
    if (counted <= 4) {
        f.selectableKinds = 958;
        f.annotationGroupSelectMode = 1;
        f.groupSelectMode = 1;
        SetButtonImages(DimButton(m_pMainFrame), 161, 163);
        SetButtonImages(GroupButton(m_pMainFrame), 162, 167);
        ShowMessage("全ての要素の選択を有効としました", 0);
    } else {
        f.selectableKinds = 0;
        f.annotationGroupSelectMode = 3;
        f.groupSelectMode = 3;
        SetButtonImages(DimButton(m_pMainFrame), 170, 161);
        SetButtonImages(GroupButton(m_pMainFrame), 168, 162);
        ShowMessage("全ての要素の選択を無効としました", 0);
    }
}

void CZelkApp::OnSelectKind(UINT id)
{
    if (ShowHelpInstead(id))
        return;
    const CBitToggle* t = FindToggle(kKindToggles, id);
    if (!t)
        return;
    m_appFind.selectableKinds = static_cast<short>(m_appFind.selectableKinds ^ t->bit);
    ShowMessage((m_appFind.selectableKinds & t->bit) ? t->on : t->off, 0);
}

void CZelkApp::OnSearchAll()
{
    if (ShowHelpInstead(135))
        return;
    if (CountBits(m_appFind.m_searchMask, { 1, 2, 4, 8, 16 }) <= 2) {
        m_appFind.m_searchMask = 31;
        ShowMessage("全ての点の検索を有効としました", 0);
    } else {
        m_appFind.m_searchMask = 0;
        ShowMessage("全ての点の検索を無効としました", 0);
    }
}

void CZelkApp::OnSearchKind(UINT id)
{
    if (ShowHelpInstead(id))
        return;
    const CBitToggle* t = FindToggle(kSearchToggles, id);
    if (!t)
        return;
    m_appFind.m_searchMask = static_cast<short>(m_appFind.m_searchMask ^ t->bit);
    ShowMessage((m_appFind.m_searchMask & t->bit) ? t->on : t->off, 0);
}

namespace {

// Sets a selection type: the value, its button's images (the down image of the value that
// follows in the direction the button runs) and its message.
void ApplySelectionType(short& field, int value, const CSelectionType (&types)[3], CToolBitmapButton* button,
                        int following)
{
    field = static_cast<short>(value);
    SetButtonImages(button, types[value - 1].upImage, types[following - 1].upImage);
    g_pApp->ShowMessage(types[value - 1].message, 0);
}

} // namespace

void CZelkApp::OnSelectionType(UINT id)
{
    if (ShowHelpInstead(id))
        return;
    const bool dim = id >= 32866 && id <= 32868;
    // 32868/32869 whole, 32866/32870 by members, 32867/32871 none.
    int value = 0;
    switch (id) {
    case 32868: case 32869: value = 1; break;
    case 32866: case 32870: value = 2; break;
    default: value = 3; break;
    }
    if (dim)
        ApplySelectionType(m_appFind.annotationGroupSelectMode, value, kDimTypes, DimButton(m_pMainFrame), value % 3 + 1);
    else
        ApplySelectionType(m_appFind.groupSelectMode, value, kGroupTypes, GroupButton(m_pMainFrame), value % 3 + 1);
}

void CZelkApp::OnSelectionTypeButton(UINT id)
{
    if (ShowHelpInstead(id))
        return;
    const bool dim = id == 122;
    short& field = dim ? m_appFind.annotationGroupSelectMode : m_appFind.groupSelectMode;
    if (field < 1 || field > 3)
        return;
    const bool back = ShiftHeld();
    const int next = back ? (field + 1) % 3 + 1 : field % 3 + 1;
    const int following = back ? (next + 1) % 3 + 1 : next % 3 + 1;
    ApplySelectionType(field, next, dim ? kDimTypes : kGroupTypes, dim ? DimButton(m_pMainFrame) : GroupButton(m_pMainFrame),
                       following);
}

// --- menu states ---------------------------------------------------------------------------

void CZelkApp::OnUpdateToggle(CCmdUI* pCmdUI)
{
    const UINT id = pCmdUI->m_nID;
    int check = 0;
    if (const CBitToggle* t = FindToggle(kKindToggles, id))
        check = (m_appFind.selectableKinds & t->bit) != 0;
    else if (const CBitToggle* s = FindToggle(kSearchToggles, id))
        check = (m_appFind.m_searchMask & s->bit) != 0;
    else {
        switch (id) {
        case 33063: check = m_appElem.m_draftMode != 0; break;
        case 32861: check = m_appElem.m_creationEnv == 0; break;
        case 32862: check = m_appElem.m_creationEnv == 1; break;
        case 32863: check = m_appElem.m_creationEnv == 2; break;
        case 32942: check = m_appElem.m_layerCondition == 0; break;
        case 32872: check = m_appElem.m_layerCondition == 1; break;
        case 32943: check = m_appElem.m_layerCondition == 2; break;
        case 32807: check = m_appFind.toggleSelection != 0; break;
        case 32812: check = m_appFind.layerWiseSelection != 0; break;
        case 32808: check = m_appFind.boxSelectionMode == 1; break;
        case 32809: check = m_appFind.boxSelectionMode == 2; break;
        case 32811: check = m_appFind.boxSelectionMode == 3; break;
        case 32868: check = m_appFind.annotationGroupSelectMode == 1; break;
        case 32866: check = m_appFind.annotationGroupSelectMode == 2; break;
        case 32867: check = m_appFind.annotationGroupSelectMode == 3; break;
        case 32869: check = m_appFind.groupSelectMode == 1; break;
        case 32870: check = m_appFind.groupSelectMode == 2; break;
        case 32871: check = m_appFind.groupSelectMode == 3; break;
        case 32820: check = m_appText.m_shape == 1; break;
        case 32825: check = m_appText.m_shape == 2; break;
        case 32821: check = m_appText.m_shape == 3; break;
        case 32822: check = m_appText.m_shape == 4; break;
        case 33076: check = m_resultsToTextWindow != 0; break;
        case 32883: check = m_appElem.m_blurMode != 0; break;
        default: break;
        }
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(check);
}

void CZelkApp::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

// List and option commands of the application: the unit, constant and layer lists as text
// windows, printing every drawing's whole area, the printer setup, the last macro again, the
// function description file and the help contents; and the redraw of the active view.
#include "app/PrintAllSheetsDialog.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "geometry/Numeric.h"
#include "input/LayerOps.h"
#include "input/ScreenOperation.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroVariable.h"
#include "macro/TextDoc.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/PrintInfo.h"
#include "view/ZelkView.h"

#include <cmath>

namespace {

// A new text window holding the lines, with its own title and file name.
void ShowListWindow(CZelkApp& app, const char* title, const char* path, const CStringArray& lines)
{
    CTextDoc* doc = app.NewTextDocument(0);
    if (!doc)
        return;
    doc->SetPathName(path, FALSE);
    doc->SetTitle(title);
    doc->SetLines(lines);
}

CString Padded(int value, int digits)
{
    CString text;
    text.Format("%0*d", digits, value);
    return text;
}

// The layer name in columns: up to twenty pieces cut at the subscript marker (or, in a name
// without one, at the ruby marker), then the rest.
CString LayerNameColumns(CString name, const CString& subscript, const CString& ruby)
{
    CString out;
    for (int n = 0; n < 20; ++n) {
        CString marker = subscript;
        int at = marker.IsEmpty() ? -1 : name.Find(marker);
        if (at < 0) {
            marker = ruby;
            at = marker.IsEmpty() ? -1 : name.Find(marker);
        }
        if (at < 0)
            break;
        out += name.Left(at) + "\t";
        name = name.Mid(at + marker.GetLength());
    }
    return out + name + "\t";
}

} // namespace

void CZelkApp::OnUnitList()
{
    if (ShowHelpInstead(33086))
        return;
    ShowListWindow(*this, "UnitList", "UnitList.txt", m_unitFileLines);
}

void CZelkApp::OnUpdateUnitList(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_unitFileLines.GetSize() > 0);
}

void CZelkApp::BuildConstantList(CStringArray& lines) const
{
    CStringArray constants;
    CStringArray variables;
    variables.Add("");
    for (int i = 0; i < m_variableTable.GetSize(); ++i) {
        const auto* v = static_cast<const CMacroVariable*>(m_variableTable[i]);
        CString valueText;
        CString unitText;
        const int unitIndex = CMacroInterpreter::FindUnitForQuantity(v->unit);
        const CUnit* unit = unitIndex >= 0 ? CMacroInterpreter::GetUnit(unitIndex) : nullptr;
        if (unit && unit->ratio != 0.0) {
            valueText = DoubleToString(v->value / unit->ratio);
            unitText = unit->name;
        } else {
            valueText = DoubleToString(v->value);
            unitText = v->unit.Format();
        }
        CString line = v->name + " = " + valueText + unitText;
        if (!v->comment.IsEmpty())
            line += " //" + v->comment;
        if (!v->assignable) {
            line += " //constant";
            constants.Add(line);
        } else {
            variables.Add(line);
        }
    }
    lines.Copy(constants);
    lines.Append(variables);
}

void CZelkApp::OnConstantList()
{
    if (ShowHelpInstead(33087))
        return;
    CStringArray lines;
    BuildConstantList(lines);
    ShowListWindow(*this, "VarList", "VarList.txt", lines);
}

void CZelkApp::OnUpdateConstantList(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_variableTable.GetSize() > 0);
}

void CZelkApp::BuildLayerList(CZelkDoc* doc, CStringArray& lines) const
{
    lines.Add("番号\t点\t線\t円\t円弧\t楕円\t曲線\t文字列\tObj.\tレイヤ名");
    for (int i = 0; i < doc->m_layers.GetSize(); ++i) {
        int counts[8] = {};
        const int any = CLayerOps::CountElementsOnLayer(doc, i, 0, counts[0], counts[1], counts[2], counts[3],
                                                      counts[4], counts[5], counts[6], counts[7]);
        if (!any && m_emptyLayersInList != 1)
            continue;
        CString line = Padded(i, 3) + "\t";
        for (int count : counts)
            line += Padded(count, 5) + "\t";
        line += LayerNameColumns(doc->GetLayer(i)->m_name, m_appText.m_subscriptMarker, m_appText.m_rubyMarker);
        lines.Add(line);
    }
}

void CZelkApp::OnLayerList()
{
    if (ShowHelpInstead(33092))
        return;
    CZelkDoc* doc = GetActiveDrawingDoc();
    if (!doc)
        return;
    CStringArray lines;
    BuildLayerList(doc, lines);
    ShowListWindow(*this, "LayerList", "LayerList.txt", lines);
}

void CZelkApp::OnPrintAllDrawings()
{
    if (ShowHelpInstead(33115))
        return;
    CPrintAllSheetsDialog dlg;
    dlg.m_text1 = m_paperName;
    dlg.m_text2 = m_paperSizeText;
    dlg.m_text3 = "現在のプリンターの設定で、用紙方向は自動判定して、表示の全図を全域印刷します。";
    dlg.m_text4 = "プリンタの用紙の方向設定が変わる可能性があります。変更通知はしません。";
    if (dlg.DoModal() != IDOK)
        return;
    const UINT copies = dlg.m_sheetCount;
    m_printAllRunning = 1;
    int failed = 0;
    if (m_pDocTemplate) {
        for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos;) {
            auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
            CZelkView* view = nullptr;
            if (doc)
                for (CZelkView* v : doc->GetViews()) {
                    view = v;
                    break;
                }
            if (!view) {
                ++failed;
                continue;
            }
            m_printMode = 3;
            CLayerOps::FindPrintFrameLayer(doc, view);
            view->m_printStarted = 0;
            for (UINT n = 0; n < copies; ++n)
                view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
            if (!view->m_printStarted)
                ++failed;
        }
    }
    m_printAllRunning = 0;
    AfxMessageBox(failed ? "印刷が出来なかったデータがあります。" : "全ての表示図形の全域印刷が完了しました。", MB_OK);
}

void CZelkApp::PlayMacroQueue()
{
    m_macroPlaying = 1;
    if (!m_scriptInterpreter)
        return;
    m_scriptInterpreter->m_queuePosition = 0;
    m_scriptInterpreter->PlayCommandQueue();
}

void CZelkApp::OnPlayLastMacro()
{
    if (ShowHelpInstead(33134))
        return;
    PlayMacroQueue();
}

void CZelkApp::OnUpdatePlayLastMacro(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_scriptInterpreter && m_scriptInterpreter->m_commandQueue.GetSize() > 0 && !m_macroPlaying);
}

void CZelkApp::OnFunctionDescriptions()
{
    if (ShowHelpInstead(33141))
        return;
    const CString path = ProgramFolder() + "ZelkFunc.txt";
    // A missing file is not opened: a window for it would only stay empty.
    CTextDoc* doc = _access(path, 0) == 0 ? OpenTextDocument(path) : nullptr;
    if (!doc) {
        AfxMessageBox("関数説明ファイル " + path + " を開けませんでした");
        return;
    }
    doc->ClearDrawingLink();
    if (!LoadTextFile(doc, path))
        AfxMessageBox("関数説明ファイル " + path + " は読み込みできませんでした");
}

void CZelkApp::OnHelpContents()
{
    if (ShowHelpInstead(33152))
        return;
    Services().ShellOpen(ProgramFolder() + "ZelkFree.chm");
}

void CZelkApp::RedrawActiveView()
{
    CZelkView* view = m_activeView;
    if (!view)
        return;
    view->Invalidate(TRUE);
    if (view->m_document)
        view->m_document->UpdateAllViews(nullptr, 0);
    view->SendPaint();
    if (!(m_specialMode == 53 && m_screenOperation && m_screenOperation->state))
        SwitchMode(view->m_document, view, 3, 0, 0);
}

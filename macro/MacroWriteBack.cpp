// The results of a run written back behind their lines (" = " with value and unit), handed to
// group processing for placing in the drawing or shown in a new macro text window.
#include "macro/MacroInterpreter.h"

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "geometry/Numeric.h"
#include "macro/MacroStatement.h"
#include "macro/Quantity.h"
#include "macro/TextDoc.h"
#include "macro/Unit.h"
#include "view/ZelkView.h"

namespace {

// The text of one value: its number in the display unit followed by the unit's name.
CString ValueText(const CMacroStatement* node, const CQuantity& value)
{
    CString unitName;
    double ratio = 1.0;
    CString note;
    if (node->outputUnit) {
        unitName = node->outputUnit->name;
        ratio = node->outputUnit->ratio;
    } else if (node->unit) {
        unitName = node->unit->name;
        if (!value.unit.name.IsEmpty()) {
            ratio = node->unit->ratio;
            if (!value.unit.SameDimension(*node->unit))
                note = "(!=" + node->unit->name + ")";
        }
    } else if (const CUnit* named = CMacroInterpreter::GetUnit(CMacroInterpreter::FindUnitForQuantity(value.unit))) {
        unitName = named->name;
        ratio = named->ratio;
    } else {
        unitName = value.unit.Format();
    }
    CString number = DoubleToString(value.value / ratio);
    CMacroInterpreter::NormaliseExponentText(number);
    return number + unitName + note;
}

} // namespace

int CMacroInterpreter::WriteBackResults(int target)
{
    if (m_statements.GetSize() == 0)
        return 0;
    const int tabShift = g_pApp ? g_pApp->m_appText.m_tabShift : 2;
    CStringArray lines;
    int previousDepth = -1;
    for (int i = 0; i < m_statements.GetSize(); ++i) {
        const CMacroStatement* node = Statement(i);
        if (node->code != 1)
            continue;
        CString text = node->text;
        text.Trim();
        const int depth = node->depth;
        CString line;
        if (depth == 0)
            line = CString(' ', node->indent);
        const int levels = previousDepth == -1 || depth == previousDepth + 1 ? depth - 1 : depth;
        for (int level = 0; level < levels; ++level)
            line += CString(' ', tabShift);
        line += text;
        bool numbered = false;
        if ((node->valueFlags & 0x0C) && !node->assignmentRefused) {
            for (int v = 0; v < node->ValueCount(); ++v)
                numbered = numbered || node->Value(v)->kind == 2;
        }
        if (numbered) {
            line += " = ";
            for (int v = 0; v < node->ValueCount(); ++v) {
                if (node->Value(v)->kind == 2)
                    line += ValueText(node, *node->Value(v));
            }
        }
        lines.InsertAt(0, line);
        previousDepth = depth;
    }
    DeliverResults(lines, target);
    return -1;
}

void CMacroInterpreter::DeliverResults(const CStringArray& lines, int target)
{
    if (!g_pApp)
        return;
    CZelkView* view = g_pApp->m_activeView;
    if (target == 1 && !g_pApp->m_resultsToTextWindow && view && g_pApp->m_groupProcessor) {
        CGroupProcessor* group = g_pApp->m_groupProcessor;
        group->Reset(1);
        group->EnterGroupMode();
        group->m_elemSet.AddTextLines(lines);
        group->m_elemSet.angle = 0.0;
        group->m_document = view->m_document;
        group->modePattern = "MP";
        group->m_preset = 1;
        group->OnInput(view->m_document, 14, 32);
        return;
    }
    if (CTextDoc* text = g_pApp->NewTextDocument(1))
        text->SetLines(lines);
}

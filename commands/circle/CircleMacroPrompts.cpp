// The default macro step prompts of the circle command: for each step of a recorded pattern
// that has no text yet, "Macro[" + construction + "]" with the pattern's inputs, the step's own
// input marked.
#include "commands/circle/CircleCommand.h"

#include "commands/circle/CircleGuidanceTexts.h"

namespace {

// The text of step i of a pattern among the rows of one part; empty when no row names it.
CString StepText(const CString& pattern, signed char object, signed char part, int i)
{
    using namespace CircleTexts;
    if (i < 0 || i >= pattern.GetLength() || i >= 4)
        return CString();
    for (int r = 0; r < kMacroRowCount; ++r) {
        const CCircleMacroRow& row = kMacroRows[r];
        if (row.part != part || pattern != row.pattern)
            continue;
        if (row.object != kAnyObject && row.object != object)
            continue;
        return row.texts[i] ? CString(row.texts[i]) : CString();
    }
    return CString();
}

} // namespace

void CCircleCommand::BuildMacroPrompts(const CString& pattern, CStringArray& prompts) const
{
    const int length = pattern.GetLength();
    prompts.SetSize(length);
    const int percent = pattern.Find('%');
    const CString creation = percent < 0 ? pattern : pattern.Left(percent);
    const CString tail = percent < 0 ? CString() : pattern.Mid(percent);
    const signed char object = m_circleFlag == 1 ? kCircleObject : kArcObject;
    for (int i = 0; i < length; ++i) {
        if (!prompts[i].IsEmpty())
            continue;
        CString text = m_editFlag ? StepText(pattern, object, 1, i) : StepText(creation, object, 0, i);
        if (percent >= 0 && i >= percent)
            text = StepText(tail, object, 2, i - percent);
        prompts[i] = text;
    }
}

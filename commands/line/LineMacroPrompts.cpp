// The default macro step prompts of the line command: each step of a recorded pattern that has
// no text yet takes its row's text, or the last text written when its row gives none.
#include "commands/line/LineCommand.h"

#include "commands/line/LineGuidanceTexts.h"
#include "commands/line/StepPrompts.h"

void CLineCommand::BuildMacroPrompts(const CString& pattern, CStringArray& prompts) const
{
    using namespace LineTexts;
    // A pattern of the other kind (an edit while creating, or the reverse) finds no row.
    const char* const* texts = nullptr;
    for (int r = 0; r < kMacroRowCount; ++r)
        if (pattern == kMacroRows[r].pattern && kMacroRows[r].edit == (m_editFlag ? 1 : 0))
            texts = kMacroRows[r].texts;
    FillStepPrompts(pattern.GetLength(), texts, 5, prompts);
}

// The fixed texts of box selection that the processor's own routines set outside its guidance
// table: the first pair, and the pairs its reset leaves for a plain and for a deform selection.
#pragma once

namespace GroupTexts {

extern const char* const kInitialPrompt;
extern const char* const kInitialHint;
extern const char* const kBoxPrompt;
extern const char* const kBoxHint;
extern const char* const kDeformBoxPrompt;
extern const char* const kDeformBoxHint;

} // namespace GroupTexts

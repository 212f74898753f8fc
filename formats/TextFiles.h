// Splitting a line at a separator and reading a whole text file as a list of lines: shared by
// the definition files, the plug-in registration file, the macro recorder and the text window.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

// Empties out, then appends the pieces of text between separators and returns their number.
// The search never matches the second byte of a double-byte character. With TAB a leading TAB
// and runs of TABs give no empty pieces; any other separator keeps empty pieces.
int SplitString(const CString& text, char separator, CStringArray& out);

// Appends each line of the file, without its line end, to lines (not emptied first).
// Returns 0 on any file failure; lines read until then stay.
int ReadTextFileLines(CStringArray& lines, const CString& path);

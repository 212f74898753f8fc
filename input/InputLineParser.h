// The typed input line: a line of list 1 (or a listing line of list 8) becomes points and
// values for the current command, or with Ctrl+arrow moves of the base point; and the fonts
// list's line of text attributes.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CZelkDoc;

// Full-width digits, signs, brackets and Latin letters become their single-byte forms (CP932
// two-byte units walked whole); blanks at both ends go.
CString NormaliseTypedLine(const CString& text);
// The input bar's entered text for the document; arrow 0 none, 1 right, 2 left, 3 up, 4 down.
BOOL ParseInputLine(CZelkDoc* doc, int arrow);
BOOL ParseTextAttributes(CZelkDoc* doc);

// A text window's document: the lines shown in a text window (macro text, listings, results).
#pragma once

#include "platform/core/Arrays.h"
#include "platform/ui/Document.h"

class CTextDoc : public CDocument {
public:
    explicit CTextDoc(int kind = 0) : m_kind(kind) {}

    // Replaces the contents by the lines; nonzero on success.
    int SetLines(const CStringArray& lines);

    int m_kind;                 // 0 text, 1 macro
    CStringArray m_lines;
};

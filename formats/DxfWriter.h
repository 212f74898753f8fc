// Lines of a DXF file: the writer's own output primitives, shared by the header and tables.
#pragma once

#include "platform/core/String.h"

class CStdioFile;

// Writes the first length bytes of text and a line end (CR LF on disk).
void WriteDxfLine(CStdioFile& file, const char* text, int length);
// Writes the whole string and a line end.
void WriteDxfLine(CStdioFile& file, const CString& text);

// An integer value right-aligned in six characters ("     7"), the form of integer values.
CString DxfInt6(int value);

// The DXF line type of a pen's line type (0 solid to 4 dash-dot-dot); other types give other.
const char* DxfLineTypeName(int lineType, const char* other);

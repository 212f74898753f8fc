// A line type read from a DXF LTYPE table entry: its name, dash pattern and the pen line type
// the pattern maps to. Lives only while one DXF file is read.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"

class CuStyle : public CObject {
    DECLARE_SERIAL(CuStyle)
public:
    CuStyle();
    ~CuStyle() override;
    void Serialize(CArchive& ar) override;

    CString m_name;
    int m_lineType;        // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
    int m_dashCount;
    double m_patternLength;
    double m_dashes[6];
};

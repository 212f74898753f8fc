// A block definition read from a DXF file, with the entity records it holds in its own
// coordinates, and the record of one expanded insertion. The document keeps the blocks (archived
// with name, base point and dimension type only) and the insertion records.
#pragma once

#include <cstdint>

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

struct CBlkPoint {
    CPointD m_position;
    int m_lineType = 0;
    int m_penWidth = 1;
    COLORREF m_color = 0;
    std::int16_t m_layer = 0;
};

struct CBlkLine {
    CPointD m_start;
    CPointD m_end;
    int m_reserved = 0;
    int m_lineType = 0;
    int m_penWidth = 1;
    COLORREF m_color = 0;
    std::int16_t m_layer = 0;
};

struct CBlkCircle {
    CPointD m_centre;
    double m_radius = 0.0;
    int m_lineType = 0;
    int m_penWidth = 1;
    COLORREF m_color = 0;
    std::int16_t m_layer = 0;
};

struct CBlkArc {
    CPointD m_centre;
    double m_radius = 0.0;
    CPointD m_angles;   // start and end in degrees
    int m_fixed = 1;
    int m_lineType = 0;
    int m_penWidth = 1;
    COLORREF m_color = 0;
    std::int16_t m_layer = 0;
};

// Height and rotation are kept with the opposite sign of the file's values.
struct CBlkText {
    CBlkText();
    CString m_text;
    CPointD m_position;
    COLORREF m_color = 0;
    int m_alignment = 8;   // 999: decided when the block is inserted
    CString m_style;
    double m_height = 8.0;
    double m_width = 0.0;  // millimetres
    double m_rotation = 0.0;
    double m_oblique = 0.0;
    std::int16_t m_layer = 0;
};

struct CBlkInsert {
    CBlkInsert();
    std::int16_t m_block = 0;
    CPointD m_point;
    CPointD m_scale;
    double m_rotation = 0.0;
};

class CBlock : public CObject {
    DECLARE_SERIAL(CBlock)
public:
    CBlock();
    ~CBlock() override;
    CBlock(const CBlock&) = delete;
    CBlock& operator=(const CBlock&) = delete;
    // name, base point, reserved 16 bits, dimension type (32 bits); the record lists are not
    // archived.
    void Serialize(CArchive& ar) override;

    CBlkPoint* PointAt(int i) const { return static_cast<CBlkPoint*>(m_points[i]); }
    CBlkLine* LineAt(int i) const { return static_cast<CBlkLine*>(m_lines[i]); }
    CBlkCircle* CircleAt(int i) const { return static_cast<CBlkCircle*>(m_circles[i]); }
    CBlkArc* ArcAt(int i) const { return static_cast<CBlkArc*>(m_arcs[i]); }
    CBlkText* TextAt(int i) const { return static_cast<CBlkText*>(m_texts[i]); }
    int RecordCount() const;

    CString m_name;
    CPointD m_base;
    std::int16_t m_reserved;
    CPtrArray m_points;    // CBlkPoint
    CPtrArray m_lines;     // CBlkLine
    CPtrArray m_circles;   // CBlkCircle
    CPtrArray m_arcs;      // CBlkArc
    CPtrArray m_texts;     // CBlkText
    CPtrArray m_inserts;   // always empty: nested insertions are copied into the lists above
    std::int32_t m_dimType;
};

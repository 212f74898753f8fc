// DXF line-type records.
#include "formats/uStyle.h"

IMPLEMENT_SERIAL(CuStyle, CObject, 0)

CuStyle::CuStyle() : m_lineType(0), m_dashCount(0), m_patternLength(0.0), m_dashes{} {}

CuStyle::~CuStyle() = default;

void CuStyle::Serialize(CArchive&) {}

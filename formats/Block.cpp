// DXF block definitions and their records.
#include "formats/Block.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CBlock, CObject, 0)

CBlkText::CBlkText() : m_style("ＭＳ ゴシック") {}

CBlkInsert::CBlkInsert() { m_scale.Init(1.0, 1.0); }

CBlock::CBlock() : m_reserved(0), m_dimType(-1) {}

namespace {

template <class Record>
void DeleteRecords(CPtrArray& list)
{
    for (int i = 0; i < list.GetSize(); ++i)
        delete static_cast<Record*>(list[i]);
    list.RemoveAll();
}

}  // namespace

CBlock::~CBlock()
{
    DeleteRecords<CBlkPoint>(m_points);
    DeleteRecords<CBlkLine>(m_lines);
    DeleteRecords<CBlkCircle>(m_circles);
    DeleteRecords<CBlkArc>(m_arcs);
    DeleteRecords<CBlkText>(m_texts);
    DeleteRecords<CBlkInsert>(m_inserts);
}

int CBlock::RecordCount() const
{
    return m_points.GetSize() + m_lines.GetSize() + m_circles.GetSize() + m_arcs.GetSize() +
           m_texts.GetSize();
}

void CBlock::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_name;
        StorePointD(ar, m_base);
        ar << m_reserved;
        ar << static_cast<LONG>(m_dimType);
    } else {
        ar >> m_name;
        LoadPointD(ar, m_base);
        ar >> m_reserved;
        LONG dimType = 0;
        ar >> dimType;
        m_dimType = dimType;
    }
}

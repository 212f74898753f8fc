// A drawing's binary archive as bytes and back, and a drawing that holds a bit of everything,
// for the tests of the archive and its fuzz runs.
#pragma once

#include <cstring>
#include <vector>

#include "app/ZelkCntrItem.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "view/ZelkOleObj.h"

inline std::vector<BYTE> StoreDrawingArchive(CZelkDoc& doc)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Throws what the load throws.
inline void LoadDrawingArchive(CZelkDoc& doc, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    ar.Close();
}

inline CPointD SamplePoint(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// Every element kind, a dimension-like group holding a line and a sub-group that holds a
// text, three layers, and a picture placed over the drawing.
inline void FillSampleDrawing(CZelkDoc& doc)
{
    doc.FindOrCreateLayer("second");
    doc.FindOrCreateLayer("third");
    const std::int16_t dashed = doc.FindOrAddPen(2, 3, RGB(1, 2, 3), 0, 70);
    const std::int16_t solid = doc.FindOrAddPen(0, 7, RGB(4, 5, 6), 0, 70);
    LOGFONT lf{};
    lf.lfHeight = -30;
    std::strcpy(lf.lfFaceName, "Font");
    const std::int16_t font = doc.FindOrAddFont(lf, 20, 30, 1, 0);
    doc.AddPoint(SamplePoint(1, 2), 0, solid);
    CLines* lines = doc.AddLine(SamplePoint(0, 0), SamplePoint(3, 4), 1, dashed);
    doc.AddLine(SamplePoint(0, 0), SamplePoint(5, 0), 2, solid);
    doc.AddCircle(SamplePoint(1, 1), 2, 0, solid);
    doc.AddArc(SamplePoint(0, 0), 3, SamplePoint(10, 80), 0, solid);
    doc.AddConic(SamplePoint(0, 0), 4, 0.5, SamplePoint(0, 90), 10, 2, solid);
    doc.AddCurve(1, {SamplePoint(0, 0), SamplePoint(1, 0), SamplePoint(1, 1)}, 0, solid);
    CTexts* texts = doc.AddText(SamplePoint(5, 5), "寸法", 0, 8, 0, font);

    CGroup* outer = new CGroup;
    outer->m_kind = CGroup::KIND_LINEAR;
    outer->m_name = "outer";
    outer->m_defPoint1 = SamplePoint(0, 0);
    outer->m_defPoint2 = SamplePoint(3, 4);
    doc.m_groups.Add(outer);
    CGroup* inner = new CGroup;
    inner->m_kind = CGroup::KIND_NOTATION;
    inner->m_parent = 0;
    doc.m_groups.Add(inner);
    CElemRef r;
    outer->m_members.push_back(r.Init(ELEM_LINE, 0, 0, 1, 0));
    outer->m_members.push_back(r.Init(ELEM_GROUP, 1, 0, 1, 0));
    inner->m_members.push_back(r.Init(ELEM_TEXT, 0, 0, 1, 0));
    lines->m_slots[0].m_group = 0;
    texts->m_slots[0].m_group = 1;

    auto* picture = new CZelkOleObj;
    picture->m_topLeft = SamplePoint(10, 20);
    picture->m_bottomRight = SamplePoint(30, 5);
    picture->m_extent = {2000, 1500};
    picture->m_itemIndex = 0;
    picture->m_layer = 1;
    doc.AddObject(picture);
    auto* item = new CZelkCntrItem(&doc, picture);
    item->m_className = "Picture";
    item->m_serverExtent = {2000, 1500};
    item->m_nativeData.assign(40, 0x5A);
    doc.m_oleItems.push_back(item);
}

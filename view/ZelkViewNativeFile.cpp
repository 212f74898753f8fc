// The native drawing file writer: a view operation, since the layer prefixes record which layers
// this view hides. The whole file is built in memory in two passes over the same buffer writers
// (a size pass that also chooses what is written, then the write pass) and reaches the disk in
// one write, through a temporary file that replaces the old one only when it is complete.
#include "view/ZelkView.h"

#include "app/WaitCursorScope.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "formats/BufferRoutines.h"
#include "formats/NativeFormat.h"
#include "formats/NativeWriteTables.h"
#include "platform/core/Archive.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/File.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"
#include "platform/ui/WinApp.h"
#include "app/ZelkCntrItem.h"
#include "view/ZelkObj.h"
#include "view/ZelkOleObj.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

int CNativeWriteTables::WrittenGroups() const
{
    int n = 0;
    for (std::int16_t v : m_groupMap)
        n += v >= 0;
    return n;
}

int CNativeWriteTables::WrittenStrings() const
{
    int n = 0;
    for (std::int16_t v : m_stringMap)
        n += v >= 0;
    return n;
}

namespace {

// A group counts as live when its state is 0 or has the drawn bit.
bool IsLiveGroup(const CGroup* g)
{
    return g->m_state == 0 || (g->m_state & 0x01) != 0;
}

bool IsDeleted(std::uint8_t state)
{
    return (state & 0x08) != 0;
}

// The file number of a document table entry; an index outside the table is absent.
std::int16_t Mapped(const std::vector<std::int16_t>& map, int index)
{
    if (index < 0 || index >= static_cast<int>(map.size()))
        return -1;
    return map[index];
}

// Numbers the used entries 0, 1, 2 ... in table order; the others become -1.
void NumberUsed(std::vector<std::int16_t>& map)
{
    std::int16_t next = 0;
    for (std::int16_t& v : map)
        v = v ? next++ : -1;
}

// The buffer writers of one pass: without a buffer they only count.
struct CNativeOut {
    int m_capacity;
    BYTE* m_buffer;
    int m_position;

    void Text(const CString& s) { PutText(m_capacity, m_buffer, s, m_position); }
    void Line(const CString& s) { PutLine(m_capacity, m_buffer, s, m_position); }
    void Byte(BYTE v) { PutByte(m_capacity, m_buffer, v, m_position); }
    void I16(int v) { PutInt16(m_capacity, m_buffer, static_cast<std::int16_t>(v), m_position); }
    void I32(std::int32_t v) { PutInt32(m_capacity, m_buffer, v, m_position); }
    void F64(double v) { PutDouble(m_capacity, m_buffer, v, m_position); }
    void Point(const CPointD& p) { PutPoint(m_capacity, m_buffer, p, m_position); }
    void CrLf() { PutText(m_capacity, m_buffer, "\r\n", m_position); }
    void Counted(const CString& s)
    {
        I16(s.GetLength());
        Text(s);
    }
    void Raw(const BYTE* bytes, int n)
    {
        if (m_buffer && n > 0 && m_position + n <= m_capacity)
            std::memcpy(m_buffer + m_position, bytes, static_cast<size_t>(n));
        m_position += n;
    }
};

// Writes `count` items as one record, or as several records of the same keyword and header
// when the payload would pass the 16-bit length: the reader appends record by record. The
// record closes with CR LF after its items unless the items are lines of their own.
template <class Header, class Item>
void PutRecords(CNativeOut& out, CNativeWriteTables& tables, const char* keyword, Header header,
                int count, Item item, bool closingLine)
{
    const int limit = kNativeMaxPayload - (closingLine ? 2 : 0);
    int lengthAt = 0;
    int payloadStart = 0;
    auto open = [&] {
        out.Text(keyword);
        lengthAt = out.m_position;
        out.I16(0);
        header(out);
        out.CrLf();
        payloadStart = out.m_position;
    };
    auto close = [&] {
        if (closingLine)
            out.CrLf();
        PatchInt16(out.m_capacity, out.m_buffer,
                   static_cast<std::int16_t>(out.m_position - payloadStart), lengthAt);
    };
    open();
    int inRecord = 0;
    for (int i = 0; i < count; ++i) {
        CNativeOut probe{0, nullptr, 0};
        item(probe, i);
        if (probe.m_position > limit)
            tables.m_itemTooLarge = 1;
        else if (inRecord > 0 && out.m_position - payloadStart + probe.m_position > limit) {
            close();
            open();
            inRecord = 0;
        }
        item(out, i);
        ++inRecord;
    }
    close();
}

void NoHeader(CNativeOut&) {}

// The tail every element item ends with: layer, group, role, attribute strings (file numbers).
template <class E>
void PutTail(CNativeOut& out, const CNativeWriteTables& t, const E& e)
{
    out.I16(e.m_layer);
    out.I16(Mapped(t.m_groupMap, e.m_group));
    out.I16(e.m_role);
    // The count of the strings that are written goes before them: it is patched in after.
    const int countAt = out.m_position;
    out.I16(0);
    int written = 0;
    for (int k = 0; k < e.m_attrStrings.GetSize(); ++k) {
        const std::int16_t n = Mapped(t.m_stringMap, e.m_attrStrings.GetAt(k));
        if (n >= 0) {
            out.I16(n);
            ++written;
        }
    }
    if (written > 0)
        PatchInt16(out.m_capacity, out.m_buffer, static_cast<std::int16_t>(written), countAt);
}

void PutItem(CNativeOut& out, const CDataPoint& e)
{
    out.Point(e.m_position);
}
void PutItem(CNativeOut& out, const CLine& e)
{
    out.Point(e.m_start);
    out.Point(e.m_end);
    out.I32(e.m_swapped);
}
void PutItem(CNativeOut& out, const CCircle& e)
{
    out.Point(e.m_centre);
    out.F64(e.m_radius);
}
void PutItem(CNativeOut& out, const CArc& e)
{
    out.Point(e.m_centre);
    out.F64(e.m_radius);
    out.F64(e.m_startAngle);
    out.F64(e.m_endAngle);
    out.I32(e.m_arcFlag);
}
void PutItem(CNativeOut& out, const CConic& e)
{
    out.Point(e.m_centre);
    out.F64(e.m_majorRadius);
    out.F64(e.m_ratio);
    out.F64(e.m_startAngle);
    out.F64(e.m_endAngle);
    out.F64(e.m_tilt);
}
void PutItem(CNativeOut& out, const CCurve& e)
{
    // A curve of kind 1 has merged its points into the sequence; other kinds keep them pending.
    const std::vector<CPointD>& points = e.m_kind == 1 ? e.m_points : e.m_pendingPoints;
    out.Byte(e.m_kind);
    out.I16(static_cast<int>(points.size()));
    for (const CPointD& p : points)
        out.Point(p);
}
void PutItem(CNativeOut& out, const CText& e)
{
    out.Counted(e.m_text);
    out.Point(e.m_point);
    out.I32(static_cast<std::int32_t>(e.m_color));
    out.I16(e.m_alignment & 0xFFFF);
}

// The pen (font) number of a block, or -1 when it is outside its table.
template <class B>
int BlockPen(const B* block, int tableSize)
{
    return block->m_pen >= 0 && block->m_pen < tableSize ? block->m_pen : -1;
}

// Size-pass selection of one block array; `tableSize` bounds the pens (fonts for texts).
template <class B>
void SelectBlocks(CZelkDoc* doc, const CObArray& blocks, std::vector<CSlotIndexMap>& maps,
                  std::vector<std::int16_t>& penMap, std::vector<std::int16_t>& groupMap)
{
    const int groupCount = doc->m_groups.GetSize();
    maps.clear();
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const B* block = static_cast<const B*>(blocks.GetAt(b));
        const int used = block ? std::max(0, std::min<int>(block->m_count, B::SlotCount)) : 0;
        maps.emplace_back(used);
        if (!block)
            continue;
        // A block whose pen (font) is not in the table cannot be written at all.
        const int pen = BlockPen(block, static_cast<int>(penMap.size()));
        if (pen < 0)
            continue;
        CSlotIndexMap& map = maps.back();
        std::int16_t next = 1;
        for (int s = 0; s < used; ++s) {
            const auto& e = block->m_slots[s];
            if (IsDeleted(e.m_state) || e.m_group >= groupCount)
                continue;
            if (e.m_group >= 0) {
                if (!IsLiveGroup(doc->GetGroup(e.m_group)))
                    continue;
                groupMap[e.m_group] = 1;
            }
            map.m_newIndex[s] = next++;
        }
        if (next > 1)
            penMap[pen] = 1;
    }
}

template <class B, class Header>
void PutBlocks(CNativeOut& out, CNativeWriteTables& t, const CObArray& blocks,
               const std::vector<CSlotIndexMap>& maps, const std::vector<std::int16_t>& penMap,
               const char* keyword, Header header)
{
    for (int b = 0; b < blocks.GetSize() && b < static_cast<int>(maps.size()); ++b) {
        const CSlotIndexMap& map = maps[b];
        if (map.CountUsed() == 0)
            continue;
        const B* block = static_cast<const B*>(blocks.GetAt(b));
        std::vector<int> slots;
        for (int s = 0; s < map.m_count; ++s) {
            if (map.m_newIndex[s] != -1)
                slots.push_back(s);
        }
        const std::int16_t pen = Mapped(penMap, block->m_pen);
        PutRecords(
            out, t, keyword, [&](CNativeOut& o) { header(o, block, pen); },
            static_cast<int>(slots.size()),
            [&](CNativeOut& o, int i) {
                const auto& e = block->m_slots[slots[i]];
                PutItem(o, e);
                PutTail(o, t, e);
            },
            true);
    }
}

template <class B>
void PenHeader(CNativeOut& o, const B*, std::int16_t pen)
{
    o.I16(pen);
}

} // namespace

int CZelkView::MeasureNativeFile(CNativeWriteTables& t)
{
    CZelkDoc* doc = m_document;
    const int groupCount = doc->m_groups.GetSize();
    const int stringCount = doc->m_attrStrings.GetSize();
    t.m_stringMap.assign(stringCount, 0);
    t.m_groupMap.assign(groupCount, 0);
    t.m_penMap.assign(doc->m_pens.GetSize(), 0);
    t.m_fontMap.assign(doc->m_fonts.GetSize(), 0);

    // Attribute strings that something live carries.
    for (int i = 0; i < stringCount; ++i) {
        CDataString* s = doc->GetString(i);
        if (s && !IsDeleted(s->m_state) && s->HasLiveCarrier(doc))
            t.m_stringMap[i] = 1;
    }
    NumberUsed(t.m_stringMap);

    // Live parents of groups that are not deleted.
    for (int i = 0; i < groupCount; ++i) {
        CGroup* g = doc->GetGroup(i);
        if (IsDeleted(g->m_state) || g->m_parent < 0 || g->m_parent >= groupCount)
            continue;
        if (IsLiveGroup(doc->GetGroup(g->m_parent)))
            t.m_groupMap[g->m_parent] = 1;
    }

    SelectBlocks<CDataPoints>(doc, doc->m_pointBlocks, t.m_slotMaps[NATIVE_BLOCKS_POINT],
                              t.m_penMap, t.m_groupMap);
    SelectBlocks<CLines>(doc, doc->m_lineBlocks, t.m_slotMaps[NATIVE_BLOCKS_LINE], t.m_penMap,
                         t.m_groupMap);
    SelectBlocks<CCircles>(doc, doc->m_circleBlocks, t.m_slotMaps[NATIVE_BLOCKS_CIRCLE],
                           t.m_penMap, t.m_groupMap);
    SelectBlocks<CArcs>(doc, doc->m_arcBlocks, t.m_slotMaps[NATIVE_BLOCKS_ARC], t.m_penMap,
                        t.m_groupMap);
    SelectBlocks<CConics>(doc, doc->m_conicBlocks, t.m_slotMaps[NATIVE_BLOCKS_CONIC],
                          t.m_penMap, t.m_groupMap);
    SelectBlocks<CCurves>(doc, doc->m_curveBlocks, t.m_slotMaps[NATIVE_BLOCKS_CURVE],
                          t.m_penMap, t.m_groupMap);
    SelectBlocks<CTexts>(doc, doc->m_textBlocks, t.m_slotMaps[NATIVE_BLOCKS_TEXT], t.m_fontMap,
                         t.m_groupMap);

    // Placed objects keep their groups.
    for (CZelkObj* obj : doc->m_objects) {
        if (!obj || IsDeleted(obj->m_state) || obj->m_group >= groupCount ||
            obj->m_layer >= doc->m_layers.GetSize())
            continue;
        if (obj->m_group >= 0 && IsLiveGroup(doc->GetGroup(obj->m_group)))
            t.m_groupMap[obj->m_group] = 1;
    }

    // One upward pass: a chain is followed only where parents have higher numbers.
    for (int i = 0; i < groupCount; ++i) {
        const int p = doc->GetGroup(i)->m_parent;
        if (t.m_groupMap[i] && p >= 0 && p < groupCount)
            t.m_groupMap[p] = 1;
    }
    for (int i = 0; i < groupCount; ++i) {
        if (IsDeleted(doc->GetGroup(i)->m_state))
            t.m_groupMap[i] = 0;
    }
    NumberUsed(t.m_groupMap);
    NumberUsed(t.m_penMap);
    NumberUsed(t.m_fontMap);

    return FillNativeBuffer(t, nullptr, 0);
}

int CZelkView::FillNativeBuffer(CNativeWriteTables& t, BYTE* buffer, int size)
{
    CZelkDoc* doc = m_document;
    CNativeOut out{size, buffer, 0};

    out.Line("Zelk data ver." + NativeDataVersion());
    out.Line("name " + doc->m_headerName);
    out.Line("renewal-1 " + doc->m_renewalDate1 + " " + doc->m_loadedDates[0]);
    out.Line("renewal-2 " + doc->m_renewalDate2 + " " + doc->m_loadedDates[1]);
    out.Line("renewal-3 " + doc->m_renewalDate3 + " " + doc->m_loadedDates[2]);
    out.Line("create " + doc->m_creationDate + " " + doc->m_loadedDates[3]);

    // A memo is one item: splitting it would read back as two memos.
    for (int m = 0; m < doc->m_memo.GetSize(); ++m) {
        const CString& memo = doc->m_memo.GetAt(m);
        PutRecords(
            out, t, "memo", NoHeader, 1,
            [&](CNativeOut& o, int) {
                int at = 0;
                do {
                    o.Line(" " + memo.Mid(at, kNativeMemoPiece));
                    at += kNativeMemoPiece;
                } while (at < memo.GetLength());
            },
            false);
    }

    const int layerCount = doc->m_layers.GetSize();
    PutRecords(
        out, t, "layer", NoHeader, layerCount,
        [&](CNativeOut& o, int i) {
            const char* prefix = "+";
            if (i == doc->m_writeLayer)
                prefix = "*";
            else if (i < m_layerStates.GetSize() && m_layerStates.GetAt(i) != 0)
                prefix = "-";
            o.Line(prefix + doc->GetLayer(i)->m_name);
        },
        false);

    std::vector<int> pens;
    for (int i = 0; i < static_cast<int>(t.m_penMap.size()); ++i) {
        if (t.m_penMap[i] >= 0)
            pens.push_back(i);
    }
    PutRecords(
        out, t, "pen", NoHeader, static_cast<int>(pens.size()),
        [&](CNativeOut& o, int i) {
            const CTypePen* p = doc->GetPen(pens[i]);
            o.I32(p->m_lineType);
            o.I16(p->m_width);
            o.I32(static_cast<std::int32_t>(p->m_color));
            o.Byte(p->m_blurCount);
            o.Byte(p->m_blurRate);
        },
        true);

    std::vector<int> fonts;
    for (int i = 0; i < static_cast<int>(t.m_fontMap.size()); ++i) {
        if (t.m_fontMap[i] >= 0)
            fonts.push_back(i);
    }
    PutRecords(
        out, t, "font", NoHeader, static_cast<int>(fonts.size()),
        [&](CNativeOut& o, int i) {
            const CTypeFont* f = doc->GetFont(fonts[i]);
            const LOGFONT& lf = f->m_logFont;
            o.I32(lf.lfHeight);
            o.I32(lf.lfWidth);
            o.I32(lf.lfEscapement);
            o.I32(lf.lfOrientation);
            o.I32(lf.lfWeight);
            o.Byte(lf.lfItalic);
            o.Byte(lf.lfUnderline);
            o.Byte(lf.lfStrikeOut);
            o.Byte(lf.lfCharSet);
            o.Byte(lf.lfOutPrecision);
            o.Byte(lf.lfClipPrecision);
            o.Byte(lf.lfQuality);
            o.Byte(lf.lfPitchAndFamily);
            BYTE face[kNativeFaceNameSize] = {};
            const size_t n = strnlen(lf.lfFaceName, kNativeFaceNameSize - 1);
            std::memcpy(face, lf.lfFaceName, n);
            o.Raw(face, kNativeFaceNameSize);
            o.Byte(f->m_style1);
            o.Byte(f->m_style2);
            o.Byte(f->m_style3);
            o.Byte(f->m_style4);
            o.Byte(f->m_style5);
            o.F64(f->m_angle);
            o.F64(f->m_spacing);
            o.I32(f->m_rightToLeft);
            o.I32(f->m_height);
            o.I32(f->m_width);
        },
        true);

    PutRecords(
        out, t, "origin", NoHeader, 1,
        [&](CNativeOut& o, int) {
            o.Point(doc->m_relOrigin);
            o.F64(doc->m_relAngle);
        },
        true);
    PutRecords(out, t, "ratio", NoHeader, 1, [&](CNativeOut& o, int) { o.F64(doc->m_ratio); },
               true);

    auto putStrings = [&](CNativeOut& o, const CWordArray& list) {
        std::vector<std::int16_t> numbers;
        for (int k = 0; k < list.GetSize(); ++k) {
            std::int16_t n = Mapped(t.m_stringMap, list.GetAt(k));
            if (n >= 0)
                numbers.push_back(n);
        }
        o.I16(static_cast<int>(numbers.size()));
        for (std::int16_t n : numbers)
            o.I16(n);
    };

    if (t.WrittenGroups() > 0) {
        std::vector<int> groups;
        for (int i = 0; i < static_cast<int>(t.m_groupMap.size()); ++i) {
            if (t.m_groupMap[i] >= 0)
                groups.push_back(i);
        }
        PutRecords(
            out, t, "group", NoHeader, static_cast<int>(groups.size()),
            [&](CNativeOut& o, int i) {
                const CGroup* g = doc->GetGroup(groups[i]);
                o.Counted(g->m_name);
                o.I16(g->m_kind);
                o.I16(Mapped(t.m_groupMap, g->m_parent));
                putStrings(o, g->m_attrStrings);
                o.Point(g->m_defPoint1);
                o.Point(g->m_defPoint2);
            },
            true);
    }
    if (t.WrittenStrings() > 0) {
        std::vector<int> strings;
        for (int i = 0; i < static_cast<int>(t.m_stringMap.size()); ++i) {
            if (t.m_stringMap[i] >= 0)
                strings.push_back(i);
        }
        PutRecords(
            out, t, "string", NoHeader, static_cast<int>(strings.size()),
            [&](CNativeOut& o, int i) { o.Counted(doc->GetString(strings[i])->m_text); }, true);
    }

    PutBlocks<CDataPoints>(out, t, doc->m_pointBlocks, t.m_slotMaps[NATIVE_BLOCKS_POINT],
                           t.m_penMap, "point", PenHeader<CDataPoints>);
    PutBlocks<CLines>(out, t, doc->m_lineBlocks, t.m_slotMaps[NATIVE_BLOCKS_LINE], t.m_penMap,
                      "line", [](CNativeOut& o, const CLines* block, std::int16_t pen) {
                          o.Byte(block->m_direction);
                          o.I16(pen);
                      });
    PutBlocks<CCircles>(out, t, doc->m_circleBlocks, t.m_slotMaps[NATIVE_BLOCKS_CIRCLE],
                        t.m_penMap, "circle", PenHeader<CCircles>);
    PutBlocks<CArcs>(out, t, doc->m_arcBlocks, t.m_slotMaps[NATIVE_BLOCKS_ARC], t.m_penMap,
                     "arc", PenHeader<CArcs>);
    PutBlocks<CConics>(out, t, doc->m_conicBlocks, t.m_slotMaps[NATIVE_BLOCKS_CONIC],
                       t.m_penMap, "conic", PenHeader<CConics>);
    PutBlocks<CCurves>(out, t, doc->m_curveBlocks, t.m_slotMaps[NATIVE_BLOCKS_CURVE],
                       t.m_penMap, "curve", PenHeader<CCurves>);
    PutBlocks<CTexts>(out, t, doc->m_textBlocks, t.m_slotMaps[NATIVE_BLOCKS_TEXT], t.m_fontMap,
                      "text", PenHeader<CTexts>);
    return out.m_position;
}

int CZelkView::WriteNativeItems(CNativeWriteTables& t)
{
    t.m_itemData.clear();
    CZelkDoc* doc = m_document;
    auto live = [](const CZelkObj* obj) {
        return obj && !IsDeleted(obj->m_state) && obj->IsSerializable();
    };
    // An item is written when a live placed object shows it; its number in the file is its place
    // among those written.
    std::vector<std::int32_t> itemNumber(doc->m_oleItems.size(), -1);
    std::vector<char> shown(doc->m_oleItems.size(), 0);
    for (CZelkObj* obj : doc->m_objects) {
        auto* ole = dynamic_cast<CZelkOleObj*>(obj);
        if (ole && live(ole) && ole->m_itemIndex >= 0 &&
            ole->m_itemIndex < static_cast<std::int32_t>(shown.size()))
            shown[static_cast<size_t>(ole->m_itemIndex)] = 1;
    }
    CObArray items;
    for (size_t i = 0; i < doc->m_oleItems.size(); ++i) {
        CZelkCntrItem* item = doc->m_oleItems[i];
        if (!item || !item->IsSerializable())
            continue;
        for (int k = 0; k < item->m_placedObjects.GetSize() && !shown[i]; ++k)
            shown[i] = live(static_cast<CZelkObj*>(item->m_placedObjects[k]));
        if (!shown[i])
            continue;
        itemNumber[i] = items.GetSize();
        items.Add(item);
    }
    // The objects go as copies carrying the file's numbers; the drawing itself is not changed.
    std::vector<std::unique_ptr<CZelkObj>> copies;
    CObArray objects;
    for (CZelkObj* obj : doc->m_objects) {
        if (!live(obj))
            continue;
        std::unique_ptr<CZelkObj> copy;
        if (auto* ole = dynamic_cast<CZelkOleObj*>(obj)) {
            auto c = std::make_unique<CZelkOleObj>();
            c->m_extent = ole->m_extent;
            const bool known = ole->m_itemIndex >= 0 &&
                               ole->m_itemIndex < static_cast<std::int32_t>(itemNumber.size());
            c->m_itemIndex = known ? itemNumber[static_cast<size_t>(ole->m_itemIndex)] : -1;
            copy = std::move(c);
        } else {
            copy = std::make_unique<CZelkObj>();
        }
        copy->m_state = obj->m_state;
        copy->m_topLeft = obj->m_topLeft;
        copy->m_bottomRight = obj->m_bottomRight;
        copy->m_layer = obj->m_layer;
        copy->m_group = Mapped(t.m_groupMap, obj->m_group);
        copy->m_savedLayer = copy->m_layer;
        copy->m_savedGroup = copy->m_group;
        objects.Add(copy.get());
        copies.push_back(std::move(copy));
    }
    if (objects.GetSize() == 0 && items.GetSize() == 0)
        return 1;
    try {
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store, 4096);
        ar.m_pDocument = doc;
        objects.Serialize(ar);
        items.Serialize(ar);
        ar.Close();
        const DWORD length = file.GetLength();
        t.m_itemData.resize(length);
        file.SeekToBegin();
        if (length > 0 && file.Read(t.m_itemData.data(), length) != length) {
            t.m_itemData.clear();
            return 0;
        }
    } catch (CException&) {
        t.m_itemData.clear();
        return 0;
    }
    return 1;
}

int CZelkView::WriteNativeFile(const CString& path, int itemFlag)
{
    CWaitCursorScope wait;
    if (!m_document)
        return 0;

    CNativeWriteTables tables;
    const int measured = MeasureNativeFile(tables);
    if (tables.m_itemTooLarge) {
        Services().MessageBox(kNativeMsgItemTooLarge, "", MB_OK);
        return 0;
    }
    if (itemFlag && !WriteNativeItems(tables))
        return 0;
    const int itemBytes = static_cast<int>(tables.m_itemData.size());
    const bool withItems = itemBytes > 0;

    const std::int64_t estimate =
        static_cast<std::int64_t>(measured) + (withItems ? kNativeItemFraming + itemBytes : 0) +
        kNativeEndSize;
    const std::int64_t capacity = static_cast<std::int64_t>(estimate * 1.05);
    if (capacity > 0x7FFFFFFF)
        return 0;
    // Not cleared first: every byte up to the final position is written by the fill below (the
    // file is refused when a value did not fit), and nothing after it is kept.
    CLargeBuffer buffer;
    try {
        buffer = CLargeBuffer(static_cast<size_t>(capacity));
    } catch (const std::bad_alloc&) {
        return 0;
    }

    const int size = static_cast<int>(capacity);
    CNativeOut out{size, buffer.data(), FillNativeBuffer(tables, buffer.data(), size)};
    if (withItems) {
        out.Text("item");
        out.I32(itemBytes);
        out.CrLf();
        out.Raw(tables.m_itemData.data(), itemBytes);
        out.CrLf();
    }
    out.Text("end");
    out.CrLf();
    if (out.m_position > size) {
        Services().MessageBox(kNativeMsgCannotWrite, "", MB_OK);
        return 0;
    }

    // The old file stays whole until the new one is: a failed write leaves it untouched.
    const BOOL saved = SaveFileReplacing(path, [&](const CString& temporary) {
        CFile file(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive |
                                  CFile::typeBinary);
        file.Write(buffer.data(), static_cast<UINT>(out.m_position));
        file.Close();
        return TRUE;
    });
    if (!saved)
        return 0;
    return 1;
}

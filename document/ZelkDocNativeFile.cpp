// The native drawing file reader: a document operation that hands every layer, pen, font,
// attribute string and element of the file to the document's own services. Every count and
// length the file gives is checked against the bytes that are really there; a damaged file is
// searched for its next keyword, and what was read before the damage stays.
#include "document/ZelkDoc.h"

#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "formats/BufferRoutines.h"
#include "formats/NativeFormat.h"
#include "formats/NativeReadState.h"
#include "geometry/Numeric.h"
#include "platform/core/Archive.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/File.h"
#include "platform/core/Services.h"
#include "platform/ui/WinApp.h"
#include "app/ZelkCntrItem.h"
#include "view/ZelkObj.h"
#include "view/ZelkOleObj.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <set>
#include <vector>

namespace {

void Message(const char* text)
{
    AfxMessageBox(text);
}

// The application's current text settings, which the font items of the file pass through.
CAppText& CurrentText()
{
    static CAppText alone;
    return g_pApp ? g_pApp->m_appText : alone;
}

// The form bytes of the four text shapes, as the shape commands set them: standard,
// horizontal, vertical, slant.
void ApplyTextShape(CAppText& text, BYTE shape)
{
    if (shape < 1 || shape > 4)
        return;
    if (g_pApp && &text == &g_pApp->m_appText) {
        CAppText::RunShapeCommand(shape);
        return;
    }
    text.SaveShape();
    text.SetShapeForm(shape);
}

// A size in tenths from a damaged file's font can pass the 32-bit range; it is held at its end.
std::int32_t Tenths(double value)
{
    return static_cast<std::int32_t>(std::clamp(value, -2147483648.0, 2147483647.0));
}

// Bounded reads over one record's payload: a read past it leaves the position beyond the
// length, which the caller takes as damage.
struct CPayload {
    const BYTE* m_data;
    int m_length;
    int m_position = 0;

    bool Overrun() const { return m_position > m_length; }
    int Remaining() const { return m_length - m_position; }
    BYTE Byte() { return GetByte(m_data, m_length, m_position); }
    std::int16_t I16() { return GetInt16(m_data, m_length, m_position); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(I16()); }
    std::int32_t I32() { return GetInt32(m_data, m_length, m_position); }
    // A number that is not finite is damage, as a read past the record is: the views turn
    // coordinates and angles into pixels, where an infinity or NaN has no integer.
    double F64()
    {
        const double value = GetDouble(m_data, m_length, m_position);
        if (!std::isfinite(value))
            m_position = m_length + 1;
        return value;
    }
    CPointD Point()
    {
        CPointD p;
        p.m_x = F64();
        p.m_y = F64();
        return p;
    }
    CString Counted()
    {
        const int n = U16();
        return GetText(m_data, m_length, m_position, n);
    }
};

struct CElementTail {
    int m_layer;
    std::int16_t m_group;
    std::int16_t m_role;
    bool m_hasRole;
    std::vector<WORD> m_strings;
};

// The tail of an element item in the file's version.
CElementTail ReadTail(CPayload& in, int rank, bool isText)
{
    CElementTail tail;
    tail.m_layer = in.U16();
    tail.m_group = in.I16();
    tail.m_hasRole = isText || rank >= NATIVE_VERSION_G;
    tail.m_role = tail.m_hasRole ? in.I16() : 0;
    if (rank >= NATIVE_VERSION_D) {
        const int m = in.U16();
        if (m * 2 > in.Remaining()) {
            in.m_position = in.m_length + 1;
            return tail;
        }
        for (int k = 0; k < m; ++k)
            tail.m_strings.push_back(static_cast<WORD>(in.U16()));
    }
    return tail;
}

// Sets what the adding service does not take on the element it just added.
template <class E>
void ApplyTail(CZelkDoc* doc, const CNativeReadState& state, E& e, const CElementTail& tail)
{
    e.m_group = -1;
    if (tail.m_group >= 0) {
        const int g = tail.m_group + state.m_groupBase;
        if (g < doc->m_groups.GetSize())
            e.m_group = static_cast<std::int16_t>(g);
    }
    if (tail.m_hasRole)
        e.m_role = tail.m_role;
    for (WORD n : tail.m_strings)
        e.m_attrStrings.Add(n);
}

// The file's attribute-string numbers in the lists this read added, as document numbers;
// numbers that name no string of the file are dropped.
void TranslateStrings(CWordArray& list, const CNativeReadState& state)
{
    CWordArray mapped;
    for (int k = 0; k < list.GetSize(); ++k) {
        const int n = list.GetAt(k);
        if (n < static_cast<int>(state.m_stringMap.size()) && state.m_stringMap[n] >= 0)
            mapped.Add(static_cast<WORD>(state.m_stringMap[n]));
    }
    list.RemoveAll();
    for (int k = 0; k < mapped.GetSize(); ++k)
        list.Add(mapped.GetAt(k));
}

const CObArray* BlockArray(CZelkDoc* doc, int i)
{
    const CObArray* arrays[7] = {&doc->m_pointBlocks, &doc->m_lineBlocks, &doc->m_circleBlocks,
                                 &doc->m_arcBlocks,   &doc->m_conicBlocks, &doc->m_curveBlocks,
                                 &doc->m_textBlocks};
    return arrays[i];
}

// The elements this read added, block array by block array, in document order.
template <class B, class F>
void ForEachAdded(CZelkDoc* doc, const CNativeReadState& state, int array, F f)
{
    const CObArray& blocks = *BlockArray(doc, array);
    const std::vector<int>& before = state.m_blockCounts[array];
    for (int b = 0; b < blocks.GetSize(); ++b) {
        B* block = static_cast<B*>(blocks.GetAt(b));
        if (!block)
            continue;
        const int from = b < static_cast<int>(before.size()) ? before[b] : 0;
        const int to = std::min<int>(block->m_count, B::SlotCount);
        for (int s = std::max(from, 0); s < to; ++s)
            f(block->m_slots[s], b, s);
    }
}

template <class B>
int BlockCount(const CObArray& blocks, int b)
{
    const B* block = static_cast<const B*>(blocks.GetAt(b));
    return block ? block->m_count : 0;
}

template <class B>
void LinkAdded(CZelkDoc* doc, const CNativeReadState& state, int array, int kind)
{
    ForEachAdded<B>(doc, state, array, [&](auto& e, int b, int s) {
        TranslateStrings(e.m_attrStrings, state);
        const int groupCount = doc->m_groups.GetSize();
        if (e.m_group >= groupCount)
            return;
        CElemRef ref;
        ref.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(b),
                 static_cast<std::int16_t>(s), e.m_state, e.m_mark);
        if (e.m_group >= 0)
            doc->GetGroup(e.m_group)->m_members.push_back(ref);
        for (int k = 0; k < e.m_attrStrings.GetSize(); ++k) {
            const int n = e.m_attrStrings.GetAt(k);
            if (n < doc->m_attrStrings.GetSize())
                doc->GetString(n)->m_refs.push_back(ref);
        }
    });
}

} // namespace

int CZelkDoc::LoadNativeFile(const CString& path)
{
    CLargeBuffer data;
    try {
        CFile file(path, CFile::modeRead | CFile::typeBinary);
        const DWORD size = file.GetLength();
        // Positions in the file are signed 32-bit numbers: a larger file cannot be a drawing
        // and is not taken into memory.
        if (size > 0x7FFFFFFFu) {
            Message(kNativeMsgNoMemory);
            return 0;
        }
        try {
            data = CLargeBuffer(size);
        } catch (const std::bad_alloc&) {
            Message(kNativeMsgNoMemory);
            return 0;
        }
        if (size > 0 && file.Read(data.data(), size) != size)
            return 0;
        file.Close();
    } catch (CFileException&) {
        return 0;
    }

    CWaitCursorScope wait;
    const int length = static_cast<int>(data.size());
    const BYTE* bytes = data.data();

    CNativeReadState state;
    state.m_groupBase = m_groups.GetSize();
    state.m_objectBase = static_cast<int>(m_objects.size());
    for (int a = 0; a < 7; ++a) {
        const CObArray& blocks = *BlockArray(this, a);
        for (int b = 0; b < blocks.GetSize(); ++b) {
            int n = 0;
            switch (a) {
            case 0: n = BlockCount<CDataPoints>(blocks, b); break;
            case 1: n = BlockCount<CLines>(blocks, b); break;
            case 2: n = BlockCount<CCircles>(blocks, b); break;
            case 3: n = BlockCount<CArcs>(blocks, b); break;
            case 4: n = BlockCount<CConics>(blocks, b); break;
            case 5: n = BlockCount<CCurves>(blocks, b); break;
            default: n = BlockCount<CTexts>(blocks, b); break;
            }
            state.m_blockCounts[a].push_back(n);
        }
    }

    // Nothing but this read touches the drawing's tables until it returns.
    CDocTablesHold held(this);
    int damaged = 0;
    int position = 0;
    while (position < length) {
        const NativeKeyword* key = MatchNativeKeyword(bytes + position, length - position);
        if (!key) {
            Message(kNativeMsgDamaged);
            while (++position < length) {
                key = MatchNativeKeyword(bytes + position, length - position);
                if (key)
                    break;
            }
            if (!key) {
                damaged = 1;
                break;
            }
            Message(kNativeMsgRecovered);
        }

        if (key->m_code <= NATIVE_CREATE) {
            const int limit = std::min(length, position + kNativeLineLimit);
            int end = position;
            while (end < limit && bytes[end] != '\r')
                ++end;
            int next;
            if (end < limit) {
                if (end + 1 >= length || bytes[end + 1] != '\n') {
                    damaged = 1;
                    break;
                }
                next = end + 2;
            } else {
                // No line end within reach: the text is handed on and the search goes on from
                // the byte after the line's start.
                next = position + 1;
            }
            CString line(reinterpret_cast<const char*>(bytes + position), end - position);
            if (!ApplyNativeHeaderLine(line, key->m_code)) {
                damaged = 1;
                break;
            }
            position = next;
            continue;
        }
        if (key->m_code == NATIVE_END)
            break;
        if (key->m_code == NATIVE_ITEM) {
            if (length - position < key->m_headerSize) {
                damaged = 1;
                break;
            }
            std::uint32_t n;
            std::memcpy(&n, bytes + position + 4, 4);
            position += key->m_headerSize;
            if (n > static_cast<std::uint32_t>(length - position)) {
                damaged = 1;
                break;
            }
            try {
                std::vector<BYTE> items(bytes + position, bytes + position + n);
                CMemFile file(items.data(), static_cast<UINT>(items.size()));
                if (!ReadNativeItems(file))
                    Message(kNativeMsgItemsFailed);
            } catch (const std::bad_alloc&) {
                Message(kNativeMsgNoMemory);
            }
            position += static_cast<int>(n) + 2;
            continue;
        }

        const int header = key->m_headerSize;
        if (length - position < header) {
            damaged = 1;
            break;
        }
        std::uint16_t payloadLength;
        std::memcpy(&payloadLength, bytes + position + key->m_lengthOffset, 2);
        if (payloadLength > length - position - header) {
            damaged = 1;
            break;
        }
        if (!ApplyNativeRecord(bytes + position, bytes + position + header, key->m_code,
                               payloadLength, state)) {
            damaged = 1;
            break;
        }
        position += header + payloadLength;
    }

    // Memberships of what this read added. Groups come first, so that element and group
    // references find their attribute strings under document numbers.
    for (int g = state.m_groupBase; g < m_groups.GetSize(); ++g)
        TranslateStrings(GetGroup(g)->m_attrStrings, state);
    LinkAdded<CDataPoints>(this, state, 0, 2);
    LinkAdded<CLines>(this, state, 1, 4);
    LinkAdded<CCircles>(this, state, 2, 8);
    LinkAdded<CArcs>(this, state, 3, 16);
    LinkAdded<CConics>(this, state, 4, 256);
    LinkAdded<CCurves>(this, state, 5, 512);
    LinkAdded<CTexts>(this, state, 6, 32);

    // Embedded objects read from the "item" block join the document's lists, their item numbers
    // after the items the drawing already holds and their groups after its groups.
    const int groupCount = m_groups.GetSize();
    const std::int32_t itemBase = static_cast<std::int32_t>(m_oleItems.size());
    for (CZelkCntrItem* item : m_oleItems2)
        m_oleItems.push_back(item);
    for (CZelkObj* obj : m_objects2) {
        if (auto* ole = dynamic_cast<CZelkOleObj*>(obj); ole && ole->m_itemIndex >= 0)
            ole->m_itemIndex += itemBase;
        const int group = obj->m_group >= 0 ? obj->m_group + state.m_groupBase : -1;
        obj->m_group = group >= state.m_groupBase && group < groupCount
                           ? static_cast<std::int16_t>(group)
                           : static_cast<std::int16_t>(-1);
        // The file's layer numbers are its own, as for elements; a number the file did not list
        // puts the object on the write layer.
        obj->m_layer = obj->m_layer >= 0 && obj->m_layer < static_cast<int>(state.m_layerMap.size())
                           ? state.m_layerMap[static_cast<size_t>(obj->m_layer)]
                           : m_writeLayer;
        obj->m_savedLayer = obj->m_layer;
        obj->m_savedGroup = obj->m_group;
        m_objects.push_back(obj);
        if (auto* ole = dynamic_cast<CZelkOleObj*>(obj))
            ole->AttachToItem();
    }
    m_oleItems2.clear();
    m_objects2.clear();
    for (int i = state.m_objectBase; i < static_cast<int>(m_objects.size()); ++i) {
        CZelkObj* obj = m_objects[i];
        if (obj->m_group < 0 || obj->m_group >= groupCount)
            continue;
        CElemRef ref;
        ref.Init(128, static_cast<std::int16_t>(i), 0, obj->m_state, obj->m_stateBits);
        GetGroup(obj->m_group)->m_members.push_back(ref);
    }

    // A sub-group's reference in its parent carries the parent's state and mark; a group's
    // carrier reference in a string carries its own.
    for (int g = state.m_groupBase; g < groupCount; ++g) {
        CGroup* group = GetGroup(g);
        const int p = group->m_parent;
        if (p < 0 || p >= groupCount)
            continue;
        CGroup* parent = GetGroup(p);
        CElemRef ref;
        ref.Init(1, static_cast<std::int16_t>(g), 0, parent->m_state, parent->m_mark);
        parent->m_members.push_back(ref);
    }
    for (int g = state.m_groupBase; g < groupCount; ++g) {
        CGroup* group = GetGroup(g);
        for (int k = 0; k < group->m_attrStrings.GetSize(); ++k) {
            const int n = group->m_attrStrings.GetAt(k);
            if (n >= m_attrStrings.GetSize())
                continue;
            CElemRef ref;
            ref.Init(1, static_cast<std::int16_t>(g), 0, group->m_state, group->m_mark);
            GetString(n)->m_refs.push_back(ref);
        }
    }
    return damaged ? 0 : 1;
}

int CZelkDoc::ApplyNativeHeaderLine(const CString& line, int code)
{
    if (code < NATIVE_VERSION || code > NATIVE_CREATE)
        return 0;
    const CString prefix = g_nativeLinePrefixes[code - 1];
    if (line.Left(prefix.GetLength()) != prefix)
        return 0;
    const CString rest = line.Mid(prefix.GetLength());
    switch (code) {
    case NATIVE_VERSION:
        m_dataVersion = rest;
        if (StringToDouble(rest) > StringToDouble(NativeDataVersion())) {
            Message(kNativeMsgNewerVersion);
            return 0;
        }
        return 1;
    case NATIVE_NAME:
        m_headerName = rest;
        return 1;
    default: {
        // An empty date was written as one blank before its note; trimmed, it stays empty.
        CString date = rest.Left(10);
        date.Trim();
        CString note = rest.GetLength() > 11 ? rest.Mid(11) : CString();
        CString* dates[4] = {&m_renewalDate1, &m_renewalDate2, &m_renewalDate3, &m_creationDate};
        const int i = code - NATIVE_RENEWAL1;
        *dates[i] = date;
        m_loadedDates[i] = note;
        return 1;
    }
    }
}

int CZelkDoc::ApplyNativeRecord(const BYTE* header, const BYTE* payload, int code, int length,
                                CNativeReadState& state)
{
    const int rank = NativeVersionRank(m_dataVersion);
    CPayload in{payload, length};
    const int k = NativeItemMinimum(code, rank);
    auto more = [&] { return in.m_position < length - k; };

    switch (code) {
    case NATIVE_MEMO: {
        CString memo;
        CString piece;
        for (int i = 1; i < length; ++i) {
            const char c = static_cast<char>(payload[i]);
            if (c == '\r')
                continue;
            if (c == '\n') {
                memo += piece;
                piece.Empty();
                ++i;   // the blank that opens the next line
                continue;
            }
            piece += c;
        }
        m_memo.Add(memo);
        return 1;
    }
    case NATIVE_LAYER: {
        CString line;
        for (int i = 0; i < length; ++i) {
            const char c = static_cast<char>(payload[i]);
            if (c == '\r')
                continue;
            if (c != '\n') {
                line += c;
                continue;
            }
            const CString prefix = line.Left(1);
            const CString name = line.Mid(1);
            int index = FindLayer(name);
            if (index < 0)
                index = FindOrCreateLayer(name);
            state.m_layerMap.push_back(static_cast<std::int16_t>(index));
            if (prefix == "*")
                m_writeLayer = static_cast<std::int16_t>(index);
            line.Empty();
        }
        return 1;
    }
    case NATIVE_PEN:
        while (more()) {
            const std::int32_t type = rank <= NATIVE_VERSION_D ? in.I16() : in.I32();
            const std::int16_t width = in.I16();
            const COLORREF color = static_cast<COLORREF>(in.I32());
            BYTE blurCount = 0;
            BYTE blurRate = 70;
            if (rank >= NATIVE_VERSION_F) {
                blurCount = in.Byte();
                blurRate = in.Byte();
            }
            if (in.Overrun())
                return 0;
            state.m_penMap.push_back(FindOrAddPen(type, width, color, blurCount, blurRate));
        }
        return 1;
    case NATIVE_FONT:
        while (more()) {
            LOGFONT lf{};
            lf.lfHeight = in.I32();
            lf.lfWidth = in.I32();
            lf.lfEscapement = in.I32();
            lf.lfOrientation = in.I32();
            lf.lfWeight = in.I32();
            lf.lfItalic = in.Byte();
            lf.lfUnderline = in.Byte();
            lf.lfStrikeOut = in.Byte();
            lf.lfCharSet = in.Byte();
            lf.lfOutPrecision = in.Byte();
            lf.lfClipPrecision = in.Byte();
            lf.lfQuality = in.Byte();
            lf.lfPitchAndFamily = in.Byte();
            GetBytes(payload, length, in.m_position, lf.lfFaceName, kNativeFaceNameSize);
            lf.lfFaceName[kNativeFaceNameSize - 1] = '\0';   // the file may not end the name
            CAppText::ClampFontSize(lf);
            if (in.Overrun())
                return 0;

            CAppText& text = CurrentText();
            const BYTE shape = text.m_shape;
            text.SaveShape();
            std::int16_t font;
            if (rank == NATIVE_VERSION_A) {
                ApplyTextShape(text, 1);
                font = FindOrAddFont(lf, Tenths(10.0 * lf.lfWidth), Tenths(-10.0 * lf.lfHeight),
                                     1, -0.1 * lf.lfEscapement);
            } else {
                const BYTE kept = in.Byte();
                const BYTE formClass = in.Byte();
                const BYTE direction = in.Byte();
                const BYTE option1 = in.Byte();
                const BYTE option2 = in.Byte();
                const double r = in.F64();
                const double spacing = in.F64();
                const std::int32_t rightToLeft = in.I32();
                std::int32_t height = 0;
                std::int32_t width = 0;
                if (rank >= NATIVE_VERSION_C) {
                    height = in.I32();
                    width = in.I32();
                }
                if (in.Overrun()) {
                    ApplyTextShape(text, shape);
                    return 0;
                }
                text.SetFormClass(formClass);
                text.SetDirectionKind(direction);
                text.SetFormOption1(option1);
                text.SetFormOption2(option2);
                text.SetCharSpacing(spacing);
                text.SetRightToLeft(rightToLeft);
                if (rank >= NATIVE_VERSION_C)
                    text.SetSizeTenths(width, height);
                text.SetLogFont(lf);
                if (rank >= NATIVE_VERSION_C && text.m_formClass == 2) {
                    if (text.m_direction == 3) {
                        text.SetSlantAlongLine(0);
                        text.SetSlantAngle(-static_cast<double>(lf.lfEscapement));
                    } else if (text.m_direction == 4) {
                        text.SetSlantAlongLine(1);
                        text.SetSlantAngle(-static_cast<double>(lf.lfEscapement) - 10.0 * r);
                    }
                }
                // The file holds the font's angle value, the text angle with its sign
                // inverted: the current settings take the text angle, the font the value as
                // it stands, as version A's fonts do (inverting it here too would turn the
                // texts over on every save and load).
                text.SetAngle(-r);
                font = FindOrAddCurrentFont(r);
                if (rank >= NATIVE_VERSION_C && font >= 0 && font < m_fonts.GetSize())
                    GetFont(font)->m_style1 = kept;
            }
            ApplyTextShape(text, shape);
            state.m_fontMap.push_back(font);
        }
        return 1;
    case NATIVE_ORIGIN: {
        const CPointD origin = in.Point();
        const double angle = in.F64();
        if (in.Overrun())
            return 0;
        m_relOrigin = origin;
        m_relAngle = angle;
        return 1;
    }
    case NATIVE_RATIO: {
        const double ratio = in.F64();
        if (in.Overrun())
            return 0;
        m_ratio = ratio;
        return 1;
    }
    case NATIVE_GROUP:
        while (more()) {
            const CString name = in.Counted();
            const std::int16_t kind = in.I16();
            const std::int16_t parent = in.I16();
            std::vector<WORD> strings;
            if (rank >= NATIVE_VERSION_D) {
                const int m = in.U16();
                if (m * 2 > in.Remaining())
                    return 0;
                for (int i = 0; i < m; ++i)
                    strings.push_back(static_cast<WORD>(in.U16()));
            }
            CPointD p1;
            CPointD p2;
            if (rank == NATIVE_VERSION_CURRENT) {
                p1 = in.Point();
                p2 = in.Point();
            }
            // Groups beyond what group numbers can name are damage, as is a parent no group
            // number can name.
            if (in.Overrun() || m_groups.GetSize() >= CGroup::MaxCount ||
                (parent >= 0 && parent + state.m_groupBase >= CGroup::MaxCount))
                return 0;
            CGroup* group = new CGroup;
            group->m_name = name;
            group->m_kind = kind;
            group->m_parent = parent >= 0 ? static_cast<std::int16_t>(parent + state.m_groupBase)
                                          : static_cast<std::int16_t>(-1);
            for (WORD n : strings)
                group->m_attrStrings.Add(n);
            group->m_defPoint1 = p1;
            group->m_defPoint2 = p2;
            m_groups.Add(group);
        }
        return 1;
    case NATIVE_STRING:
        while (more()) {
            CString text = in.Counted();
            if (in.Overrun())
                return 0;
            int index = -1;
            int mode = 0;
            CDataString* s = FindOrAddAttributeString(text, index, mode);
            state.m_stringMap.push_back(s ? index : -1);
        }
        return 1;
    default:
        break;
    }

    // Element records: the block's pen (the text block's font) comes from the header.
    const NativeKeyword* key = FindNativeKeyword(code);
    if (!key)
        return 0;
    const int penAt = key->m_lengthOffset + 2 + (code == NATIVE_LINE ? 1 : 0);
    std::int16_t filePen;
    std::memcpy(&filePen, header + penAt, 2);
    const std::vector<std::int16_t>& penMap = code == NATIVE_TEXT ? state.m_fontMap : state.m_penMap;
    if (filePen < 0 || filePen >= static_cast<int>(penMap.size()))
        return 0;
    const std::int16_t pen = penMap[filePen];

    auto layerOf = [&](const CElementTail& tail, std::int16_t& layer) {
        if (in.Overrun() || tail.m_layer >= static_cast<int>(state.m_layerMap.size()))
            return false;
        layer = state.m_layerMap[tail.m_layer];
        return true;
    };

    while (more()) {
        std::int16_t layer = 0;
        switch (code) {
        case NATIVE_POINT: {
            const CPointD p = in.Point();
            const CElementTail tail = ReadTail(in, rank, false);
            if (!layerOf(tail, layer))
                return 0;
            if (CDataPoints* b = AddPoint(p, layer, pen))
                ApplyTail(this, state, b->m_slots[b->m_count - 1], tail);
            break;
        }
        case NATIVE_LINE: {
            const CPointD s = in.Point();
            const CPointD e = in.Point();
            const std::int32_t swapped = in.I32();
            const CElementTail tail = ReadTail(in, rank, false);
            if (!layerOf(tail, layer))
                return 0;
            if (CLines* b = AddLine(s, e, layer, pen)) {
                CLine& line = b->m_slots[b->m_count - 1];
                line.m_swapped = swapped;
                ApplyTail(this, state, line, tail);
            }
            break;
        }
        case NATIVE_CIRCLE: {
            const CPointD c = in.Point();
            const double r = in.F64();
            const CElementTail tail = ReadTail(in, rank, false);
            if (!layerOf(tail, layer))
                return 0;
            if (CCircles* b = AddCircle(c, r, layer, pen))
                ApplyTail(this, state, b->m_slots[b->m_count - 1], tail);
            break;
        }
        case NATIVE_ARC: {
            const CPointD c = in.Point();
            const double r = in.F64();
            CPointD angles;
            angles.m_x = in.F64();
            angles.m_y = in.F64();
            const std::int32_t flag = in.I32();
            const CElementTail tail = ReadTail(in, rank, false);
            if (!layerOf(tail, layer))
                return 0;
            if (CArcs* b = AddArc(c, r, angles, layer, pen)) {
                CArc& arc = b->m_slots[b->m_count - 1];
                arc.m_arcFlag = flag;
                ApplyTail(this, state, arc, tail);
            }
            break;
        }
        case NATIVE_CONIC: {
            const CPointD c = in.Point();
            const double radius = in.F64();
            const double ratio = in.F64();
            CPointD angles;
            angles.m_x = in.F64();
            angles.m_y = in.F64();
            const double tilt = in.F64();
            const CElementTail tail = ReadTail(in, rank, false);
            if (!layerOf(tail, layer))
                return 0;
            if (CConics* b = AddConic(c, radius, ratio, angles, tilt, layer, pen))
                ApplyTail(this, state, b->m_slots[b->m_count - 1], tail);
            break;
        }
        case NATIVE_CURVE: {
            const int kind = in.Byte();
            const int n = in.U16();
            if (in.Overrun() || n * 16 > in.Remaining())
                return 0;
            std::vector<CPointD> points;
            points.reserve(n);
            for (int i = 0; i < n; ++i)
                points.push_back(in.Point());
            const CElementTail tail = ReadTail(in, rank, false);
            if (!layerOf(tail, layer))
                return 0;
            if (CCurves* b = AddCurve(kind, points, layer, pen))
                ApplyTail(this, state, b->m_slots[b->m_count - 1], tail);
            break;
        }
        case NATIVE_TEXT: {
            const CString s = in.Counted();
            const CPointD p = in.Point();
            const COLORREF color = static_cast<COLORREF>(in.I32());
            const int alignment = in.U16();
            const CElementTail tail = ReadTail(in, rank, true);
            if (!layerOf(tail, layer))
                return 0;
            if (CTexts* b = AddText(p, s, color, alignment, layer, pen))
                ApplyTail(this, state, b->m_slots[b->m_count - 1], tail);
            break;
        }
        default:
            return 0;
        }
    }
    return 1;
}

int CZelkDoc::ReadNativeItems(CMemFile& file)
{
    CObArray objects;
    CObArray items;
    // A damaged archive can name one object more than once (a reference back to an object read
    // before): each is freed once.
    auto discard = [&] {
        std::set<CObject*> freed;
        for (CObArray* list : {&objects, &items}) {
            for (int i = 0; i < list->GetSize(); ++i) {
                if (freed.insert(list->GetAt(i)).second)
                    delete list->GetAt(i);
            }
            list->RemoveAll();
        }
    };
    try {
        CArchive ar(&file, CArchive::load, 4096);
        objects.Serialize(ar);
        items.Serialize(ar);
        ar.Close();
    } catch (CException&) {
        discard();
        return 0;
    }
    // Placed objects first, then the items they show; anything else, or one object named twice
    // (a reference back in a damaged archive), refuses the block.
    bool understood = true;
    std::set<CObject*> seen;
    for (int i = 0; i < objects.GetSize() && understood; ++i)
        understood = dynamic_cast<CZelkObj*>(objects.GetAt(i)) != nullptr &&
                     seen.insert(objects.GetAt(i)).second;
    for (int i = 0; i < items.GetSize() && understood; ++i)
        understood = dynamic_cast<CZelkCntrItem*>(items.GetAt(i)) != nullptr &&
                     seen.insert(items.GetAt(i)).second;
    if (!understood) {
        discard();
        return 0;
    }
    // An object's item number counts in this block; it becomes a place in the staged items,
    // which the end of the read turns into a place in the drawing's items.
    const std::int32_t stagedBase = static_cast<std::int32_t>(m_oleItems2.size());
    for (int i = 0; i < objects.GetSize(); ++i) {
        CZelkObj* obj = static_cast<CZelkObj*>(objects.GetAt(i));
        obj->m_pDocument = this;
        if (auto* ole = dynamic_cast<CZelkOleObj*>(obj))
            ole->m_itemIndex = ole->m_itemIndex >= 0 && ole->m_itemIndex < items.GetSize()
                                   ? stagedBase + ole->m_itemIndex
                                   : -1;
        m_objects2.push_back(obj);
    }
    for (int i = 0; i < items.GetSize(); ++i) {
        auto* item = static_cast<CZelkCntrItem*>(items.GetAt(i));
        item->m_document = this;
        m_oleItems2.push_back(item);
    }
    for (size_t i = m_objects2.size() - static_cast<size_t>(objects.GetSize()); i < m_objects2.size(); ++i)
        if (auto* ole = dynamic_cast<CZelkOleObj*>(m_objects2[i]))
            ole->AttachToStagedItem();
    UpdateAllViews(nullptr);
    return 1;
}

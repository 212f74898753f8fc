// The selection, attribute-string links and attribute-list archive shared by every element.
#include "elements/ElementCommon.h"

#include "document/ZelkDoc.h"
#include "elements/DataString.h"
#include "elements/ElementAccess.h"
#include "elements/ElementSettings.h"
#include "elements/Group.h"
#include "geometry/PointD.h"
#include "platform/core/Archive.h"

int SelectGroupsOfChain(CZelkDoc* doc, const CWordArray& chain)
{
    int deselected = 0;
    for (int i = 0; i < chain.GetSize(); i++) {
        CGroup* group = doc->GetGroup(chain.GetAt(i));
        if (group == nullptr || (group->m_mark & MARK_REDRAW) != 0)
            continue;
        if (SelectionInversionFlag() != 0 && (group->m_mark & MARK_SELECTED) != 0) {
            group->AndMarkRecursive(doc, static_cast<std::uint8_t>(~MARK_SELECTED));
            group->OrMarkRecursive(doc, MARK_REDRAW);
            deselected = 1;
        } else {
            group->OrMarkRecursive(doc, MARK_SELECTED | MARK_REDRAW);
        }
    }
    return deselected;
}

int SelectElement(CZelkDoc* doc, int kind, std::uint8_t state, std::uint8_t& mark,
                  std::int16_t group, int useGroups, int alwaysChain)
{
    if ((state & STATE_DELETED) != 0)
        return 0;
    std::int16_t verdict = static_cast<std::int16_t>(kind);
    CWordArray chain;
    if (alwaysChain != 0 || useGroups != 0) {
        if (doc->GetGroupChain(group, chain) != 0) {
            doc->FilterGroupChain(verdict, chain);
            // The curve's rule: with the group flag the lookup and the filter run again on
            // what the first pass left.
            if (alwaysChain != 0 && useGroups != 0 && verdict != 0) {
                doc->GetGroupChain(group, chain);
                doc->FilterGroupChain(verdict, chain);
            }
        }
        if (verdict == 0)
            return 0;
    }
    if (verdict == 1) {
        SelectGroupsOfChain(doc, chain);
        return 1;
    }
    if ((SelectableKinds() & kind) == 0)
        return 0;
    if (SelectionInversionFlag() != 0 && (mark & MARK_SELECTED) != 0) {
        mark &= static_cast<std::uint8_t>(~MARK_SELECTED);
        mark |= MARK_REDRAW;
    } else {
        mark |= MARK_SELECTED | MARK_REDRAW;
    }
    return 1;
}

void LinkAttributeIndex(CZelkDoc* doc, CWordArray& list, int kind, int block, int slot,
                        std::uint8_t state, std::uint8_t mark, int index)
{
    const WORD value = static_cast<WORD>(index);
    int at = 0;
    while (at < list.GetSize() && list.GetAt(at) < value)
        at++;
    if (at < list.GetSize() && list.GetAt(at) == value)
        return;
    list.InsertAt(at, value);
    CDataString* string = doc->GetString(index);
    if (string == nullptr)
        return;
    CElemRef ref;
    ref.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block),
             static_cast<std::int16_t>(slot), state, mark);
    string->m_refs.push_back(ref);
}

int UnlinkAttributeIndex(CZelkDoc* doc, CWordArray& list, int kind, int block, int slot,
                         int index)
{
    const WORD value = static_cast<WORD>(index);
    int at = 0;
    while (at < list.GetSize() && list.GetAt(at) != value)
        at++;
    if (at >= list.GetSize())
        return 0;
    list.RemoveAt(at);
    CDataString* string = doc->GetString(index);
    if (string == nullptr)
        return 0;
    // The kind is compared as well as block and slot: carriers of different kinds can share
    // block and slot numbers, and each must lose only its own reference.
    for (auto it = string->m_refs.begin(); it != string->m_refs.end(); ++it) {
        if (it->m_kind == kind && it->m_block == block && it->m_slot == slot) {
            string->m_refs.erase(it);
            return 1;
        }
    }
    return 0;
}

void SerializeAttributeList(CArchive& ar, CWordArray& list)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(list.GetSize()));
        for (int i = 0; i < list.GetSize(); i++)
            ar << static_cast<WORD>(list.GetAt(i));
    } else {
        list.RemoveAll();
        DWORD count = ar.ReadCount();
        // Entries are read one by one: a count from a damaged file ends at the end of the data
        // instead of reserving memory for it.
        for (DWORD i = 0; i < count; i++) {
            WORD value;
            ar >> value;
            list.Add(value);
        }
    }
}

void ThrowBadArchive()
{
    AfxThrowArchiveException(CArchiveException::badIndex);
}

void CheckTableIndex(int index, int count)
{
    if (index < 0 || index >= count)
        ThrowBadArchive();
}

void CheckLayerIndex(int layer, int layerCount)
{
    CheckTableIndex(layer, layerCount);
}

void CheckGroupIndex(int group, int groupCount)
{
    if (group != -1)
        CheckTableIndex(group, groupCount);
}

void CheckAttributeList(const CWordArray& list, int stringCount)
{
    for (int i = 0; i < list.GetSize(); i++)
        CheckTableIndex(list.GetAt(i), stringCount);
}

namespace {

// The archive's own operators keep each field's width; a signed field's bits go through as they
// are.
template <class T>
void ArchiveField(CArchive& ar, T& v)
{
    if (ar.IsStoring())
        ar << v;
    else
        ar >> v;
}

}  // namespace

void ArchiveU8(CArchive& ar, std::uint8_t& v) { ArchiveField(ar, v); }
void ArchiveI16(CArchive& ar, std::int16_t& v) { ArchiveField(ar, v); }
void ArchiveI32(CArchive& ar, std::int32_t& v) { ArchiveField(ar, v); }
void ArchiveU32(CArchive& ar, std::uint32_t& v) { ArchiveField(ar, v); }
void ArchiveDouble(CArchive& ar, double& v) { ArchiveField(ar, v); }

void ArchivePoint(CArchive& ar, CPointD& p)
{
    if (ar.IsStoring())
        StorePointD(ar, p);
    else
        LoadPointD(ar, p);
}

void ArchiveElementTail(CArchive& ar, std::int16_t& layer, std::int16_t& group,
                        std::int16_t& role, CWordArray& list)
{
    ArchiveI16(ar, layer);
    ArchiveI16(ar, group);
    ArchiveI16(ar, role);
    SerializeAttributeList(ar, list);
}

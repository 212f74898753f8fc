// What every element class shares: the mark and state byte changes, selection through the group
// chain, the attribute-string links and the archive form of the attribute list. Each element
// class keeps its own members with these contracts and forwards here, so the rules live once.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "elements/ElementKinds.h"
#include "platform/core/Arrays.h"

class CArchive;
class CPointD;
class CZelkDoc;

// One routine each serves every element kind (and groups and attribute strings), since all of
// them carry the state and mark bytes under the same names.
template <class E>
inline void ClearMarkBits(E* e, std::uint8_t bits) { e->m_mark &= static_cast<std::uint8_t>(~bits); }
template <class E>
inline void SetMarkBits(E* e, std::uint8_t bits) { e->m_mark |= bits; }
template <class E>
inline void SetStateBits(E* e, std::uint8_t bits) { e->m_state |= bits; }

// Selection of one element of kind `kind` (a bit of the selectable-kind mask). `mark` is the
// element's mark byte, changed in place. With `alwaysChain` the group chain is looked up and
// filtered even when useGroups is 0, and a second time when it is set (the curve's rule).
int SelectElement(CZelkDoc* doc, int kind, std::uint8_t state, std::uint8_t& mark,
                  std::int16_t group, int useGroups, int alwaysChain = 0);

// Marks (or, with the inversion flag on an already selected group, deselects) every group of
// the chain whose mark has no redraw bit yet. Returns 1 when a group was deselected.
int SelectGroupsOfChain(CZelkDoc* doc, const CWordArray& chain);

// Inserts index at its sorted place in `list` and, when it was not there yet, adds a
// back-reference {kind, block, slot, state, mark} to attribute string number `index`.
void LinkAttributeIndex(CZelkDoc* doc, CWordArray& list, int kind, int block, int slot,
                        std::uint8_t state, std::uint8_t mark, int index);
// Removes index from `list` and the carrier's back-reference from the attribute string.
// Returns 0 when the list does not hold index or the string has no matching reference.
int UnlinkAttributeIndex(CZelkDoc* doc, CWordArray& list, int kind, int block, int slot,
                         int index);

// Takes one attribute string from many carriers: each carrier's list loses the index at once and
// the string's back-references go in one pass at the end. Unlinking carriers one at a time
// erases each reference from the middle of the string's list, n^2 for n carriers.
class CAttributeUnlinker {
public:
    CAttributeUnlinker(CZelkDoc* doc, int index) : m_doc(doc), m_index(index) {}

    // UnlinkAttributeIndex but for the back-reference, which waits for Finish.
    void Unlink(CWordArray& list, int kind, int block, int slot);
    // Removes the first back-reference of each carrier that held the index, the others keeping
    // their order. 1 when any was found, as UnlinkAttributeIndex answers for one carrier.
    int Finish();

private:
    CZelkDoc* m_doc;
    int m_index;
    std::unordered_map<std::uint64_t, int> m_pending;   // references to drop, by carrier
};

// The attribute list in the archive: a count (16 bits, or 0xFFFF then 32 bits) and one 16-bit
// index per entry. Loading replaces the list.
void SerializeAttributeList(CArchive& ar, CWordArray& list);

// One field in the archive, stored or loaded as the archive's direction says; integers take
// their width in little-endian order, a double its 8 IEEE bytes, a point x then y.
void ArchiveU8(CArchive& ar, std::uint8_t& v);
void ArchiveI16(CArchive& ar, std::int16_t& v);
void ArchiveI32(CArchive& ar, std::int32_t& v);
void ArchiveU32(CArchive& ar, std::uint32_t& v);
void ArchiveDouble(CArchive& ar, double& v);
void ArchivePoint(CArchive& ar, CPointD& p);
// The fields every element ends with, in the archive's order: layer, group, role, list.
void ArchiveElementTail(CArchive& ar, std::int16_t& layer, std::int16_t& group,
                        std::int16_t& role, CWordArray& list);

// Index checks for what a loaded element refers to; a violation throws the archive exception.
// The element alone does not know the table sizes, so the document calls these after loading.
void CheckLayerIndex(int layer, int layerCount);
void CheckGroupIndex(int group, int groupCount);
void CheckAttributeList(const CWordArray& list, int stringCount);
void CheckTableIndex(int index, int count);
void ThrowBadArchive();

// The attribute-string links and loaded-index checks of an element class, the same for every
// kind but for the kind code.
#define IMPLEMENT_ELEMENT_LINKS(class_name, kind)                                                  \
    void class_name::LinkAttributeString(CZelkDoc* doc, int block, int slot, int index)            \
    {                                                                                              \
        LinkAttributeIndex(doc, m_attrStrings, kind, block, slot, m_state, m_mark, index);         \
    }                                                                                              \
    int class_name::UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index)           \
    {                                                                                              \
        return UnlinkAttributeIndex(doc, m_attrStrings, kind, block, slot, index);                 \
    }                                                                                              \
    void class_name::CheckIndices(int layerCount, int groupCount, int stringCount) const           \
    {                                                                                              \
        CheckLayerIndex(m_layer, layerCount);                                                      \
        CheckGroupIndex(m_group, groupCount);                                                      \
        CheckAttributeList(m_attrStrings, stringCount);                                            \
    }

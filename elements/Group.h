// A group binds elements and other groups into one unit that is selected, moved and deleted
// together; dimension, leader, balloon and composite-string groups give their members roles.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CArc;
class CCircle;
class CLine;
class CTexts;
class CZelkDoc;

struct UserAppGroupRecord;

class CGroup : public CObject {
    DECLARE_SERIAL(CGroup)
public:
    // Group kinds.
    enum {
        KIND_PLAIN = 0, KIND_NOTATION = 1, KIND_LINEAR = 2, KIND_CHAMFER = 3,
        KIND_DIAMETER = 4, KIND_RADIUS = 5, KIND_ANGLE = 6, KIND_LEADER = 7, KIND_BALLOON = 8,
        KIND_COMPOSITE = 9
    };
    // Walks stop at this depth, so a cyclic group graph from a damaged file ends.
    static constexpr int MaxDepth = 10;
    // Group numbers are 16-bit with -1 for none: a drawing holds at most this many groups.
    static constexpr int MaxCount = 32767;

    std::uint8_t m_state;
    std::uint8_t m_mark;
    CString m_name;
    // In adding order. Elements by kind, block and slot; sub-groups as kind 1 with the group
    // number in the block field.
    std::vector<CElemRef> m_members;
    std::int16_t m_kind;
    std::int16_t m_parent;       // group holding this one, -1 none
    CWordArray m_attrStrings;
    CPointD m_defPoint1;         // the measured points of a dimension
    CPointD m_defPoint2;

    CGroup();
    CGroup(const CGroup&) = delete;
    CGroup& operator=(const CGroup&) = delete;
    ~CGroup() override;

    // Mark changes of the group and of every live member, live sub-groups recursively.
    void SetMarkRecursive(CZelkDoc* doc, std::uint8_t value);
    void AndMarkRecursive(CZelkDoc* doc, std::uint8_t mask);
    void OrMarkRecursive(CZelkDoc* doc, std::uint8_t bits);
    // Sets the state of the group and its live members; with the deleted bit each member's old
    // state is recorded in the undo history first. Returns the number of members walked.
    int SetStateRecursive(CZelkDoc* doc, std::uint8_t value);
    // which: 1 the first, 2 the second, 3 both definition points; add nonzero moves by +(dx, dy).
    void MoveDefinitionPoints(CZelkDoc* doc, int add, int which, double dx, double dy);

    void LinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    int UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index);

    // Selects (or with the inversion flag deselects) this group or its whole chain; 1 when a
    // group was deselected.
    int SelectGroupChain(CZelkDoc* doc, int number, int wholeChain);

    // Searches of the dimension commands; outputs start at -1.
    void FindTwoLinesWithRole(CZelkDoc* doc, int flag, int& block1, int& slot1, int& block2,
                              int& slot2);
    void FindDimensionValueText(CZelkDoc* doc, int& block, int& slot);
    CString BuildCompositeString(CZelkDoc* doc);
    CTexts* FindBaseText(CZelkDoc* doc, int& block, int& slot);
    CArc* FindAngleDimensionArc(CZelkDoc* doc);
    CLine* FindOtherLineAtPoint(CZelkDoc* doc, CLine line, int useStart, int& endFlag,
                                int& block, int& slot);
    CLine* FindLineTouchingCircle(CZelkDoc* doc, CCircle circle, int& endFlag, int& block,
                                  int& slot);
    CCircle* FindCircleThroughPoint(CZelkDoc* doc, CLine line, int useStart, int& block,
                                    int& slot);
    int FindMemberByRole(CZelkDoc* doc, int kind, int role, int n, int& block, int& slot);

    void ClearMarkBits(std::uint8_t bits) { m_mark &= static_cast<std::uint8_t>(~bits); }
    void SetMarkBits(std::uint8_t bits) { m_mark |= bits; }
    void SetStateBits(std::uint8_t bits) { m_state |= bits; }
    // Name, kind, parent, attribute strings, definition points, state, mark and members.
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppGroupRecord* ToRecord() const;
    // Takes a record that a plug-in handed over: the scalars and the name; the attribute indices go in front of the
    // group's own and the members are appended.
    void AssignFromRecord(UserAppGroupRecord record);
};

// The members of a chain of elements (a loop or a run of joined lines) and the array that owns
// them. A key names the work copy of an element by its kind and its position in the owner's
// list of copies of that kind.
#pragma once

#include <cstdint>

#include "platform/core/Arrays.h"

class CElemKey {
public:
    std::int16_t kind;   // 4 line, 8 circle, 16 arc
    std::int16_t index;  // position of the work copy in the owner's copies of that kind
    std::int32_t flag;   // 1 when the element is travelled from its end to its start

    CElemKey() : kind(0), index(0), flag(0) {}
    void Set(std::int16_t k, std::int16_t i, std::int32_t f)
    {
        kind = k;
        index = i;
        flag = f;
    }
    void Assign(const CElemKey& other) { Set(other.kind, other.index, other.flag); }
};

// A pointer array owning the CElemKey records it holds; null items are allowed and skipped
// when freeing.
class COwnedPtrArray : public CPtrArray {
public:
    COwnedPtrArray() = default;
    COwnedPtrArray(const COwnedPtrArray&) = delete;
    COwnedPtrArray& operator=(const COwnedPtrArray&) = delete;
    ~COwnedPtrArray() override;

    CElemKey* KeyAt(int i) const { return static_cast<CElemKey*>(GetAt(i)); }
    // Frees and removes the items from the last one down to i; nothing for i < 0 or i past the
    // last item.
    void TruncateFrom(int i);
    // Frees and removes the items from i down to 0, so that item i + 1 becomes the first.
    void TruncateUpTo(int i);
};

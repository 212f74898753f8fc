// Lookups the circle command's edits share.
#pragma once

#include "platform/core/Arrays.h"

class CTypePen;
class CZelkDoc;

// The block holding slot of block; none when either index lies outside. Macros and replay
// reach the edits too, so both are checked on both sides.
template <class Block>
Block* BlockOf(const CObArray& blocks, int block, int slot)
{
    if (block < 0 || block >= blocks.GetSize() || slot < 0 || slot >= Block::SlotCount)
        return nullptr;
    return static_cast<Block*>(blocks[block]);
}

// The pen of an element's block (kind: the element kind code); none for an unknown index.
const CTypePen* EditedPen(const CZelkDoc& doc, int kind, int block);

// The state and mark bytes of any element or group named by kind, block and slot.
#pragma once

#include <cstdint>

class CZelkDoc;

// The state and mark bytes of the element (kind 2 to 512) or group (kind 1, number in block)
// named; false when the document has no such element in use.
bool GetStateAndMark(CZelkDoc* doc, int kind, int block, int slot, std::uint8_t*& state,
                     std::uint8_t*& mark);

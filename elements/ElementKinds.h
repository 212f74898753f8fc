// Element kind codes, each one bit so that sets of kinds are masks, and the state and mark bits
// every element, group and attribute string carries.
#pragma once

#include <cstdint>

constexpr std::int16_t ELEM_GROUP = 1;
constexpr std::int16_t ELEM_POINT = 2;
constexpr std::int16_t ELEM_LINE = 4;
constexpr std::int16_t ELEM_CIRCLE = 8;
constexpr std::int16_t ELEM_ARC = 16;
constexpr std::int16_t ELEM_TEXT = 32;
constexpr std::int16_t ELEM_OBJECT = 128;   // an object placed over the drawing
constexpr std::int16_t ELEM_CONIC = 256;
constexpr std::int16_t ELEM_CURVE = 512;
// Not elements: they occur in element references and in the plug-in exchange.
constexpr std::int16_t ELEM_DIMENSION_GROUPS = 2048;
constexpr std::int16_t ELEM_ATTRIBUTE_STRING = 4096;

// State byte.
constexpr std::uint8_t STATE_LIVE = 0x01;
constexpr std::uint8_t STATE_DELETED = 0x08;
constexpr std::uint8_t STATE_REDRAW = 0x80;
// Mark byte. 0x04 and 0x08 are used on lines only: first or second end picked.
constexpr std::uint8_t MARK_SELECTED = 0x02;
constexpr std::uint8_t MARK_FIRST_END = 0x04;
constexpr std::uint8_t MARK_SECOND_END = 0x08;
constexpr std::uint8_t MARK_REDRAW = 0x80;

// A current-block map entry naming no block yet; also the largest block count of a kind.
constexpr std::uint16_t NO_BLOCK = 10001;

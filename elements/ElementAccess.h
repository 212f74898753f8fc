// Looking elements up in the document by kind, block and slot. Every lookup checks the block
// index against the document's block list and the slot against the block's used count, so a
// reference from a damaged file or a stale group member yields none instead of a stray read.
#pragma once

#include <cstdint>

class CArc;
class CCircle;
class CConic;
class CCurve;
class CDataPoint;
class CDataString;
class CGroup;
class CLine;
class CText;
class CZelkDoc;

CDataPoint* GetPointAt(CZelkDoc* doc, int block, int slot);
CLine* GetLineAt(CZelkDoc* doc, int block, int slot);
CCircle* GetCircleAt(CZelkDoc* doc, int block, int slot);
CArc* GetArcAt(CZelkDoc* doc, int block, int slot);
CText* GetTextAt(CZelkDoc* doc, int block, int slot);
CConic* GetConicAt(CZelkDoc* doc, int block, int slot);
CCurve* GetCurveAt(CZelkDoc* doc, int block, int slot);
CGroup* GetGroupAt(CZelkDoc* doc, int number);
CDataString* GetAttributeStringAt(CZelkDoc* doc, int index);

// The state and mark bytes of the element (kind 2 to 512) or group (kind 1) named; false when
// there is none.
bool GetStateAndMark(CZelkDoc* doc, int kind, int block, int slot, std::uint8_t*& state,
                     std::uint8_t*& mark);

// The units every unit table starts with: "mm", the suffix letters of typed values, the plain
// number and the two angle units. Their order is fixed; lookups by index depend on it.
#pragma once

class CPtrArray;

constexpr int kBuiltInUnitCount = 20;

// Appends newly allocated CUnit records (owned by the table) in table order.
void AppendBuiltInUnits(CPtrArray& unitTable);

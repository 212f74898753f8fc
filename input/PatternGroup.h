// A named group of input patterns; a command object's pattern table is built of these and
// deletes them with the command object.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

#include <utility>

class CPatternGroup {
public:
    CStringArray patterns;   // input-kind letters such as "P", in the order appended
    CString name;

    explicit CPatternGroup(CString groupName) : name(std::move(groupName)) {}
};

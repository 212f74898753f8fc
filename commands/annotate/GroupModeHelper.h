// Holds the group-delete prompt of a drawing.
#pragma once

#include "platform/core/String.h"

class CZelkDoc;

class CGroupModeHelper {
public:
    CZelkDoc* m_doc;
    CString m_prompt;

    explicit CGroupModeHelper(CZelkDoc* doc);
};

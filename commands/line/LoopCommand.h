// The closed-loop command object of a drawing (loops, offset figures, hatching); one instance.
#pragma once

#include "platform/core/String.h"

class CZelkDoc;

class CLoopCommand {
public:
    CZelkDoc* m_doc;
    CString m_modePattern;   // starts empty

    explicit CLoopCommand(CZelkDoc* doc);
};

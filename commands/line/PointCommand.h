// The point command object of a drawing: one main and one interrupting instance.
#pragma once

#include "platform/core/String.h"

class CZelkDoc;

class CPointCommand {
public:
    CZelkDoc* m_doc;
    int m_instance;           // 0 main, 1 interrupting
    CString m_modePattern;    // the input pattern the command starts with

    CPointCommand(CZelkDoc* doc, int instance);
};

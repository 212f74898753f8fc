// A layer of the document's layer table; elements refer to it by index.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"

class CLayer : public CObject {
    DECLARE_SERIAL(CLayer)
public:
    CString m_name;

    CLayer();
    ~CLayer() override;

    // The layer's number in decimal, padded with zeros to four characters for 0 to 999.
    void SetNumberName(int n);
    // 1 when the upper-cased name holds both "WORK" and "PRINT": a layer of print frames that
    // stays out of the extents and of printing.
    int IsWorkPrintLayer() const;

    // name (string)
    void Serialize(CArchive& ar) override;
};

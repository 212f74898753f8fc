// A serializable block class kept registered so that archives naming it can be read; nothing of
// the program creates one.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CuBlock : public CObject {
    DECLARE_SERIAL(CuBlock)
public:
    CuBlock();
    ~CuBlock() override;
    void Serialize(CArchive& ar) override;

    CString m_name;
    CObArray m_lists[4];
    CWordArray m_indexLists[4];
    CPointD m_point;
};

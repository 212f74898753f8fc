// An attribute string that elements and groups carry by index, with the list of its carriers.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/ElemRef.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CZelkDoc;

struct UserAppStringRecord;

class CDataString : public CObject {
    DECLARE_SERIAL(CDataString)
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;
    CString m_text;
    // One reference per carrier (kind, block, slot; state and mark as when it was linked).
    // Kept only in memory: the archive neither writes nor reads it.
    std::vector<CElemRef> m_refs;

    CDataString();
    explicit CDataString(const CString& text);
    CDataString(const CDataString&) = delete;
    CDataString& operator=(const CDataString&) = delete;
    ~CDataString() override;

    // 1 at the first carrier (a group, or an element of kind 2 to 512) that is not deleted.
    int HasLiveCarrier(CZelkDoc* doc) const;

    // state, mark, text
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppStringRecord* ToRecord() const;
};

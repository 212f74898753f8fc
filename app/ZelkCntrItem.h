// An object of another program embedded in a drawing: its class, native data and extent, kept
// through the archive, and the placed objects that show it. Activating it needs that program,
// which this system does not have, so activation is reported as unavailable.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <vector>

class CArchive;
class CZelkDoc;
class CZelkOleObj;

class CZelkCntrItem : public CObject {
    DECLARE_SERIAL(CZelkCntrItem)
public:
    // Item states, as the container sees them.
    enum ItemState { emptyState = 0, loadedState = 1, openState = 2, activeState = 3, activeUIState = 4 };
    // Change notifications.
    enum Notification { changed = 0, saved = 1, closed = 2, renamed = 3, stateChanged = 4, aspectChanged = 5 };

    explicit CZelkCntrItem(CZelkDoc* doc = nullptr);
    CZelkCntrItem(CZelkDoc* doc, CZelkOleObj* placed);
    ~CZelkCntrItem() override;

    void Serialize(CArchive& ar) override;

    // Fits the placed objects to the server's extent; 1 done, 0 stopped.
    int UpdateObjectExtents();
    void OnChange(int notification, DWORD param);
    // Opening the object needs its program: reported as unavailable; FALSE.
    BOOL OnActivate();
    BOOL CanActivate();

    // The server's extent in hundredths of a millimetre; FALSE when none is known.
    virtual BOOL GetExtent(SIZE* size);
    virtual int GetItemState() const { return m_itemState; }

    CZelkDoc* m_document = nullptr;
    CPtrArray m_placedObjects;          // CZelkOleObj, not owned
    CString m_className;
    SIZE m_serverExtent = { 0, 0 };
    std::vector<BYTE> m_nativeData;
    int m_itemState = loadedState;
};

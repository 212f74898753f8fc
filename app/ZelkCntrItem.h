// An item embedded in a drawing (a picture, see COleClientItem) and the placed objects that show
// it. Activating an object of another program needs that program, which this system does not
// have, so activation is reported as unavailable.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/OleClientItem.h"

#include <vector>

class CArchive;
class CZelkDoc;
class CZelkOleObj;

class CZelkCntrItem : public COleClientItem {
    DECLARE_SERIAL(CZelkCntrItem)
public:
    // Change notifications.
    enum Notification { changed = 0, saved = 1, closed = 2, renamed = 3, stateChanged = 4, aspectChanged = 5 };

    explicit CZelkCntrItem(CZelkDoc* doc = nullptr);
    CZelkCntrItem(CZelkDoc* doc, CZelkOleObj* placed);
    ~CZelkCntrItem() override;

    // Fits the placed objects to the server's extent; 1 done, 0 stopped.
    int UpdateObjectExtents();
    void OnChange(int notification, DWORD param);
    // Opening the object needs its program: reported as unavailable; FALSE.
    BOOL OnActivate();
    BOOL CanActivate();


    CZelkDoc* m_document = nullptr;
    CPtrArray m_placedObjects;          // CZelkOleObj, not owned
};

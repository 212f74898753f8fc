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
    BOOL OnActivate() override;
    BOOL CanActivate();
    // While the item is active in place in a view (rectangles in its client pixels): a new place
    // moves the first placed object there, keeping its size; the place asked for is that
    // object's rectangle in the view, after it was sized from the item when it had no size.
    BOOL OnChangeItemPosition(const RECT& rect) override;
    void OnGetItemPosition(RECT& rect) override;
    // An item that asks to be inside-out is hidden when its user interface goes.
    void OnDeactivateUI(BOOL undoable) override;


    CZelkDoc* m_document = nullptr;
    CPtrArray m_placedObjects;          // CZelkOleObj, not owned
};

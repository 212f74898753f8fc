// The drawing as a picture for other programs: the extent it reports keeps the shape of the
// active view's visible area, and its drawing lays the elements pen by pen, the texts font by
// font and the placed objects over that area. Its data are the drawing's own archive.
#pragma once

#include "platform/ui/OleServerItem.h"

class CArchive;
class CDC;
class CZelkDoc;

class CZelkSrvrItem : public COleServerItem {
    DECLARE_DYNAMIC(CZelkSrvrItem)
public:
    explicit CZelkSrvrItem(CZelkDoc* document);
    ~CZelkSrvrItem() override = default;

    CZelkDoc* GetDocument() const;
    // The drawing's archive, linked or embedded alike.
    void Serialize(CArchive& ar) override;
    // For the content: the item's extent, or 100 by -100 logical units (an inch) when none was
    // given, corrected to the shape of the active view's visible area; in hundredths of a mm.
    BOOL OnGetExtent(int aspect, CSize& size) override;
    // The visible area of the active view onto the device context's viewport; TRUE.
    BOOL OnDraw(CDC* dc, CSize& size) override;
};

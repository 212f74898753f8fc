// The item through which a document offers itself to other programs: its picture at the extent
// it reports, and its archive. Other programs do not embed documents of this one here; what
// remains is the clipboard copy, where the picture goes as an image and the archive under the
// document's own registered format.
#pragma once

#include <vector>

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CArchive;
class CDC;
class CDocument;

class COleServerItem : public CObject {
    DECLARE_DYNAMIC(COleServerItem)
public:
    COleServerItem(CDocument* document, BOOL autoDelete);
    ~COleServerItem() override = default;

    CDocument* GetDocument() const { return m_pDocument; }
    // The item's size in hundredths of a millimetre; the framework's answer is FALSE.
    virtual BOOL OnGetExtent(int aspect, CSize& size);
    // Draws the item into a device context whose viewport is the picture.
    virtual BOOL OnDraw(CDC* dc, CSize& size) = 0;

    // The picture drawn by OnDraw at the size OnGetExtent gives, at the given resolution, as PNG
    // bytes (each side at least one dot); empty when no picture could be made.
    std::vector<BYTE> RenderPicture(int dotsPerInch);
    // Puts the item on the clipboard: its picture at 300 dots per inch as an image and its
    // archive under m_nativeFormat. Links to the document are not offered.
    void CopyToClipboard(BOOL includeLink = FALSE);

    CSize m_sizeExtent;        // set by a container; 0 by 0 when none did
    UINT m_nativeFormat = 0;   // the clipboard format of the archive
    CDocument* m_pDocument;
    BOOL m_bAutoDelete;
};

// A document's picture and archive, made for the clipboard.
#include "platform/ui/OleServerItem.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/gdi/ImageDC.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Document.h"
#include "platform/ui/OleClientItem.h"

IMPLEMENT_DYNAMIC(COleServerItem, CObject)

namespace {

// A side of the picture in dots: hundredths of a millimetre at the resolution, kept within what
// an image can hold.
int Dots(LONG himetric, int dotsPerInch)
{
    constexpr double kMostDots = 8192;
    const double dots = std::fabs(static_cast<double>(himetric)) * dotsPerInch / 2540.0;
    return static_cast<int>(std::clamp(std::round(dots), 1.0, kMostDots));
}

} // namespace

COleServerItem::COleServerItem(CDocument* document, BOOL autoDelete)
    : m_pDocument(document), m_bAutoDelete(autoDelete)
{
}

BOOL COleServerItem::OnGetExtent(int aspect, CSize& size)
{
    (void)aspect;
    (void)size;
    return FALSE;
}

std::vector<BYTE> COleServerItem::RenderPicture(int dotsPerInch)
{
    CSize size;
    if (!OnGetExtent(DVASPECT_CONTENT, size))
        size = m_sizeExtent;
    if (size.cx == 0 || size.cy == 0 || dotsPerInch <= 0)
        return {};
    const int width = Dots(size.cx, dotsPerInch);
    const int height = Dots(size.cy, dotsPerInch);
    CImageDC dc(width, height, dotsPerInch);
    // As a container plays the picture into its rectangle: the item's window onto the whole
    // viewport.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportOrg(0, 0);
    dc.SetViewportExt(width, height);
    OnDraw(&dc, size);
    return dc.EncodePng();
}

void COleServerItem::CopyToClipboard(BOOL includeLink)
{
    (void)includeLink;
    const std::vector<BYTE> picture = RenderPicture(300);
    HGLOBAL block = nullptr;
    if (m_nativeFormat != 0) {
        CMemFile file(4096);
        {
            CArchive ar(&file, CArchive::store, 4096);
            ar.m_pDocument = m_pDocument;
            Serialize(ar);
            ar.Close();
        }
        const DWORD length = file.GetLength();
        block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length);
        if (void* p = GlobalLock(block); p && length) {
            file.SeekToBegin();
            file.Read(p, length);
        }
        GlobalUnlock(block);
    }
    if (!OpenClipboard(nullptr)) {
        if (block)
            GlobalFree(block);
        return;
    }
    EmptyClipboard();
    if (block)
        SetClipboardData(m_nativeFormat, block);
    if (!picture.empty())
        SetClipboardImage(picture.data(), picture.size());
    CloseClipboard();
}

// A picture standing for an embedded item: its archive form, drawing and making.
#include "platform/ui/OleClientItem.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/gdi/DC.h"
#include "platform/ui/Clipboard.h"

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <cmath>
#include <limits>

IMPLEMENT_DYNAMIC(COleClientItem, CObject)

namespace {

constexpr const char* kPictureClass = "Picture";

// Hundredths of a millimetre of a picture side: its dots over its resolution.
LONG Himetric(int dots, int dotsPerMetre)
{
    const double perMetre = dotsPerMetre > 0 ? dotsPerMetre : 96.0 / 0.0254;
    return static_cast<LONG>(std::lround(dots * 100000.0 / perMetre));
}

// The image as PNG bytes; empty when it cannot be encoded.
QByteArray PngOf(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        png.clear();
    return png;
}

}  // namespace

void COleClientItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_className;
        ar << static_cast<std::int32_t>(m_serverExtent.cx) << static_cast<std::int32_t>(m_serverExtent.cy);
        ar.WriteCount(static_cast<DWORD>(m_nativeData.size()));
        if (!m_nativeData.empty())
            ar.Write(m_nativeData.data(), static_cast<UINT>(m_nativeData.size()));
        return;
    }
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    ar >> m_className;
    ar >> cx >> cy;
    m_serverExtent.cx = cx;
    m_serverExtent.cy = cy;
    // The data are taken in steps: a count beyond the data present ends at the end of the
    // archive as a broken archive, not in a huge allocation made before the data run out.
    constexpr DWORD kStep = 64 * 1024;
    DWORD left = ar.ReadCount();
    m_nativeData.clear();
    while (left > 0) {
        const DWORD step = left < kStep ? left : kStep;
        const size_t old = m_nativeData.size();
        m_nativeData.resize(old + step);
        if (ar.Read(m_nativeData.data() + old, step) != step)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        left -= step;
    }
}

BOOL COleClientItem::GetExtent(SIZE* size)
{
    if (m_serverExtent.cx == 0 && m_serverExtent.cy == 0)
        return FALSE;
    *size = m_serverExtent;
    return TRUE;
}

BOOL COleClientItem::Draw(CDC* dc, const RECT* bounds, int aspect)
{
    if (dc == nullptr || bounds == nullptr || aspect != DVASPECT_CONTENT || m_nativeData.empty())
        return FALSE;
    return dc->DrawImage(bounds, m_nativeData.data(), m_nativeData.size());
}

BOOL COleClientItem::CreateFromPicture(const BYTE* data, size_t size)
{
    if (data == nullptr || size == 0 || size > static_cast<size_t>(std::numeric_limits<int>::max()))
        return FALSE;
    QImage image;
    if (!image.loadFromData(data, static_cast<int>(size)) || image.isNull())
        return FALSE;
    const QByteArray png = PngOf(image);
    if (png.isEmpty())
        return FALSE;
    m_nativeData.assign(png.begin(), png.end());
    m_serverExtent.cx = Himetric(image.width(), image.dotsPerMeterX());
    m_serverExtent.cy = Himetric(image.height(), image.dotsPerMeterY());
    m_className = kPictureClass;
    m_itemState = loadedState;
    return TRUE;
}

BOOL COleClientItem::CreateFromFile(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return FALSE;
    const DWORD length = file.GetLength();
    if (length == 0 || length == 0xFFFFFFFF)
        return FALSE;
    std::vector<BYTE> bytes(length);
    if (file.Read(bytes.data(), length) != length)
        return FALSE;
    return CreateFromPicture(bytes.data(), bytes.size());
}

BOOL COleClientItem::CanCreateFromData()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage();
}

BOOL COleClientItem::CreateFromData(int render)
{
    (void)render;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasImage())
        return FALSE;
    const QImage image = qvariant_cast<QImage>(data->imageData());
    const QByteArray png = image.isNull() ? QByteArray() : PngOf(image);
    if (png.isEmpty())
        return FALSE;
    return CreateFromPicture(reinterpret_cast<const BYTE*>(png.constData()), static_cast<size_t>(png.size()));
}

BOOL COleClientItem::CreateStaticFromData(int render)
{
    return CreateFromData(render);
}

void COleClientItem::GetClipboardData()
{
    QImage image;
    if (m_nativeData.empty() ||
        !image.loadFromData(m_nativeData.data(), static_cast<int>(m_nativeData.size())))
        return;
    SetClipboardImage(m_nativeData.data(), m_nativeData.size());
}

BOOL COleClientItem::DoVerb(int verb, CView* view)
{
    (void)view;
    // Hiding an item that never shows is done at once.
    if (verb == OLEIVERB_HIDE)
        return TRUE;
    return OnActivate();
}

void COleClientItem::Close(int option)
{
    (void)option;
    if (m_itemState != emptyState)
        m_itemState = loadedState;
    m_pView = nullptr;
}

BOOL COleClientItem::OnChangeItemPosition(const RECT& rect)
{
    (void)rect;
    return TRUE;
}

void COleClientItem::OnDeactivateUI(BOOL undoable)
{
    (void)undoable;
    if (m_itemState == activeUIState)
        m_itemState = activeState;
}

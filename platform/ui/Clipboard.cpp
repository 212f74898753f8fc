// Global memory and the clipboard over QClipboard.
#include "platform/ui/Clipboard.h"

#include "platform/ui/UiInternal.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <map>
#include <memory>
#include <vector>

namespace {

struct GlobalBlock {
    std::vector<char> bytes;
    int locks = 0;
};

std::map<UINT, std::string> g_formats;
bool g_open = false;
// Data set while the clipboard is open, published when it closes.
std::unique_ptr<QMimeData> g_pending;
// Blocks handed out by GetClipboardData, freed when the clipboard changes.
std::vector<HGLOBAL> g_handedOut;

GlobalBlock* Block(HGLOBAL h)
{
    return reinterpret_cast<GlobalBlock*>(h);
}

QString MimeOf(UINT format)
{
    auto it = g_formats.find(format);
    if (it == g_formats.end())
        return QString();
    return QStringLiteral("application/x-zelk-format;name=") + QString::fromStdString(UiCp932ToUtf8(it->second.c_str()));
}

void ReleaseHandedOut()
{
    for (HGLOBAL h : g_handedOut)
        GlobalFree(h);
    g_handedOut.clear();
}

HGLOBAL NewBlock(const char* data, size_t size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    if (size)
        std::memcpy(Block(h)->bytes.data(), data, size);
    return h;
}

} // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t dwBytes)
{
    auto* b = new GlobalBlock;
    b->bytes.assign(dwBytes, 0);
    return reinterpret_cast<HGLOBAL>(b);
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    if (!hMem)
        return nullptr;
    GlobalBlock* b = Block(hMem);
    ++b->locks;
    return b->bytes.empty() ? static_cast<LPVOID>(b) : b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    if (!hMem)
        return FALSE;
    GlobalBlock* b = Block(hMem);
    if (b->locks > 0)
        --b->locks;
    return b->locks > 0;
}

std::size_t GlobalSize(HGLOBAL hMem)
{
    return hMem ? Block(hMem)->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    delete Block(hMem);
    return nullptr;
}

UINT RegisterClipboardFormat(LPCTSTR lpszFormat)
{
    if (!lpszFormat || !*lpszFormat)
        return 0;
    std::string name(lpszFormat);
    for (const auto& kv : g_formats)
        if (CString(kv.second.c_str()).CompareNoCase(lpszFormat) == 0)
            return kv.first;
    UINT id = 0xC000 + static_cast<UINT>(g_formats.size());
    g_formats[id] = name;
    return id;
}

BOOL OpenClipboard(HWND)
{
    if (g_open)
        return FALSE;
    UiEnsureApplication();
    g_open = true;
    return TRUE;
}

BOOL CloseClipboard()
{
    if (!g_open)
        return FALSE;
    g_open = false;
    if (g_pending) {
        ReleaseHandedOut();
        QGuiApplication::clipboard()->setMimeData(g_pending.release());
    }
    return TRUE;
}

BOOL EmptyClipboard()
{
    if (!g_open)
        return FALSE;
    g_pending = std::make_unique<QMimeData>();
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem)
{
    if (!g_open || !hMem)
        return nullptr;
    if (!g_pending)
        g_pending = std::make_unique<QMimeData>();
    GlobalBlock* b = Block(hMem);
    if (uFormat == CF_TEXT) {
        // The text ends at its first NUL; CR LF line ends become Qt's LF.
        size_t n = 0;
        while (n < b->bytes.size() && b->bytes[n])
            ++n;
        QString t = QString::fromStdString(UiCp932ToUtf8(b->bytes.data(), static_cast<int>(n)));
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        g_pending->setText(t);
    } else {
        QString mime = MimeOf(uFormat);
        if (mime.isEmpty())
            return nullptr;
        g_pending->setData(mime, QByteArray(b->bytes.data(), static_cast<qsizetype>(b->bytes.size())));
    }
    GlobalFree(hMem);
    return hMem;
}

BOOL SetClipboardImage(const BYTE* data, std::size_t size)
{
    if (!g_open || data == nullptr || size == 0 || size > 0x7FFFFFFF)
        return FALSE;
    QImage image;
    if (!image.loadFromData(data, static_cast<int>(size)))
        return FALSE;
    if (!g_pending)
        g_pending = std::make_unique<QMimeData>();
    g_pending->setImageData(image);
    return TRUE;
}

HANDLE GetClipboardData(UINT uFormat)
{
    if (!g_open)
        return nullptr;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return nullptr;
    HGLOBAL h = nullptr;
    if (uFormat == CF_TEXT) {
        if (!data->hasText())
            return nullptr;
        QString t = data->text();
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        t.replace(QLatin1String("\n"), QLatin1String("\r\n"));
        CString bytes = FromQ(t);
        h = NewBlock(bytes.GetString(), static_cast<size_t>(bytes.GetLength()) + 1);
    } else {
        QString mime = MimeOf(uFormat);
        if (mime.isEmpty() || !data->hasFormat(mime))
            return nullptr;
        QByteArray b = data->data(mime);
        h = NewBlock(b.constData(), static_cast<size_t>(b.size()));
    }
    g_handedOut.push_back(h);
    return h;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    UiEnsureApplication();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return FALSE;
    if (format == CF_TEXT)
        return data->hasText();
    if (format == CF_DIB)
        return data->hasImage();
    QString mime = MimeOf(format);
    return !mime.isEmpty() && data->hasFormat(mime);
}

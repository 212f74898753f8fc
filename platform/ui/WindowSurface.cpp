// Copies of a window's client picture.
#include "platform/ui/WindowSurface.h"

#include "platform/core/ProgramFolder.h"
#include "platform/ui/UiInternal.h"

#include <QImage>
#include <QString>

namespace {

const QImage* SurfaceOf(CWnd* pWnd)
{
    if (!pWnd || !pWnd->m_pState || pWnd->m_pState->surface.isNull())
        return nullptr;
    return &pWnd->m_pState->surface;
}

}  // namespace

BOOL CopyWindowSurface(CWnd* pWnd, CSurfaceCopy& copy)
{
    const QImage* surface = SurfaceOf(pWnd);
    if (!surface)
        return FALSE;
    copy.width = surface->width();
    copy.height = surface->height();
    copy.pixels.resize(static_cast<std::size_t>(copy.width) * copy.height);
    for (int y = 0; y < copy.height; ++y)
        for (int x = 0; x < copy.width; ++x) {
            const QRgb c = surface->pixel(x, y);
            copy.pixels[static_cast<std::size_t>(y) * copy.width + x] = RGB(qRed(c), qGreen(c), qBlue(c));
        }
    return TRUE;
}

BOOL SaveWindowSurface(CWnd* pWnd, const char* path)
{
    const QImage* surface = SurfaceOf(pWnd);
    if (!surface || !path)
        return FALSE;
    return surface->save(QString::fromStdString(FileSystemPath(path)), "PNG") ? TRUE : FALSE;
}

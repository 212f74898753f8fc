// The picture of a memory device context.
#include "platform/gdi/ImageDC.h"

#include <QImage>

CImageHolder::CImageHolder(int width, int height)
    : m_image(std::make_unique<QImage>(width, height, QImage::Format_RGB32))
{
    m_image->fill(Qt::white);
}

CImageHolder::~CImageHolder() = default;

CImageDC::CImageDC(int width, int height, int logicalDpi)
    : CImageHolder(width, height), CPainterDC(m_image.get(), logicalDpi)
{
}

CImageDC::~CImageDC() = default;

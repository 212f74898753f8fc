// The picture of a memory device context.
#include "platform/gdi/ImageDC.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cmath>

CImageHolder::CImageHolder(int width, int height)
    : m_image(std::make_unique<QImage>(width, height, QImage::Format_RGB32))
{
    m_image->fill(Qt::white);
}

CImageHolder::~CImageHolder() = default;

CImageDC::CImageDC(int width, int height, int logicalDpi)
    : CImageHolder(width, height), CPainterDC(m_image.get(), logicalDpi), m_dotsPerInch(logicalDpi)
{
}

CImageDC::~CImageDC() = default;

std::vector<BYTE> CImageDC::EncodePng() const
{
    QImage image = m_image->copy();
    const int perMetre = static_cast<int>(std::lround(m_dotsPerInch / 0.0254));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return std::vector<BYTE>(png.begin(), png.end());
}

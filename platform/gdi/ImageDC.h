// A painting device context over a picture of its own, white at first: what a memory device
// context with a selected bitmap gives on Windows. Benchmarks and off-window drawing use it.
#pragma once

#include "platform/gdi/PainterDC.h"

#include <memory>
#include <vector>

class QImage;

class CImageHolder {
protected:
    CImageHolder(int width, int height);
    ~CImageHolder();
    std::unique_ptr<QImage> m_image;
};

class CImageDC : private CImageHolder, public CPainterDC {
public:
    // logicalDpi as the screen's (96 unless given).
    CImageDC(int width, int height, int logicalDpi = 96);
    ~CImageDC() override;

    // The picture as PNG bytes, marked with the device context's resolution; empty when it
    // cannot be encoded.
    std::vector<BYTE> EncodePng() const;

private:
    int m_dotsPerInch;
};

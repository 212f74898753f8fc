// The device context that paints: on a QImage (the views' back buffers, where raster
// operations such as exclusive-or act bit by bit on the pixels), or on any other paint device
// such as a printer, where they are not available. Nothing is antialiased, so drawing a figure
// or a text again in the background color removes it.
#pragma once

#include "platform/gdi/DC.h"

#include <memory>
#include <string>

class QFont;
class QPaintDevice;
class QPainter;

class CPainterDC : public CDC {
public:
    // logicalDpi 0 takes the device's own logical resolution.
    explicit CPainterDC(QPaintDevice* device, int logicalDpi = 0);
    // Paints with a painter already active on its device; the painter stays the caller's.
    explicit CPainterDC(QPainter* painter, int logicalDpi = 0);
    ~CPainterDC() override;

    QPainter* GetPainter() const;

    // How many texts the program has laid from pixels it made for them before, instead of
    // filling their outlines: an unturned text on a picture of 32-bit pixels, whole inside the
    // clip, where the fill would only set pixels. The pixels are the fill's own.
    static long TextsLaidFromPixels();

    // Thin ellipses and arcs of one box size share their ring of pixels, moved to each box;
    // off, every ring is worked out for its own box (the pixels are the same either way).
    static bool s_shareRings;

protected:
    void DevPolyline(const std::vector<CPoint>& points, bool closed) override;
    void DevArc(const RECT& box, double startAngle, double sweep) override;
    void DevFillEllipse(const RECT& box) override;
    void DevFillPolygon(const std::vector<CPoint>& points) override;
    void DevFillRect(const RECT& rect, COLORREF color) override;
    void DevInvertRect(const RECT& rect) override;
    bool DevImage(const RECT& rect, const BYTE* data, size_t size) override;
    void DevSetPixel(int x, int y, COLORREF color) override;
    COLORREF DevGetPixel(int x, int y) const override;
    void DevText(double x, double y, double angle, const char* text, int count) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    static long s_textsLaid;

    // The key of a font's outlines, its reference face and the width of a full-width space there.
    const std::string& FontKey(const LOGFONT& lf, const QFont*& font, double& fullWidth);
    // Whether a fill would only set the covered pixels of the picture to the fill color.
    bool LaysTextPixels() const;
    void StrokePixels(const std::vector<CPoint>& pixels);
    // Lays the pixels, each moved by shift, when the pen is solid and the picture's pixels are
    // at hand; false (nothing laid) otherwise.
    bool LaySolidPixels(const Pen& pen, const std::vector<CPoint>& pixels, CPoint shift);
    void StrokeWide(const std::vector<std::pair<double, double>>& points, bool closed, int width);
};

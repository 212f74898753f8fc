// A device context that draws nothing and writes every call down as one line of text, so the
// program's drawing code can be tested by what it asks of the device.
//
// Format: the call's name, then its arguments in logical units as the caller gave them, in
// parentheses, separated by commas, no spaces. Colors are RGB(r,g,b); text is the raw
// Shift-JIS bytes between double quotes, not escaped; PatBlt's operation is hexadecimal.
//   MoveTo(90,-50)          LineTo(110,-50)          Arc(l,t,r,b,x3,y3,x4,y4)
//   Ellipse(l,t,r,b)        Rectangle(l,t,r,b)       Polyline(x1,y1,x2,y2,...)   Polygon(...)
//   FillRect(l,t,r,b,RGB(r,g,b)) or FillRect(l,t,r,b,null)    FillSolidRect(l,t,r,b,RGB(r,g,b))
//   PatBlt(x,y,w,h,0x550009)   SetPixel(x,y,RGB(r,g,b))   TextOut(x,y,"bytes")
//   SelectPen(style,width,RGB(r,g,b))   SelectBrush(RGB(r,g,b)) or SelectBrush(null)
//   SelectFont(height,width,escapement,weight,charset,"face")
//   SetTextAlign(8)  SetTextColor(RGB(..))  SetBkColor(RGB(..))  SetBkMode(1)  SetROP2(7)
//   SetMapMode(2)  SetWindowOrg(x,y)  SetWindowExt(cx,cy)  SetViewportOrg(x,y)  SetViewportExt(cx,cy)
//   IntersectClipRect(l,t,r,b)  SaveDC()  RestoreDC(n)
// Queries (mapping, extents, metrics, clip box) are answered as the painting DC answers them
// and are not written down.
#pragma once

#include "platform/gdi/DC.h"

#include <initializer_list>
#include <string>
#include <vector>

class CRecordingDC : public CDC {
public:
    explicit CRecordingDC(int width = 1000, int height = 1000, int dpi = 96);

    const std::vector<std::string>& Calls() const { return m_calls; }
    // Only the calls with one of these names, in order.
    std::vector<std::string> CallsNamed(std::initializer_list<const char*> names) const;
    // Only the calls that put something on the device.
    std::vector<std::string> DrawingCalls() const;
    // All calls, one per line.
    std::string Text() const;
    void Clear() { m_calls.clear(); }

protected:
    void Note(const std::string& call) override { m_calls.push_back(call); }
    bool Records() const override { return true; }

private:
    std::vector<std::string> m_calls;
};

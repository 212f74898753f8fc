// Small helpers for the element drawing tests: parsing the recording device context's calls.
#pragma once

#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/gdi/RecordingDC.h"

#include <cstdio>
#include <string>
#include <vector>

inline CPointD Pt(double x, double y)
{
    CPointD p;
    return p.Init(x, y);
}

inline CRectD Clip(double left, double top, double right, double bottom)
{
    CRectD r;
    return r.Init(left, top, right, bottom);
}

// The integer arguments of a recorded call such as "LineTo(3,-4)".
inline std::vector<long> Args(const std::string& call)
{
    std::vector<long> out;
    size_t open = call.find('(');
    std::string body = call.substr(open + 1, call.size() - open - 2);
    size_t pos = 0;
    while (pos <= body.size()) {
        size_t comma = body.find(',', pos);
        if (comma == std::string::npos)
            comma = body.size();
        out.push_back(std::stol(body.substr(pos, comma - pos)));
        pos = comma + 1;
    }
    return out;
}

inline std::string Name(const std::string& call)
{
    return call.substr(0, call.find('('));
}

// Strokes of MoveTo/LineTo pairs as (x1, y1, x2, y2), in drawing order.
struct Stroke {
    long x1, y1, x2, y2;
};
inline std::vector<Stroke> Strokes(const CRecordingDC& dc)
{
    std::vector<Stroke> out;
    long x = 0, y = 0;
    for (const std::string& call : dc.Calls()) {
        std::vector<long> a;
        if (Name(call) == "MoveTo") {
            a = Args(call);
            x = a[0];
            y = a[1];
        } else if (Name(call) == "LineTo") {
            a = Args(call);
            out.push_back({x, y, a[0], a[1]});
            x = a[0];
            y = a[1];
        }
    }
    return out;
}

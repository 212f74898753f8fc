// The recording device context: the call log and its filters.
#include "platform/gdi/RecordingDC.h"

#include <cstring>

CRecordingDC::CRecordingDC(int width, int height, int dpi)
{
    SetDevice(width, height, dpi);
}

std::vector<std::string> CRecordingDC::CallsNamed(std::initializer_list<const char*> names) const
{
    std::vector<std::string> out;
    for (const std::string& call : m_calls) {
        std::string name = call.substr(0, call.find('('));
        for (const char* wanted : names) {
            if (name == wanted) {
                out.push_back(call);
                break;
            }
        }
    }
    return out;
}

std::vector<std::string> CRecordingDC::DrawingCalls() const
{
    return CallsNamed({"MoveTo", "LineTo", "Arc", "Ellipse", "Rectangle", "Polyline", "Polygon", "FillRect",
                       "FillSolidRect", "PatBlt", "SetPixel", "TextOut"});
}

std::string CRecordingDC::Text() const
{
    std::string out;
    for (const std::string& call : m_calls) {
        out += call;
        out += '\n';
    }
    return out;
}

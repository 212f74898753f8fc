// The registry of window classes.
#include "platform/ui/WndClass.h"

#include "platform/core/String.h"
#include "platform/gdi/GdiObjects.h"

#include <deque>
#include <map>
#include <memory>

namespace {
std::map<std::string, CWndClassInfo> g_classes;
std::deque<CString> g_names; // stable storage for the returned names
std::deque<std::unique_ptr<CBrush>> g_brushes;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    g_brushes.push_back(std::make_unique<CBrush>(color));
    return reinterpret_cast<HBRUSH>(static_cast<CGdiObject*>(g_brushes.back().get()));
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    CWndClassInfo info;
    info.style = nClassStyle;
    info.cursor = hCursor;
    info.hasBackground = hbrBackground != nullptr;
    if (auto* brush = dynamic_cast<CBrush*>(reinterpret_cast<CGdiObject*>(hbrBackground)))
        info.background = brush->m_color;
    // The name encodes the attributes, as the framework's generated class names do.
    CString name;
    name.Format("Zelk:%x:%p:%x:%d:%p", nClassStyle, static_cast<void*>(hCursor), info.background,
                info.hasBackground ? 1 : 0, static_cast<void*>(hIcon));
    if (!g_classes.count(name.Std())) {
        g_classes[name.Std()] = info;
        g_names.push_back(name);
        return g_names.back().GetString();
    }
    for (const CString& n : g_names)
        if (n == name)
            return n.GetString();
    return nullptr;
}

const CWndClassInfo* AfxFindWndClass(LPCTSTR lpszClassName)
{
    if (!lpszClassName || IS_INTRESOURCE(lpszClassName))
        return nullptr;
    auto it = g_classes.find(lpszClassName);
    return it == g_classes.end() ? nullptr : &it->second;
}

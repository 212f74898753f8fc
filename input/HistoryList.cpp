// CHistoryList: the entries of one input-bar list and the previous reference of the listings.
#include "input/HistoryList.h"

#include "app/ZelkApp.h"
#include "geometry/Numeric.h"

namespace {

// The settings' default, for a list that lives without an application (tests, benchmarks).
constexpr int DefaultInputListMaximum = 30;

int InputListMaximum()
{
    return g_pApp ? static_cast<int>(g_pApp->m_historyLength) : DefaultInputListMaximum;
}

}  // namespace

CHistoryList::CHistoryList() : m_sourceDoc(nullptr), m_value(1.0), m_prevDoc(nullptr)
{
    m_prevElem.Init(0, -1, 0, 1, 0);
    m_prevPoint.Init(0, 0);
}

void CHistoryList::Clear()
{
    m_texts.RemoveAll();
    m_codes.RemoveAll();
    m_value = 1.0;
    m_currentText.Empty();
    m_sourceDoc = nullptr;
}

void CHistoryList::AddSorted(const CString& text)
{
    m_currentText = text;
    CString entry = text;
    entry.TrimLeft();
    if (entry.IsEmpty())
        return;
    int at = static_cast<int>(m_texts.GetSize());
    for (int i = 0; i < m_texts.GetSize(); ++i) {
        const int order = entry.CompareNoCase(m_texts[i]);
        if (order == 0)
            return;
        if (order < 0 && at == m_texts.GetSize())
            at = i;
    }
    m_texts.InsertAt(at, entry);
    m_codes.InsertAt(at, static_cast<WORD>(0));
}

WORD CHistoryList::GetCode(int index) const
{
    constexpr WORD kNoCode = 1001;
    return index >= 0 && index < m_codes.GetSize() ? m_codes[index] : kNoCode;
}

void CHistoryList::AddRecentWithCode(const CString& text, WORD code)
{
    if (text.IsEmpty())
        return;
    m_currentText = text;
    for (int i = 0; i < m_texts.GetSize(); ++i) {
        if (m_texts[i] == text) {
            m_texts.RemoveAt(i);
            m_codes.RemoveAt(i);
            break;
        }
    }
    m_texts.InsertAt(0, text);
    m_codes.InsertAt(0, code);
    const int maximum = InputListMaximum();
    if (m_texts.GetSize() > maximum) {
        m_texts.SetSize(maximum);
        m_codes.SetSize(maximum);
    }
}

CString CHistoryList::ThickLineEntry(double millimetres)
{
    return CString("===== 太い実線 ") + DoubleToString(millimetres);
}

void CHistoryList::ListThickLine(double millimetres)
{
    const CString entry = ThickLineEntry(millimetres);
    for (int i = 0; i < m_texts.GetSize(); ++i)
        if (m_texts[i].CompareNoCase(entry) == 0)
            return;
    m_texts.InsertAt(0, entry);
    m_codes.InsertAt(0, static_cast<WORD>(0));
}

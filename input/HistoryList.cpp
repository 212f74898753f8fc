// CHistoryList: the entries of one input-bar list and the previous reference of the listings.
#include "input/HistoryList.h"

#include "app/ZelkApp.h"

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

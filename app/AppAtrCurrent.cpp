// CAppAtrCurrent: the current creation environment.
#include "app/AppAtrCurrent.h"

#include "app/ZelkApp.h"

IMPLEMENT_DYNCREATE(CAppAtrCurrent, CObject)

CAppAtrCurrent::CAppAtrCurrent()
    : m_color(0), m_lineType(0), m_lineWidth(1), m_blurCount(3), m_blurRate(70)
{
}

CAppAtrCurrent::~CAppAtrCurrent() = default;

void CAppAtrCurrent::Serialize(CArchive&)
{
}

void CAppAtrCurrent::ApplyPen()
{
    CAppElem& elem = g_pApp->m_appElem;
    CopyPen(elem, *this);
    if (elem.m_lineType == 5)
        elem.m_lineType = 0;
    // The frame shows the creation pen: its line type on the button, its color in the box.
    g_pApp->SetLineTypeButton(0);
    g_pApp->SelectColorInCombo(elem.m_color);
}

void CAppAtrCurrent::ApplyText()
{
    g_pApp->m_appText.AssignAttributes(m_text);
}

void CAppAtrCurrent::SetLineWidth(short width)
{
    m_lineWidth = width;
}

void CAppAtrCurrent::SetLineType(int lineType)
{
    m_lineType = lineType;
}

// CAppAtrPicked: pen and text of an element-based creation environment.
#include "app/AppAtrPicked.h"

#include "app/ZelkApp.h"

CAppAtrPicked::CAppAtrPicked(BYTE blurCount, BYTE blurRate)
    : m_document(nullptr), m_color(0), m_lineType(0), m_lineWidth(1), m_blurCount(blurCount),
      m_blurRate(blurRate), m_layer(0)
{
}

CAppAtrPicked::~CAppAtrPicked() = default;

void CAppAtrPicked::Serialize(CArchive&)
{
}

void CAppAtrPicked::ApplyPen()
{
    CopyPen(g_pApp->m_appElem, *this);
    g_pApp->SetLineTypeButton(0);
    g_pApp->SelectColorInCombo(g_pApp->m_appElem.m_color);
}

void CAppAtrPicked::ApplyText()
{
    g_pApp->m_appText.AssignAttributes(m_text);
}

void CAppAtrPicked::SetLineWidth(short width)
{
    m_lineWidth = width;
}

void CAppAtrPicked::SetLineType(int lineType)
{
    m_lineType = lineType;
}

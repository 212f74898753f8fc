// CAppAcc: defaults and archive form of the accuracy settings.
#include "app/AppAcc.h"

#include "app/SettingsField.h"

IMPLEMENT_DYNCREATE(CAppAcc, CObject)

CAppAcc::CAppAcc()
    : m_digits1(3), m_digits2(6), m_decimals(3), m_rangeHigh(1000000.0), m_rangeLow(0.0001)
{
}

CAppAcc::~CAppAcc() = default;

void CAppAcc::Serialize(CArchive& ar)
{
    ExchangeField(ar, m_digits1);
    ExchangeField(ar, m_digits2);
    ExchangeField(ar, m_decimals);
    ExchangeField(ar, m_rangeHigh);
    ExchangeField(ar, m_rangeLow);
    if (ar.IsLoading())
        ClampLoaded();
}

void CAppAcc::ClampLoaded()
{
    ClampSetting(m_digits1, 0, 20);
    ClampSetting(m_digits2, 0, 10);
    ClampSetting(m_decimals, 0, 20);
    ClampSetting(m_rangeHigh, 0.0, 1e20);
    ClampSetting(m_rangeLow, 0.0, 1000.0);
}

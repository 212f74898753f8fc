// CAppFind: defaults and archive form of the search conditions.
#include "app/AppFind.h"

#include "app/SettingsField.h"

IMPLEMENT_DYNCREATE(CAppFind, CObject)

CAppFind::CAppFind()
    : toggleSelection(1), layerWiseSelection(0), boxSelectionMode(1), m_userOption1(1),
      m_userOption2(0), annotationGroupSelectMode(1), groupSelectMode(1), selectableKinds(958),
      m_searchMask(31), pickHalfSize(20), gestureZoneSize(25), boxColorThreshold(10),
      m_tolerance4(250), m_userOption3(0), m_userOption4(0)
{
}

CAppFind::~CAppFind() = default;

void CAppFind::Serialize(CArchive& ar)
{
    ExchangeField(ar, pickHalfSize);
    ExchangeField(ar, gestureZoneSize);
    ExchangeField(ar, boxColorThreshold);
    ExchangeField(ar, m_tolerance4);
    if (ar.IsLoading())
        ClampLoaded();
}

void CAppFind::ClampLoaded()
{
    ClampSetting(pickHalfSize, 0, 50);
    ClampSetting(gestureZoneSize, 1, 100);
    ClampSetting(boxColorThreshold, 1, 30);
}

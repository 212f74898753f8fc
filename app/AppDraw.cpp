// CAppDraw: defaults and archive form of the display settings.
#include "app/AppDraw.h"

#include "app/SettingsField.h"
#include "app/ZelkApp.h"

IMPLEMENT_DYNCREATE(CAppDraw, CObject)

CAppDraw::CAppDraw()
    : zoomStepFactor(5.0), zoomWindowFactor(10), showAllMargin(1.1), zoomWindowMode(2),
      m_displayFlag1(1), m_displayFlag2(1), m_displayFlag3(0), zoomWindowClosed(0),
      candidateLimitNoZoomWindow(5), candidateLimit(10), m_pickLimit3(10), m_pickLimit4(2),
      m_pickLimit5(2), m_pickLimit6(2), m_pickLimit7(2), m_pickLimit8(100),
      m_coincidenceTolerance(0.001), penWidthMode(3), grayDisplay(1), showHintLine(1),
      m_showTextUnderline(1), m_barBits(255), m_newWindowHeight(200), m_newWindowWidth(200),
      originMarkSize(100), pointerCrossSize(20), referenceMarkSize(20), crossMarkSize(20),
      pointCrossSize(10), directionMarkSize(10), pointerMarkSize(60), historyInterval(3),
      m_stepCount(1000), grayRatio(0.5), m_ellipseStep(5.0), historyMax(30), m_displayValue6(6),
      messageFontHeight(40), m_displayValue8(1000), m_displayValue9(3)
{
    m_initialArea.Init(0.0, 297.0, 400.0, 0.0);
    m_viewPoint.Init(0.0, 0.0);
}

CAppDraw::~CAppDraw() = default;

void CAppDraw::Serialize(CArchive& ar)
{
    ExchangeField(ar, zoomStepFactor);
    ExchangeField(ar, zoomWindowFactor);
    ExchangeField(ar, zoomWindowMode);
    for (int* flag : {&m_displayFlag1, &m_displayFlag2, &m_displayFlag3})
        ExchangeField(ar, *flag);
    for (short* limit : {&candidateLimitNoZoomWindow, &candidateLimit, &m_pickLimit3, &m_pickLimit4,
                         &m_pickLimit5, &m_pickLimit6, &m_pickLimit7, &m_pickLimit8})
        ExchangeField(ar, *limit);
    ExchangeField(ar, penWidthMode);
    ExchangeField(ar, grayDisplay);
    ExchangeField(ar, showHintLine);
    ExchangeField(ar, m_barBits);
    for (double* side : {&m_initialArea.m_left, &m_initialArea.m_top, &m_initialArea.m_right,
                         &m_initialArea.m_bottom})
        ExchangeField(ar, *side);
    ExchangeField(ar, m_viewPoint.m_x);
    ExchangeField(ar, m_viewPoint.m_y);
    for (short* size : {&originMarkSize, &pointerCrossSize, &referenceMarkSize, &crossMarkSize,
                        &pointCrossSize, &directionMarkSize, &pointerMarkSize, &historyInterval})
        ExchangeField(ar, *size);
    ExchangeField(ar, grayRatio);
    ExchangeField(ar, m_ellipseStep);
    // The seventh display value was added last and sits after the eighth and ninth.
    ExchangeField(ar, historyMax);
    ExchangeField(ar, m_displayValue6);
    ExchangeField(ar, m_displayValue8);
    ExchangeField(ar, m_displayValue9);
    if (ar.IsStoring() || !g_pApp || g_pApp->m_archiveVersion >= 8)
        ExchangeField(ar, messageFontHeight);
    if (ar.IsLoading()) {
        m_viewPoint.m_x = 0.0;
        ClampLoaded();
    }
}

void CAppDraw::ClampLoaded()
{
    ClampSetting(zoomStepFactor, 2.0, 30.0);
    ClampSetting(zoomWindowFactor, 1, 20);
    ClampSetting(originMarkSize, 1, 500);
    ClampSetting(pointerCrossSize, 0, 30);
    ClampSetting(referenceMarkSize, 0, 30);
    ClampSetting(crossMarkSize, 0, 30);
    ClampSetting(pointCrossSize, 0, 30);
    ClampSetting(directionMarkSize, 0, 20);
    ClampSetting(pointerMarkSize, 0, 200);
    ClampSetting(historyInterval, 1, 10);
    ClampSetting(historyMax, 0, 1000);
    ClampSetting(grayRatio, 0.0, 1.0);
    // The polyline of an ellipse takes one point per step: a step of 0 would never end, so the
    // lower bound is a tenth of a degree rather than the 0 the display dialog shows.
    ClampSetting(m_ellipseStep, 0.1, 30.0);
}

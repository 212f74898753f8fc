// CAppElem: creation pen with its saved copy, and the archive form of the element settings.
#include "app/AppElem.h"

#include "app/SettingsField.h"
#include "app/ZelkApp.h"

IMPLEMENT_DYNCREATE(CAppElem, CObject)

CAppSavedPen::CAppSavedPen()
    : m_mask(0), m_thickWidth(5), m_lineWidth(1), m_lineType(0), m_color(0), m_blurCount(3),
      m_blurRate(70)
{
}

CAppElem::CAppElem()
    : m_mask(0), m_thickWidth(5), m_lineWidth(1), m_lineType(0), m_color(0), m_hatchPitch(2.0),
      m_stripCount(500), m_centroidHalfLength(10.0), m_pasteScaleDivisor(5.0), m_creationEnv(0),
      m_layerCondition(0), m_blurMode(0), m_lineOption(1), m_circleOption(1), m_draftMode(0),
      m_dxfBlockLayer(1), m_dimDecimals(2), m_arrowAngle(15.0), m_arrowLength(3.0), m_dotSize(1.0),
      m_dotEnds(0), m_dimExtension(6.0), m_diameterMark("φ"), m_degreeMark("゜"),
      m_extOvershoot(1.0), m_extGap(1.0), m_balloonTextRatio(0.9), m_lastCommandKind(0),
      m_blurCount(3), m_blurRate(70)
{
}

CAppElem::~CAppElem() = default;

void CAppElem::Serialize(CArchive& ar)
{
    // A double once held here is still written (as 1.0) and skipped on reading, so that
    // archives of every version keep their layout.
    double unused = 1.0;
    ExchangeField(ar, m_thickWidth);
    ExchangeField(ar, m_hatchPitch);
    ExchangeField(ar, m_stripCount);
    ExchangeField(ar, m_centroidHalfLength);
    ExchangeField(ar, unused);
    ExchangeField(ar, m_lineOption);
    ExchangeField(ar, m_circleOption);
    ExchangeField(ar, m_dxfBlockLayer);
    ExchangeField(ar, m_dimDecimals);
    ExchangeField(ar, m_arrowAngle);
    ExchangeField(ar, m_arrowLength);
    ExchangeField(ar, m_dotSize);
    ExchangeField(ar, m_dotEnds);
    ExchangeField(ar, m_dimExtension);
    ExchangeField(ar, m_diameterMark);
    ExchangeField(ar, m_degreeMark);
    ExchangeField(ar, m_extOvershoot);
    ExchangeField(ar, m_extGap);
    ExchangeField(ar, m_balloonTextRatio);
    ExchangeField(ar, m_blurCount);
    ExchangeField(ar, m_blurRate);
    if (ar.IsLoading())
        ClampLoaded();
}

void CAppElem::ClampLoaded()
{
    // The dialog shows a stored blur count of 0 as 3, so 0 stays a valid stored value.
    ClampSetting(m_blurCount, 0, 100);
    ClampSetting(m_blurRate, 0, 100);
    ClampSetting(m_hatchPitch, 0.1, 100.0);
    ClampSetting(m_stripCount, 100, 10000);
    ClampSetting(m_centroidHalfLength, 0.5, 50.0);
    ClampSetting(m_dimDecimals, 0, 5);
    ClampSetting(m_arrowAngle, 0.0, 60.0);
    ClampSetting(m_arrowLength, 0.0, 1000.0);
    ClampSetting(m_dotSize, 0.0, 3.0);
    ClampSetting(m_dimExtension, 0.0, 2000.0);
    ClampSetting(m_extOvershoot, 0.0, 10.0);
    ClampSetting(m_extGap, 0.0, 10.0);
    ClampSetting(m_balloonTextRatio, 0.0, 1.0);
}

void CAppElem::SavePen()
{
    m_savedPen.m_mask = m_mask;
    m_savedPen.m_thickWidth = m_thickWidth;
    m_savedPen.m_lineWidth = m_lineWidth;
    m_savedPen.m_lineType = m_lineType;
    m_savedPen.m_color = m_color;
    m_savedPen.m_blurCount = m_blurCount;
    m_savedPen.m_blurRate = m_blurRate;
}

void CAppElem::RestorePen()
{
    m_mask = m_savedPen.m_mask;
    m_thickWidth = m_savedPen.m_thickWidth;
    m_lineWidth = m_savedPen.m_lineWidth;
    m_lineType = m_savedPen.m_lineType;
    m_color = m_savedPen.m_color;
    m_blurCount = m_savedPen.m_blurCount;
    m_blurRate = m_savedPen.m_blurRate;
}

void CAppElem::RestorePenByMask()
{
    const short mask = m_savedPen.m_mask;
    if (mask & kMaskThickWidth)
        m_thickWidth = m_savedPen.m_thickWidth;
    if (mask & kMaskLineWidth)
        m_lineWidth = m_savedPen.m_lineWidth;
    if (mask & kMaskLineType)
        m_lineType = m_savedPen.m_lineType;
    if (mask & kMaskColor)
        m_color = m_savedPen.m_color;
    if (mask & kMaskBlurCount)
        m_blurCount = m_savedPen.m_blurCount;
    if (mask & kMaskBlurRate)
        m_blurRate = m_savedPen.m_blurRate;
}

void CAppElem::SetThickWidth(short width)
{
    m_thickWidth = width;
    m_mask |= kMaskThickWidth;
}

void CAppElem::SetLineWidth(short width)
{
    m_lineWidth = width;
    m_mask |= kMaskLineWidth;
}

void CAppElem::SetLineType(int lineType)
{
    m_lineType = lineType;
    m_mask |= kMaskLineType;
}

void CAppElem::SetColor(COLORREF color)
{
    m_color = color;
    m_mask |= kMaskColor;
}

void CAppElem::SetBlurCount(BYTE count)
{
    m_blurCount = count;
    m_mask |= kMaskBlurCount;
}

void CAppElem::SetBlurRate(BYTE rate)
{
    m_blurRate = rate;
    m_mask |= kMaskBlurRate;
}

void CAppElem::StoreLineTypeInCurrent()
{
    g_pApp->m_atrCurrent.m_lineType = m_lineType;
}

void CAppElem::StoreWidthInCurrent()
{
    g_pApp->m_atrCurrent.m_lineWidth = m_lineWidth;
}

void CAppElem::StoreColorInCurrent()
{
    g_pApp->m_atrCurrent.m_color = m_color;
}

void CAppElem::StoreColorInSelectedSet()
{
    g_pApp->m_atrElem.m_color = m_color;
}

void CAppElem::StoreColorInReferenceSet()
{
    g_pApp->m_atrReference.m_color = m_color;
}

void CAppElem::StorePenInCurrent()
{
    StoreLineTypeInCurrent();
    StoreWidthInCurrent();
    StoreColorInCurrent();
}

void CAppElem::SetDraftPen()
{
    m_lineType = 5;
    m_lineWidth = 1;
    m_color = g_pApp->m_appColor.sketchLineColor;
}

void CAppElem::SetLastCommandKind(short kind)
{
    m_lastCommandKind = kind;
}

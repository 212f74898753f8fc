// CAppColor: default colors, list lookups and the archive form of the color settings.
#include "app/AppColor.h"

#include "app/SettingsField.h"
#include "app/ColorComboBox.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"

#include <iterator>
#include <vector>

IMPLEMENT_DYNCREATE(CAppColor, CObject)

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kDarkRed = RGB(128, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);

WORD FindColor(const CDWordArray& list, COLORREF color)
{
    for (int i = 0; i < static_cast<int>(list.GetSize()); ++i) {
        if (list[i] == color)
            return static_cast<WORD>(i);
    }
    return CAppColor::kNotFound;
}

} // namespace

CAppColor::CAppColor()
    : adjustOnScreen(1), adjustOnPrint(1), complementThreshold(55), m_reserved(0),
      m_standardColors{kWhite, kRed, kDarkRed, kGreen, RGB(0, 128, 128), RGB(0, 0, 255), kCyan,
                       RGB(255, 255, 0), RGB(255, 0, 125), RGB(125, 125, 125), RGB(192, 192, 192),
                       RGB(128, 0, 128), RGB(128, 128, 0), RGB(0, 0, 128)},
      fallbackPenColor(RGB(255, 128, 64)), endPointMarkColor(RGB(96, 192, 255)),
      onElementMarkColor(RGB(255, 192, 32)), markColor(RGB(255, 0, 255)),
      altBackColor(RGB(235, 255, 255)), zoomWindowBackColor(RGB(235, 255, 255)),
      sketchLineColor(RGB(255, 200, 255)), viewBackColor(kWhite), selectionColor(kRed),
      secondMarkColor(kGreen), thirdMarkColor(kCyan), previewColor(kGreen), smallBoxColor(kRed),
      directionMarkColor(kRed), messageColor(kRed), freePointMarkColor(kGreen),
      intersectionMarkColor(kRed), m_purposeColor18(kDarkRed), textLineColor(RGB(255, 128, 0)),
      m_purposeColor20(kWhite), m_purposeColor21(RGB(127, 255, 255)),
      m_purposeColor22(RGB(127, 255, 127)), m_purposeColor23(RGB(255, 255, 127)),
      m_purposeColor24(RGB(255, 127, 127)), m_purposeColor25(RGB(255, 128, 0))
{
    m_standardColorList.Add(RGB(0, 0, 0));
    for (COLORREF c : m_standardColors)
        m_standardColorList.Add(c);
    m_standardColorList.Add(RGB(255, 200, 255));
}

CAppColor::~CAppColor() = default;

void CAppColor::Serialize(CArchive& ar)
{
    ExchangeField(ar, adjustOnScreen);
    ExchangeField(ar, adjustOnPrint);
    ExchangeField(ar, complementThreshold);
    m_userColors.Serialize(ar);
    if (ar.IsLoading())
        ClampLoaded();
}

void CAppColor::ClampLoaded()
{
    ClampSetting(complementThreshold, 10, 255);
}

WORD CAppColor::FindStandardColor(COLORREF color) const
{
    return FindColor(m_standardColorList, color);
}

WORD CAppColor::FindUserColor(COLORREF color) const
{
    return FindColor(m_userColors, color);
}

void CAppColor::FillColorCombo(CColorComboBox* combo) const
{
    combo->AddColor(m_standardColors[0]);
    combo->SetCurSel(combo->FindColor(m_standardColors[0]));
    // A damaged archive can give tens of thousands of user colors: the box is searched once for
    // all of them instead of once for each.
    std::vector<COLORREF> rest(std::begin(m_standardColors) + 1, std::end(m_standardColors));
    for (int i = 0; i < m_userColors.GetSize(); ++i)
        rest.push_back(static_cast<COLORREF>(m_userColors[i]));
    combo->AddColors(rest);
}

void CAppColor::ClearColorCombo() const
{
    if (g_pApp && g_pApp->m_pMainFrame)
        g_pApp->m_pMainFrame->m_wndInputBar.m_colorBox.ResetContent();
}

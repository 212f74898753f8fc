// Color settings: the complement rule for colors close to the background, the standard colors,
// the purpose colors of marks, previews and messages, and the user's own color list (archived).
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CColorComboBox;

class CAppColor : public CObject {
    DECLARE_DYNCREATE(CAppColor)
public:
    static constexpr int kStandardColorCount = 14;
    static constexpr WORD kNotFound = 0xFFFF;

    CAppColor();
    ~CAppColor() override;
    void Serialize(CArchive& ar) override;
    void ClampLoaded();

    // Index of the color in its list, kNotFound when absent.
    // Fills a color box: the standard colors, the first one selected, then the user colors.
    void FillColorCombo(CColorComboBox* combo) const;
    // Empties the main frame's color box.
    void ClearColorCombo() const;
    WORD FindStandardColor(COLORREF color) const;
    WORD FindUserColor(COLORREF color) const;

    int adjustOnScreen;      // complement colors close to the background on screen
    int adjustOnPrint;       // and when printing
    BYTE complementThreshold;
    int m_reserved;
    COLORREF m_standardColors[kStandardColorCount];

    // Purpose colors, in their fixed order.
    COLORREF fallbackPenColor;
    COLORREF endPointMarkColor;     // found end points and feature points
    COLORREF onElementMarkColor;    // found points on elements
    COLORREF markColor;
    COLORREF altBackColor;
    COLORREF zoomWindowBackColor;
    COLORREF sketchLineColor;       // also the pen of the draft-line mode
    COLORREF viewBackColor;
    COLORREF selectionColor;
    COLORREF secondMarkColor;
    COLORREF thirdMarkColor;
    COLORREF previewColor;
    COLORREF smallBoxColor;
    COLORREF directionMarkColor;
    COLORREF messageColor;
    COLORREF freePointMarkColor;
    COLORREF intersectionMarkColor;
    COLORREF m_purposeColor18;
    COLORREF textLineColor;
    COLORREF m_purposeColor20;
    COLORREF m_purposeColor21;
    COLORREF m_purposeColor22;
    COLORREF m_purposeColor23;
    COLORREF m_purposeColor24;
    COLORREF m_purposeColor25;

    CDWordArray m_standardColorList;
    CDWordArray m_userColors;

    // Purpose colors kept by position in the standard list.
    COLORREF black() const { return StandardListColor(0, RGB(0, 0, 0)); }
    COLORREF white() const { return StandardListColor(1, RGB(255, 255, 255)); }
    COLORREF originMarkColor() const { return StandardListColor(6, RGB(0, 0, 255)); }
    COLORREF bannerColor() const { return StandardListColor(5, RGB(0, 128, 128)); }

private:
    COLORREF StandardListColor(int i, COLORREF missing) const
    {
        return i < m_standardColorList.GetSize() ? static_cast<COLORREF>(m_standardColorList[i]) : missing;
    }
};

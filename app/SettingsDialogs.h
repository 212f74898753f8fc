// The settings dialogs of the settings menu: each holds the values it shows, filled by its
// command before it opens and read back only when it closes with OK.
#pragma once

#include "platform/ui/Dialog.h"

class CScaleDialog : public CDialog {
public:
    CScaleDialog() : CDialog(205) {}
    void DoDataExchange(CDataExchange* pDX) override;
    double m_numerator = 1.0;
    double m_denominator = 1.0;
};

class CTextAnchorDialog : public CDialog {
public:
    CTextAnchorDialog() : CDialog(134) {}
    BOOL OnInitDialog() override;
    int m_anchor = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnAnchorClicked(UINT id);
};

class CTextParamDialog : public CDialog {
public:
    CTextParamDialog() : CDialog(180) {}
    void DoDataExchange(CDataExchange* pDX) override;
    double m_charSpacing = 1.0;
    double m_slantDegrees = 15.0;
    int m_slantAlongLine = 0;
    int m_rightToLeft = 0;
    double m_boxRatioMin = 0.5;
    double m_boxRatioMax = 4.0;
    double m_underlineRatio = 0.1;
    int m_tabShift = 2;
    CString m_subscriptMarker;
    CString m_rubyMarker;
};

class CFindSettingsDialog : public CDialog {
public:
    CFindSettingsDialog() : CDialog(133) {}
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    int m_zoomWindowKind = 0;
    UINT m_pickHalfSize = 20;
    UINT m_zoomWindowFactor = 10;
    int m_zoomRatio = 5;
    int m_dragLength = 25;
    int m_crossingWidth = 10;
};

class CDisplaySettingsDialog : public CDialog {
public:
    CDisplaySettingsDialog() : CDialog(209) {}
    void DoDataExchange(CDataExchange* pDX) override;
    double m_paperHeight = 297.0;
    double m_paperWidth = 420.0;
    int m_windowHeight = 200;
    int m_windowWidth = 200;
    int m_axisLength = 100;
    int m_mousePointSize = 20;
    int m_constraintPointSize = 20;
    int m_basePointSize = 20;
    int m_dataPointSize = 10;
    int m_cutLineSize = 10;
    int m_errPointerSize = 60;
    double m_grayRatio = 0.5;
    double m_ellipseStep = 5.0;
    int m_screenCount = 30;
    int m_screenSeconds = 3;
    int m_roundDigits = 3;
    int m_coordPrecision = 6;
    int m_messageDigits = 3;
    double m_rangeHigh = 1e6;
    double m_rangeLow = 1e-4;
    double m_showAllRatio = 1.1;
    int m_messageFontSize = 20;
};

class CCreateCondDialog : public CDialog {
public:
    CCreateCondDialog() : CDialog(201) {}
    void DoDataExchange(CDataExchange* pDX) override;
    BYTE m_blurCount = 3;
    BYTE m_blurRate = 70;
    int m_blurMode = 0;
    int m_divisionCount = 500;
    double m_centroidLength = 20.0;
    double m_hatchSpacing = 2.0;
    int m_polygonGroup = 1;
    int m_rectangleGroup = 1;
};

class CDimParamDialog : public CDialog {
public:
    CDimParamDialog() : CDialog(211) {}
    void DoDataExchange(CDataExchange* pDX) override;
    int m_decimals = 2;
    double m_arrowAngle = 15.0;
    double m_arrowLength = 3.0;
    double m_dotSize = 1.0;
    int m_dotEnds = 0;
    double m_extension = 6.0;
    double m_overshoot = 1.0;
    double m_gap = 1.0;
    double m_balloonRatio = 0.9;
    CString m_diameterMark;
    CString m_degreeMark;
    int m_balloonMode = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnArrowLengthLeft();
};

class CPrintParamDialog : public CDialog {
public:
    CPrintParamDialog() : CDialog(212) {}
    void DoDataExchange(CDataExchange* pDX) override;
    int m_printPoints = 1;
    int m_replaceCount = 10;
    double m_paperRatio = 1.05;
    int m_complementOnPrint = 1;
    int m_reverseTextAngle = 0;
    int m_printPath = 0;
    int m_printDate = 0;
    int m_autoOrientation = 1;
    int m_thickAtWidth = 0;
    int m_thinDark = 0;
    int m_lineTypesByPrinter = 0;
    int m_noPageSetup = 0;
    int m_registerMarks = 0;
    double m_textFontScale = 1.0;
};

class COtherParamDialog : public CDialog {
public:
    COtherParamDialog() : CDialog(213) {}
    void DoDataExchange(CDataExchange* pDX) override;
    int m_recoveryCount = 10;
    int m_historyLength = 30;
    double m_doubleClickWait = 0.3;
    double m_saveDelay = 1.5;
};

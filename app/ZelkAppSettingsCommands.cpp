// The settings menu: scale, text alignment, the four text shapes, text parameters, the search
// and display settings, blur lines and creation conditions, dimension, print and other
// parameters. Each dialog is filled from the settings and read back only on OK.
#include "app/ColorSettingsDialog.h"
#include "app/MainFrame.h"
#include "app/SettingsDialogs.h"
#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"

#include <cmath>

namespace {

void RepaintAllDrawings(CMultiDocTemplate* docTemplate)
{
    if (!docTemplate)
        return;
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;)
        static_cast<CZelkDoc*>(docTemplate->GetNextDoc(pos))->UpdateAndPaintAllViews();
}

// Milliseconds from seconds, as the dialog stores them: truncated.
int Milliseconds(double seconds)
{
    return static_cast<int>(seconds * 1000.0 + 1e-9);
}

} // namespace

CString CZelkApp::FormatScaleText(CZelkDoc* doc)
{
    double scale = doc ? doc->m_ratio : 1.0;
    RoundToSignificant(scale, m_appAcc.messageDigits());
    return CString("尺度") + DoubleToString(scale);
}

void CZelkApp::OnScale()
{
    if (ShowHelpInstead(32899))
        return;
    CZelkDoc* doc = GetActiveDrawingDoc();
    if (!doc) {
        AfxMessageBox("アクティブなドキュメントがありません", MB_OK);
        return;
    }
    CScaleDialog dlg;
    dlg.m_numerator = doc->m_ratio;
    dlg.m_denominator = 1.0;
    if (dlg.DoModal() == IDOK)
        doc->m_ratio = dlg.m_numerator / dlg.m_denominator;
    ShowMessage(FormatScaleText(doc), 0);
}

void CZelkApp::OnUpdateScale(CCmdUI* pCmdUI)
{
    if (CZelkDoc* doc = GetActiveDrawingDoc())
        pCmdUI->SetCheck(doc->m_ratio != 1.0 ? 1 : 0);
}

BOOL CZelkApp::ChooseTextAlignment()
{
    RedrawAllPreviews();
    CTextAnchorDialog dlg;
    dlg.m_anchor = m_appText.m_anchor;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    m_appText.SetAnchor(dlg.m_anchor);
    m_appText.StoreAnchorInCurrent();
    return TRUE;
}

void CZelkApp::OnTextAlignment()
{
    if (ShowHelpInstead(32930))
        return;
    ChooseTextAlignment();
}

void CZelkApp::UpdatePlacingTextBox(CZelkDoc* doc)
{
    if (m_interruptKind == 7) {
        if (doc->m_textCmdInt)
            doc->m_textCmdInt->UpdateTextBox(0);
    } else if (m_commandKind == 7 && doc->m_textCmd) {
        doc->m_textCmd->UpdateTextBox(0);
    }
}

void CZelkApp::UpdateTextBoxes(CZelkDoc* doc)
{
    if (doc->m_textCmdInt)
        doc->m_textCmdInt->UpdateTextBox(0);
    if (doc->m_textCmd)
        doc->m_textCmd->UpdateTextBox(0);
}

void CZelkApp::RefreshPlacedTextBox(CZelkDoc* doc)
{
    UpdatePlacingTextBox(doc);
    ComputePreview(doc);
}

void CZelkApp::ApplyTextShapeCommand(UINT commandId, BYTE shape)
{
    if (ShowHelpInstead(commandId))
        return;
    m_appText.SaveShape();
    m_appText.SetShapeForm(shape);
    if (m_appElem.m_creationEnv == 0)
        m_atrCurrent.m_text.AssignAttributes(m_appText);
    CZelkDoc* doc = GetActiveDrawingDoc();
    if (!doc)
        return;
    if (shape == 4) {
        RefreshPlacedTextBox(doc);
        return;
    }
    UpdateTextBoxes(doc);
    ComputePreview(doc);
    DispatchInputEvent(doc, 16, 0);
}

void CZelkApp::OnTextShapeStandard() { ApplyTextShapeCommand(32820, 1); }
void CZelkApp::OnTextShapeHorizontal() { ApplyTextShapeCommand(32825, 2); }
void CZelkApp::OnTextShapeVertical() { ApplyTextShapeCommand(32821, 3); }
void CZelkApp::OnTextShapeSlant() { ApplyTextShapeCommand(32822, 4); }

void CZelkApp::OnTextParameters()
{
    if (ShowHelpInstead(32824))
        return;
    CTextParamDialog dlg;
    CAppText& t = m_appText;
    dlg.m_charSpacing = t.m_charSpacing;
    dlg.m_slantDegrees = t.m_slantAngle * 0.1;
    dlg.m_slantAlongLine = t.m_slantAlongLine;
    dlg.m_rightToLeft = t.m_rightToLeft;
    dlg.m_boxRatioMin = t.m_boxRatioMin;
    dlg.m_boxRatioMax = t.m_boxRatioMax;
    dlg.m_underlineRatio = t.m_subscriptRatio;
    dlg.m_tabShift = t.m_tabShift;
    dlg.m_subscriptMarker = t.m_subscriptMarker;
    dlg.m_rubyMarker = t.m_rubyMarker;
    if (dlg.DoModal() != IDOK)
        return;
    t.SetSlantAngle(dlg.m_slantDegrees * 10.0);
    t.SetSlantAlongLine(dlg.m_slantAlongLine);
    t.SetCharSpacing(dlg.m_charSpacing);
    t.SetRightToLeft(dlg.m_rightToLeft);
    t.m_tabShift = static_cast<short>(dlg.m_tabShift);
    t.m_subscriptMarker = dlg.m_subscriptMarker;
    t.m_rubyMarker = dlg.m_rubyMarker;
    t.m_boxRatioMin = dlg.m_boxRatioMin;
    t.m_boxRatioMax = dlg.m_boxRatioMax;
    t.m_subscriptRatio = dlg.m_underlineRatio;
    if (CZelkDoc* doc = GetActiveDrawingDoc())
        RefreshPlacedTextBox(doc);
}

void CZelkApp::OnResultsToTextWindow()
{
    if (ShowHelpInstead(33076))
        return;
    m_resultsToTextWindow = !m_resultsToTextWindow;
}

void CZelkApp::OnFindSettings()
{
    if (ShowHelpInstead(32771))
        return;
    CFindSettingsDialog dlg;
    dlg.m_zoomWindowKind = m_appDraw.zoomWindowMode;
    dlg.m_pickHalfSize = static_cast<UINT>(m_appFind.pickHalfSize);
    dlg.m_zoomWindowFactor = m_appDraw.zoomWindowFactor;
    dlg.m_zoomRatio = static_cast<int>(m_appDraw.zoomStepFactor);
    dlg.m_dragLength = m_appFind.gestureZoneSize;
    dlg.m_crossingWidth = m_appFind.boxColorThreshold;
    if (dlg.DoModal() != IDOK)
        return;
    m_appDraw.zoomWindowMode = static_cast<short>(dlg.m_zoomWindowKind);
    m_appFind.pickHalfSize = static_cast<short>(dlg.m_pickHalfSize);
    m_appDraw.zoomWindowFactor = static_cast<WORD>(dlg.m_zoomWindowFactor);
    m_appDraw.zoomStepFactor = dlg.m_zoomRatio;
    m_appFind.gestureZoneSize = static_cast<short>(dlg.m_dragLength);
    m_appFind.boxColorThreshold = static_cast<short>(dlg.m_crossingWidth);
}

void CZelkApp::OnDisplaySettings()
{
    if (ShowHelpInstead(32924))
        return;
    CAppDraw& d = m_appDraw;
    CDisplaySettingsDialog dlg;
    dlg.m_paperHeight = d.m_initialArea.m_top;
    dlg.m_paperWidth = d.m_initialArea.m_right;
    dlg.m_windowHeight = d.m_newWindowHeight;
    dlg.m_windowWidth = d.m_newWindowWidth;
    dlg.m_axisLength = d.originMarkSize;
    dlg.m_mousePointSize = d.pointerCrossSize;
    dlg.m_constraintPointSize = d.referenceMarkSize;
    dlg.m_basePointSize = d.crossMarkSize;
    dlg.m_dataPointSize = d.pointCrossSize;
    dlg.m_cutLineSize = d.directionMarkSize;
    dlg.m_errPointerSize = d.pointerMarkSize;
    dlg.m_grayRatio = d.grayRatio;
    dlg.m_ellipseStep = d.m_ellipseStep;
    dlg.m_screenCount = d.historyMax;
    dlg.m_screenSeconds = d.historyInterval;
    dlg.m_roundDigits = m_appAcc.m_decimals;
    dlg.m_coordPrecision = m_appAcc.m_digits2;
    dlg.m_messageDigits = m_appAcc.m_digits1;
    dlg.m_rangeHigh = m_appAcc.m_rangeHigh;
    dlg.m_rangeLow = m_appAcc.m_rangeLow;
    dlg.m_showAllRatio = d.showAllMargin;
    dlg.m_messageFontSize = d.messageFontHeight;
    if (dlg.DoModal() != IDOK)
        return;
    d.m_initialArea.m_top = dlg.m_paperHeight;
    d.m_initialArea.m_right = dlg.m_paperWidth;
    d.m_newWindowHeight = dlg.m_windowHeight;
    d.m_newWindowWidth = dlg.m_windowWidth;
    d.originMarkSize = static_cast<short>(dlg.m_axisLength);
    d.pointerCrossSize = static_cast<short>(dlg.m_mousePointSize);
    d.referenceMarkSize = static_cast<short>(dlg.m_constraintPointSize);
    d.crossMarkSize = static_cast<short>(dlg.m_basePointSize);
    d.pointCrossSize = static_cast<short>(dlg.m_dataPointSize);
    d.directionMarkSize = static_cast<short>(dlg.m_cutLineSize);
    d.pointerMarkSize = static_cast<short>(dlg.m_errPointerSize);
    d.grayRatio = dlg.m_grayRatio;
    d.m_ellipseStep = dlg.m_ellipseStep;
    d.historyMax = static_cast<short>(dlg.m_screenCount);
    d.historyInterval = static_cast<short>(dlg.m_screenSeconds);
    m_appAcc.m_decimals = static_cast<short>(dlg.m_roundDigits);
    m_appAcc.m_digits2 = static_cast<short>(dlg.m_coordPrecision);
    m_appAcc.m_digits1 = static_cast<short>(dlg.m_messageDigits);
    m_appAcc.m_rangeHigh = dlg.m_rangeHigh;
    m_appAcc.m_rangeLow = dlg.m_rangeLow;
    d.showAllMargin = dlg.m_showAllRatio;
    d.messageFontHeight = static_cast<short>(dlg.m_messageFontSize);
    d.m_viewPoint.m_x = 0.0;
    RepaintAllDrawings(m_pDocTemplate);
}

void CZelkApp::OnColorSettings()
{
    if (ShowHelpInstead(32826))
        return;
    CColorSettingsDialog dlg;
    dlg.m_colors.Copy(m_appColor.m_userColors);
    dlg.m_complementThreshold = m_appColor.complementThreshold;
    dlg.m_complementFlag = m_appColor.adjustOnScreen;
    if (dlg.DoModal() != IDOK)
        return;
    m_appColor.m_userColors.RemoveAll();
    for (INT_PTR i = 0; i < dlg.m_colors.GetSize(); ++i)
        if (m_appColor.FindStandardColor(static_cast<COLORREF>(dlg.m_colors[i])) == CAppColor::kNotFound)
            m_appColor.m_userColors.Add(dlg.m_colors[i]);
    m_appColor.ClearColorCombo();
    if (m_pMainFrame)
        m_appColor.FillColorCombo(&m_pMainFrame->m_wndInputBar.m_colorBox);
    m_appColor.adjustOnScreen = static_cast<BYTE>(dlg.m_complementFlag);
    m_appColor.complementThreshold = static_cast<BYTE>(dlg.m_complementThreshold);
    RepaintAllDrawings(m_pDocTemplate);
}

void CZelkApp::OnBlurMode()
{
    if (ShowHelpInstead(32883))
        return;
    m_appElem.m_blurMode = !m_appElem.m_blurMode;
}

void CZelkApp::OnCreateConditions()
{
    if (ShowHelpInstead(32884))
        return;
    CAppElem& e = m_appElem;
    CCreateCondDialog dlg;
    dlg.m_blurCount = e.m_blurCount ? e.m_blurCount : 3;
    dlg.m_blurRate = e.m_blurRate;
    dlg.m_blurMode = e.m_blurMode;
    dlg.m_divisionCount = e.m_stripCount;
    dlg.m_centroidLength = e.m_centroidHalfLength * 2.0;
    dlg.m_hatchSpacing = e.m_hatchPitch;
    dlg.m_polygonGroup = e.m_circleOption;
    dlg.m_rectangleGroup = e.m_lineOption;
    if (dlg.DoModal() != IDOK)
        return;
    e.SetBlurCount(dlg.m_blurCount);
    e.SetBlurRate(dlg.m_blurRate);
    e.m_blurMode = dlg.m_blurMode;
    e.m_stripCount = static_cast<short>(dlg.m_divisionCount);
    e.m_centroidHalfLength = dlg.m_centroidLength * 0.5;
    e.m_hatchPitch = dlg.m_hatchSpacing;
    e.m_circleOption = dlg.m_polygonGroup;
    e.m_lineOption = dlg.m_rectangleGroup;
    m_atrCurrent.m_blurCount = e.m_blurCount;
    m_atrCurrent.m_blurRate = e.m_blurRate;
}

void CZelkApp::OnDimensionSettings()
{
    if (ShowHelpInstead(32925))
        return;
    CAppElem& e = m_appElem;
    CDimParamDialog dlg;
    dlg.m_decimals = e.m_dimDecimals;
    dlg.m_arrowAngle = e.m_arrowAngle;
    dlg.m_arrowLength = e.m_arrowLength;
    dlg.m_dotSize = e.m_dotSize;
    dlg.m_dotEnds = e.m_dotEnds;
    dlg.m_extension = e.m_dimExtension;
    dlg.m_overshoot = e.m_extOvershoot;
    dlg.m_gap = e.m_extGap;
    dlg.m_balloonRatio = e.m_balloonTextRatio;
    dlg.m_diameterMark = e.m_diameterMark;
    dlg.m_degreeMark = e.m_degreeMark;
    dlg.m_balloonMode = m_dimOption;
    if (dlg.DoModal() != IDOK)
        return;
    e.m_dimDecimals = static_cast<short>(dlg.m_decimals);
    e.m_arrowAngle = dlg.m_arrowAngle;
    e.m_arrowLength = dlg.m_arrowLength;
    e.m_dotSize = dlg.m_dotSize;
    e.m_dotEnds = dlg.m_dotEnds;
    e.m_dimExtension = dlg.m_extension;
    e.m_extOvershoot = dlg.m_overshoot;
    e.m_extGap = dlg.m_gap;
    e.m_balloonTextRatio = dlg.m_balloonRatio;
    e.m_diameterMark = dlg.m_diameterMark;
    e.m_degreeMark = dlg.m_degreeMark;
    m_dimOption = dlg.m_balloonMode;
}

void CZelkApp::OnPrintSettings()
{
    if (ShowHelpInstead(32926))
        return;
    CPrintParamDialog dlg;
    dlg.m_printPoints = m_printOption1;
    dlg.m_replaceCount = m_printOption2;
    dlg.m_paperRatio = m_printRatio;
    dlg.m_complementOnPrint = m_appColor.adjustOnPrint;
    dlg.m_reverseTextAngle = m_slantedPrintOption == 255 ? 1 : 0;
    dlg.m_printPath = m_printOption3;
    dlg.m_printDate = m_printOption4;
    dlg.m_autoOrientation = m_printOption5;
    dlg.m_thickAtWidth = m_printOption6;
    dlg.m_thinDark = m_printOption7;
    dlg.m_lineTypesByPrinter = m_printLineTypesByPrinter;
    dlg.m_noPageSetup = m_printNoPageSetup;
    dlg.m_registerMarks = m_printRegisterMarks;
    dlg.m_textFontScale = m_textPrintScale;
    if (dlg.DoModal() != IDOK)
        return;
    m_printOption1 = dlg.m_printPoints;
    m_printOption2 = static_cast<BYTE>(dlg.m_replaceCount);
    m_printRatio = dlg.m_paperRatio;
    m_appColor.adjustOnPrint = dlg.m_complementOnPrint;
    m_slantedPrintOption = dlg.m_reverseTextAngle ? 255 : 1;
    m_printOption3 = dlg.m_printPath;
    m_printOption4 = dlg.m_printDate;
    m_printOption5 = dlg.m_autoOrientation;
    m_printOption6 = dlg.m_thickAtWidth;
    m_printOption7 = dlg.m_thinDark;
    m_printLineTypesByPrinter = dlg.m_lineTypesByPrinter;
    m_printNoPageSetup = dlg.m_noPageSetup;
    m_printRegisterMarks = dlg.m_registerMarks;
    m_textPrintScale = dlg.m_textFontScale;
}

void CZelkApp::OnOtherSettings()
{
    if (ShowHelpInstead(32928))
        return;
    COtherParamDialog dlg;
    dlg.m_recoveryCount = m_recoveryInterval;
    dlg.m_historyLength = m_historyLength;
    dlg.m_doubleClickWait = m_timerInterval * 0.001;
    dlg.m_saveDelay = m_saveInterval * 0.001;
    if (dlg.DoModal() != IDOK)
        return;
    m_recoveryInterval = static_cast<BYTE>(dlg.m_recoveryCount);
    m_historyLength = static_cast<BYTE>(dlg.m_historyLength);
    m_timerInterval = Milliseconds(dlg.m_doubleClickWait);
    m_saveInterval = Milliseconds(dlg.m_saveDelay);
}

// The settings dialogs: their fields, ranges and the few steps they take while open.
#include "app/SettingsDialogs.h"

namespace {

// The anchor buttons and their codes: vertical part (top 0, middle 32, bottom 8) plus
// horizontal part (left 0, center 6, right 2).
struct CAnchorButton {
    int id;
    int code;
};
constexpr CAnchorButton kAnchorButtons[] = {
    { 1027, 0 }, { 1028, 6 }, { 1029, 2 },
    { 1024, 32 }, { 1025, 38 }, { 1026, 34 },
    { 1021, 8 }, { 1022, 14 }, { 1023, 10 },
};

} // namespace

void CScaleDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1035, m_numerator);
    DDV_MinMaxDouble(pDX, m_numerator, 1e-17, 1e9);
    DDX_Text(pDX, 1036, m_denominator);
    DDV_MinMaxDouble(pDX, m_denominator, 0.001, 1e16);
}

BEGIN_MESSAGE_MAP(CTextAnchorDialog, CDialog)
    ON_COMMAND_RANGE(1021, 1029, OnAnchorClicked)
END_MESSAGE_MAP()

BOOL CTextAnchorDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const CAnchorButton& b : kAnchorButtons)
        CheckDlgButton(b.id, b.code == m_anchor ? 1 : 0);
    return TRUE;
}

void CTextAnchorDialog::OnAnchorClicked(UINT)
{
    if (!UpdateData(TRUE))
        return;
    for (const CAnchorButton& b : kAnchorButtons) {
        if (IsDlgButtonChecked(b.id)) {
            m_anchor = b.code;
            break;
        }
    }
    EndDialog(IDOK);
}

void CTextParamDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1018, m_charSpacing);
    DDX_Text(pDX, 1002, m_slantDegrees);
    DDV_MinMaxDouble(pDX, m_slantDegrees, -360.0, 360.0);
    DDX_Check(pDX, 1021, m_slantAlongLine);
    DDX_Check(pDX, 1024, m_rightToLeft);
    DDX_Text(pDX, 1077, m_boxRatioMin);
    DDV_MinMaxDouble(pDX, m_boxRatioMin, 0.1, 1.0);
    DDX_Text(pDX, 1078, m_boxRatioMax);
    DDV_MinMaxDouble(pDX, m_boxRatioMax, 1.0, 10.0);
    DDX_Text(pDX, 1079, m_underlineRatio);
    DDV_MinMaxDouble(pDX, m_underlineRatio, 0.0, 1.0);
    DDX_Text(pDX, 1022, m_tabShift);
    DDX_Text(pDX, 1075, m_subscriptMarker);
    DDX_Text(pDX, 1076, m_rubyMarker);
}

void CFindSettingsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, 1000, m_zoomWindowKind);
    DDX_Text(pDX, 1004, m_pickHalfSize);
    DDV_MinMaxUInt(pDX, m_pickHalfSize, 0, 50);
    DDX_Text(pDX, 1003, m_zoomWindowFactor);
    DDV_MinMaxUInt(pDX, m_zoomWindowFactor, 1, 20);
    DDX_Text(pDX, 1093, m_zoomRatio);
    DDV_MinMaxInt(pDX, m_zoomRatio, 2, 30);
    DDX_Text(pDX, 1092, m_dragLength);
    DDV_MinMaxInt(pDX, m_dragLength, 1, 100);
    DDX_Text(pDX, 1094, m_crossingWidth);
    DDV_MinMaxInt(pDX, m_crossingWidth, 1, 30);
}

// Enter walks the two first fields before it closes the dialog.
void CFindSettingsDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CWnd* focus = CWnd::GetFocus();
    const int id = focus ? focus->GetDlgCtrlID() : 0;
    if (id == 1004)
        GotoDlgCtrl(GetDlgItem(1003));
    else if (id == 1003)
        GotoDlgCtrl(GetDlgItem(IDOK));
    else
        EndDialog(IDOK);
}

void CDisplaySettingsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    struct IntField {
        int id;
        int* value;
        int lo, hi;
    };
    struct DoubleField {
        int id;
        double* value;
        double lo, hi;
    };
    DDX_Text(pDX, 1036, m_paperHeight);
    DDV_MinMaxDouble(pDX, m_paperHeight, 10.0, 1000000.0);
    DDX_Text(pDX, 1037, m_paperWidth);
    DDV_MinMaxDouble(pDX, m_paperWidth, 10.0, 1000000.0);
    const IntField ints[] = {
        { 1038, &m_windowHeight, 50, 500 },   { 1039, &m_windowWidth, 50, 500 },
        { 1040, &m_axisLength, 1, 500 },      { 1041, &m_mousePointSize, 0, 30 },
        { 1042, &m_constraintPointSize, 0, 30 }, { 1043, &m_basePointSize, 0, 30 },
        { 1044, &m_dataPointSize, 0, 30 },    { 1045, &m_cutLineSize, 0, 20 },
        { 1046, &m_errPointerSize, 0, 200 },
    };
    for (const IntField& f : ints) {
        DDX_Text(pDX, f.id, *f.value);
        DDV_MinMaxInt(pDX, *f.value, f.lo, f.hi);
    }
    DDX_Text(pDX, 1049, m_grayRatio);
    DDV_MinMaxDouble(pDX, m_grayRatio, 0.0, 1.0);
    // A step of 0 would never end the polyline of an ellipse: the dialog takes a tenth at least.
    DDX_Text(pDX, 1050, m_ellipseStep);
    DDV_MinMaxDouble(pDX, m_ellipseStep, 0.1, 30.0);
    const IntField more[] = {
        { 1051, &m_screenCount, 0, 1000 }, { 1053, &m_screenSeconds, 1, 10 },
        { 1054, &m_roundDigits, 0, 20 },   { 1055, &m_coordPrecision, 0, 10 },
        { 1056, &m_messageDigits, 0, 20 },
    };
    for (const IntField& f : more) {
        DDX_Text(pDX, f.id, *f.value);
        DDV_MinMaxInt(pDX, *f.value, f.lo, f.hi);
    }
    const DoubleField doubles[] = {
        { 1057, &m_rangeHigh, 0.0, 1e20 }, { 1058, &m_rangeLow, 0.0, 1000.0 }, { 1100, &m_showAllRatio, 0.5, 2.0 },
    };
    for (const DoubleField& f : doubles) {
        DDX_Text(pDX, f.id, *f.value);
        DDV_MinMaxDouble(pDX, *f.value, f.lo, f.hi);
    }
    DDX_Text(pDX, 1162, m_messageFontSize);
    DDV_MinMaxInt(pDX, m_messageFontSize, 1, 80);
}

void CCreateCondDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, 1034, m_blurMode);
    DDX_Text(pDX, 1031, m_blurCount);
    DDV_MinMaxByte(pDX, m_blurCount, 1, 100);
    DDX_Text(pDX, 1032, m_blurRate);
    DDV_MinMaxByte(pDX, m_blurRate, 0, 100);
    DDX_Text(pDX, 1080, m_hatchSpacing);
    DDV_MinMaxDouble(pDX, m_hatchSpacing, 0.1, 100.0);
    DDX_Text(pDX, 1081, m_divisionCount);
    DDV_MinMaxInt(pDX, m_divisionCount, 100, 10000);
    DDX_Text(pDX, 1082, m_centroidLength);
    DDV_MinMaxDouble(pDX, m_centroidLength, 1.0, 100.0);
    DDX_Check(pDX, 1085, m_rectangleGroup);
    DDX_Check(pDX, 1086, m_polygonGroup);
}

BEGIN_MESSAGE_MAP(CDimParamDialog, CDialog)
    ON_EN_KILLFOCUS(1062, OnArrowLengthLeft)
END_MESSAGE_MAP()

void CDimParamDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1060, m_decimals);
    DDV_MinMaxInt(pDX, m_decimals, 0, 5);
    DDX_Text(pDX, 1061, m_arrowAngle);
    DDV_MinMaxDouble(pDX, m_arrowAngle, 0.0, 60.0);
    DDX_Text(pDX, 1062, m_arrowLength);
    DDV_MinMaxDouble(pDX, m_arrowLength, 0.0, 1000.0);
    DDX_Text(pDX, 1063, m_dotSize);
    DDV_MinMaxDouble(pDX, m_dotSize, 0.0, 3.0);
    DDX_Check(pDX, 1071, m_dotEnds);
    DDX_Text(pDX, 1065, m_extension);
    DDV_MinMaxDouble(pDX, m_extension, 0.0, 2000.0);
    DDX_Text(pDX, 1068, m_overshoot);
    DDV_MinMaxDouble(pDX, m_overshoot, 0.0, 10.0);
    DDX_Text(pDX, 1069, m_gap);
    DDV_MinMaxDouble(pDX, m_gap, 0.0, 10.0);
    DDX_Text(pDX, 1070, m_balloonRatio);
    DDV_MinMaxDouble(pDX, m_balloonRatio, 0.0, 1.0);
    DDX_Text(pDX, 1066, m_diameterMark);
    DDX_Text(pDX, 1067, m_degreeMark);
    DDX_Check(pDX, 1164, m_balloonMode);
}

// Outside arrows take twice the arrow length as the dimension line's extension.
void CDimParamDialog::OnArrowLengthLeft()
{
    if (!UpdateData(TRUE))
        return;
    m_extension = 2.0 * m_arrowLength;
    UpdateData(FALSE);
}

void CPrintParamDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, 1072, m_printPoints);
    DDX_Text(pDX, 1073, m_replaceCount);
    DDV_MinMaxInt(pDX, m_replaceCount, 1, 100);
    DDX_Text(pDX, 1074, m_paperRatio);
    DDV_MinMaxDouble(pDX, m_paperRatio, 0.1, 10.0);
    DDX_Check(pDX, 1099, m_complementOnPrint);
    DDX_Check(pDX, 1137, m_reverseTextAngle);
    DDX_Check(pDX, 1141, m_printPath);
    DDX_Check(pDX, 1142, m_printDate);
    DDX_Check(pDX, 1143, m_autoOrientation);
    DDX_Check(pDX, 1156, m_thickAtWidth);
    DDX_Check(pDX, 1157, m_thinDark);
    DDX_Check(pDX, 1158, m_lineTypesByPrinter);
    DDX_Check(pDX, 1161, m_noPageSetup);
    DDX_Check(pDX, 1140, m_registerMarks);
    DDX_Text(pDX, 1183, m_textFontScale);
    DDV_MinMaxDouble(pDX, m_textFontScale, 0.1, 5.0);
}

void COtherParamDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1087, m_recoveryCount);
    DDV_MinMaxInt(pDX, m_recoveryCount, 1, 200);
    DDX_Text(pDX, 1088, m_historyLength);
    DDV_MinMaxInt(pDX, m_historyLength, 1, 40);
    DDX_Text(pDX, 1090, m_doubleClickWait);
    DDV_MinMaxDouble(pDX, m_doubleClickWait, 0.1, 1.0);
    DDX_Text(pDX, 1175, m_saveDelay);
    DDV_MinMaxDouble(pDX, m_saveDelay, 0.0, 3.0);
}

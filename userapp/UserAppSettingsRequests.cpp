// Settings requests: a plug-in reads one of the application's settings records into its slot's
// record (100-107) and writes it back (120-127). Values written back are kept inside the ranges
// the settings dialogs allow, as they are when the settings archive is read.
#include "userapp/UserAppRequests.h"

#include "app/ZelkApp.h"
#include "userapp/UserAppBlock.h"

#include <array>
#include <iterator>

namespace {

// One carried member, into the record (a get request) or back into the settings (a set).
template <class Field, class Setting>
void Move(Field& field, Setting& setting, bool toRecord)
{
    if (toRecord)
        field = static_cast<Field>(setting);
    else
        setting = static_cast<Setting>(field);
}

// The display record carries the display settings in the order of the record's fields; the
// record has no room for the mark sizes, the initial area, the view point and the last of the
// display values, which stay with the application.
template <class Record, class Draw>
void ExchangeDraw(Record& r, Draw& d, bool toRecord)
{
    auto move = [toRecord](auto& field, auto& setting) { Move(field, setting, toRecord); };
    move(r.m_int00, d.m_displayFlag1);
    move(r.m_int04, d.m_displayFlag2);
    move(r.m_short08, d.zoomWindowFactor);
    move(r.m_double10, d.zoomStepFactor);
    move(r.m_zoomWindowKind, d.zoomWindowMode);
    move(r.m_int1C, d.m_displayFlag3);
    move(r.m_int20, d.zoomWindowClosed);
    move(r.m_short24, d.candidateLimitNoZoomWindow);
    move(r.m_short26, d.candidateLimit);
    move(r.m_double28, d.showAllMargin);
    move(r.m_ints30[0], d.grayDisplay);
    move(r.m_ints30[1], d.showHintLine);
    move(r.m_ints30[2], d.m_showTextUnderline);
    move(r.m_ints30[3], d.m_barBits);
    move(r.m_ints30[4], d.m_newWindowHeight);
    move(r.m_ints30[5], d.m_newWindowWidth);
    move(r.m_ints30[6], d.penWidthMode);
    move(r.m_ints30[7], d.m_stepCount);
    move(r.m_double50, d.m_coincidenceTolerance);
    move(r.m_double58, d.grayRatio);
    move(r.m_shorts60[0], d.m_pickLimit3);
    move(r.m_shorts60[1], d.m_pickLimit4);
    move(r.m_shorts60[2], d.m_pickLimit5);
    move(r.m_shorts60[3], d.m_pickLimit6);
    move(r.m_shorts60[4], d.m_pickLimit7);
    move(r.m_shorts60[5], d.m_pickLimit8);
    move(r.m_shorts60[6], d.historyInterval);
    move(r.m_shorts60[7], d.m_displayValue6);
    move(r.m_double70, d.m_ellipseStep);
    move(r.m_double78, d.m_viewPoint.m_x);
    move(r.m_short80, d.historyMax);
    move(r.m_short82, d.messageFontHeight);
    move(r.m_short84, d.m_displayValue8);
    move(r.m_short86, d.m_displayValue9);
}

void ExchangeAcc(UserAppAccRecord& r, CAppAcc& a, bool toRecord)
{
    Move(r.m_digits1, a.m_digits1, toRecord);
    Move(r.m_digits2, a.m_digits2, toRecord);
    Move(r.m_decimals, a.m_decimals, toRecord);
    Move(r.m_rangeHigh, a.m_rangeHigh, toRecord);
    Move(r.m_rangeLow, a.m_rangeLow, toRecord);
}

// The folders a plug-in sees, in the record's order: the two drawing folders, the two macro
// folders, the user-application folder, the two text folders (macro folders to the plug-in)
// and the symbol folder.
template <class Path>
std::array<CString*, 8> Folders(Path& p)
{
    return {&p.m_initialDataFolder, &p.m_dataFolder,        &p.m_initialMacroFolder, &p.m_macroFolder,
            &p.m_appFolder,         &p.m_initialTextFolder, &p.m_textFolder,         &p.m_symbolFolder};
}

std::array<CString*, 8> RecordFolders(UserAppPathRecord& r)
{
    return {&r.m_dataFolder, &r.m_dataFolder2,  &r.m_macroFolder,  &r.m_macroFolder2,
            &r.m_appFolder,  &r.m_macroFolder3, &r.m_macroFolder4, &r.m_symbolFolder};
}

// The last two members of the selection settings hold the last pick's result and the number
// of points the last point search found.
void ExchangeFind(UserAppFindRecord& r, CAppFind& f, bool toRecord)
{
    Move(r.m_toggleSelection, f.toggleSelection, toRecord);
    Move(r.m_layerWiseSelection, f.layerWiseSelection, toRecord);
    Move(r.m_boxSelectionMode, f.boxSelectionMode, toRecord);
    Move(r.m_userOption1, f.m_userOption1, toRecord);
    Move(r.m_userOption2, f.m_userOption2, toRecord);
    Move(r.m_annotationGroupSelectMode, f.annotationGroupSelectMode, toRecord);
    Move(r.m_groupSelectMode, f.groupSelectMode, toRecord);
    Move(r.m_selectableKinds, f.selectableKinds, toRecord);
    Move(r.m_searchMask, f.m_searchMask, toRecord);
    Move(r.m_pickHalfSize, f.pickHalfSize, toRecord);
    Move(r.m_gestureZoneSize, f.gestureZoneSize, toRecord);
    Move(r.m_boxColorThreshold, f.boxColorThreshold, toRecord);
    Move(r.m_tolerance4, f.m_tolerance4, toRecord);
    Move(r.m_lastPickResult, f.m_userOption3, toRecord);
    Move(r.m_foundPointCount, f.m_userOption4, toRecord);
}

void AppendColors(CDWordArray& to, const CDWordArray& from)
{
    for (int i = 0; i < from.GetSize(); ++i)
        to.Add(from[i]);
}

// The members of the element-creation settings that the record carries and that have no
// setter of their own.
void ExchangeElemValues(UserAppElemRecord& r, CAppElem& e, bool toRecord)
{
    Move(r.m_hatchPitch, e.m_hatchPitch, toRecord);
    Move(r.m_stripCount, e.m_stripCount, toRecord);
    Move(r.m_centroidHalfLength, e.m_centroidHalfLength, toRecord);
    Move(r.m_creationEnv, e.m_creationEnv, toRecord);
    Move(r.m_layerCondition, e.m_layerCondition, toRecord);
    Move(r.m_blurMode, e.m_blurMode, toRecord);
    Move(r.m_lineOption, e.m_lineOption, toRecord);
    Move(r.m_circleOption, e.m_circleOption, toRecord);
    Move(r.m_draftMode, e.m_draftMode, toRecord);
    Move(r.m_dimDecimals, e.m_dimDecimals, toRecord);
    Move(r.m_arrowLength, e.m_arrowLength, toRecord);
    Move(r.m_dimExtension, e.m_dimExtension, toRecord);
    Move(r.m_diameterMark, e.m_diameterMark, toRecord);
    Move(r.m_degreeMark, e.m_degreeMark, toRecord);
    Move(r.m_extOvershoot, e.m_extOvershoot, toRecord);
    Move(r.m_balloonTextRatio, e.m_balloonTextRatio, toRecord);
}

void GetElem(UserAppElemRecord& r, CAppElem& e)
{
    r.m_thickWidth = e.m_thickWidth;
    r.m_lineWidth = e.m_lineWidth;
    r.m_lineType = e.m_lineType;
    r.m_color = e.m_color;
    ExchangeElemValues(r, e, true);
    r.m_blurCount = e.m_blurCount;
    r.m_blurRate = e.m_blurRate;
}

void SetElem(CAppElem& e, UserAppElemRecord& r)
{
    e.SetThickWidth(r.m_thickWidth);
    e.SetLineWidth(r.m_lineWidth);
    e.SetLineType(r.m_lineType);
    e.SetColor(r.m_color);
    ExchangeElemValues(r, e, false);
    e.SetBlurCount(r.m_blurCount);
    e.SetBlurRate(r.m_blurRate);
    e.ClampLoaded();
}

// The text settings that are copied without a setter: the tab shift, the saved shape, the
// layout ratios in the record's two groups and the marker strings.
void ExchangeTextValues(UserAppTextSetRecord& r, CAppText& t, bool toRecord)
{
    Move(r.m_tabShift, t.m_tabShift, toRecord);
    Move(r.m_savedShape, t.m_savedShape, toRecord);
    double* ratios1[] = {&t.m_subscriptRatio, &t.m_layoutRatio2, &t.m_layoutRatio3,
                         &t.m_layoutRatio4,   &t.m_layoutRatio5, &t.m_layoutRatio6};
    for (size_t i = 0; i < std::size(ratios1); ++i)
        Move(r.m_layoutRatios1[i], *ratios1[i], toRecord);
    Move(r.m_subscriptMarker, t.m_subscriptMarker, toRecord);
    Move(r.m_rubyMarker, t.m_rubyMarker, toRecord);
    double* ratios2[] = {&t.m_layoutRatio7,  &t.m_layoutRatio8, &t.m_layoutRatio9, &t.m_layoutRatio10,
                         &t.m_layoutRatio11, &t.m_boxRatioMin,  &t.m_boxRatioMax};
    for (size_t i = 0; i < std::size(ratios2); ++i)
        Move(r.m_layoutRatios2[i], *ratios2[i], toRecord);
}

void GetText(UserAppTextSetRecord& r, CAppText& t)
{
    r.m_anchor = t.m_anchor;
    r.m_widthTenths = t.m_widthTenths;
    r.m_heightTenths = t.m_heightTenths;
    r.m_logFont = t.m_logFont;
    r.m_shape = t.m_shape;
    r.m_formClass = t.m_formClass;
    r.m_direction = t.m_direction;
    r.m_formOption1 = t.m_formOption1;
    r.m_formOption2 = t.m_formOption2;
    r.m_rightToLeft = t.m_rightToLeft;
    r.m_charSpacing = t.m_charSpacing;
    r.m_slantAlongLine = t.m_slantAlongLine;
    r.m_slantAngle = t.m_slantAngle;
    ExchangeTextValues(r, t, true);
}

void SetText(CAppText& t, UserAppTextSetRecord& r)
{
    t.SetAnchor(r.m_anchor);
    t.SetSizeTenths(r.m_widthTenths, r.m_heightTenths);
    // The face name is a C string to every reader; the plug-in may not have ended it.
    LOGFONT font = r.m_logFont;
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    t.SetLogFont(font);
    t.SetShape(r.m_shape);
    t.SetFormClass(r.m_formClass);
    t.SetDirectionKind(r.m_direction);
    t.SetFormOption1(r.m_formOption1);
    t.SetFormOption2(r.m_formOption2);
    t.SetRightToLeft(r.m_rightToLeft);
    t.SetCharSpacing(r.m_charSpacing);
    t.SetSlantAlongLine(r.m_slantAlongLine);
    t.SetSlantAngle(r.m_slantAngle);
    ExchangeTextValues(r, t, false);
    t.ClampLoaded();
}

} // namespace

bool ServeSettingsRequest(UserAppBlock& block, int slot, int code)
{
    const bool get = code >= 100 && code <= 107;
    if (!get && (code < 120 || code > 127))
        return false;
    CZelkApp& app = *g_pApp;
    switch (get ? code - 100 : code - 120) {
    case 0:
        if (UserAppAccRecord* r = block.m_accTable[slot])
        {
            ExchangeAcc(*r, app.m_appAcc, get);
            if (!get)
                app.m_appAcc.ClampLoaded();
        }
        break;
    case 1:
        if (UserAppPathRecord* r = block.m_pathTable[slot]) {
            const auto ours = Folders(app.m_appPath);
            const auto theirs = RecordFolders(*r);
            for (size_t i = 0; i < ours.size(); ++i)
                Move(*theirs[i], *ours[i], get);
        }
        break;
    case 2:
        if (UserAppFindRecord* r = block.m_findTable[slot])
        {
            ExchangeFind(*r, app.m_appFind, get);
            if (!get)
                app.m_appFind.ClampLoaded();
        }
        break;
    case 3:
        if (UserAppColorRecord* r = block.m_colorTable[slot]) {
            CAppColor& c = app.m_appColor;
            if (get) {
                r->m_adjustOnScreen = c.adjustOnScreen;
                r->m_adjustOnPrint = c.adjustOnPrint;
                r->m_complementThreshold = c.complementThreshold;
                AppendColors(r->m_standardColors, c.m_standardColorList);
                AppendColors(r->m_userColors, c.m_userColors);
            } else {
                c.adjustOnScreen = r->m_adjustOnScreen;
                c.adjustOnPrint = r->m_adjustOnPrint;
                c.complementThreshold = r->m_complementThreshold;
                AppendColors(c.m_standardColorList, r->m_standardColors);
                AppendColors(c.m_userColors, r->m_userColors);
                c.ClampLoaded();
            }
        }
        break;
    case 4:
        if (UserAppElemRecord* r = block.m_elemTable[slot])
            get ? GetElem(*r, app.m_appElem) : SetElem(app.m_appElem, *r);
        break;
    case 5:
        if (UserAppTextSetRecord* r = block.m_textSetTable[slot])
            get ? GetText(*r, app.m_appText) : SetText(app.m_appText, *r);
        break;
    case 6:
        if (UserAppDrawRecord* r = block.m_drawTable[slot]) {
            ExchangeDraw(*r, app.m_appDraw, get);
            if (!get)
                app.m_appDraw.ClampLoaded();
        }
        break;
    default:
        if (UserAppPrintRecord* r = block.m_printTable[slot])
            Move(r->m_printAttributes, app.m_printOption1, get);
        break;
    }
    return true;
}

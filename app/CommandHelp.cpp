// Context help: while the help mode is armed, the next command opens its page in the program's
// Help folder instead of running. One table names the page of every command handled here.
#include "app/ZelkApp.h"

namespace {

struct CCommandHelp {
    UINT id;
    const char* page;
};

constexpr CCommandHelp kCommandHelp[] = {
    // File, text, symbol and macro commands.
    { 57600, "Help\\HID_FILE_NEW.htm" },
    { 57601, "Help\\HID_FILE_OPEN.htm" },
    { 32888, "Help\\HID_TEXT_NEW.htm" },
    { 32886, "Help\\HID_TEXT_OPEN.htm" },
    { 33109, "Help\\HID_ZEL_LIB_OPEN.htm" },
    { 32898, "Help\\HID_SYMBOL.htm" },
    { 112, "Help\\HID_ATR_LINETYPE.htm" },
    { 32799, "Help\\HID_MACRO_OPE_START.htm" },
    { 32804, "Help\\HID_MACRO_MESSAGE.htm" },
    { 32803, "Help\\HID_MACRO_USE_INPUT.htm" },
    { 32800, "Help\\HID_MACRO_OPE_FINISH.htm" },
    { 32801, "Help\\HID_MACRO_ZELK.htm" },
    { 32833, "Help\\HID_MACRO_TEXT.htm" },
    // Lists, printing, the printer, the last macro and help material.
    { 33086, "Help\\HID_OPEN_UNIT.htm" },
    { 33087, "Help\\HID_OPEN_VARIABLE.htm" },
    { 33092, "Help\\HID_OPEN_LAYER.htm" },
    { 33115, "Help\\HID_PRINT_ALL.htm" },
    { 33150, "Help\\HID_FILE_PRINT_SETUP.htm" },
    { 33134, "Help\\HID_DO_MACRO.htm" },
    { 33141, "Help\\HID_OPEN_ZELKFUNC.htm" },
    { 33152, "Help\\HID_HTML_HELP.htm" },
    // Scale and text settings.
    { 32899, "Help\\HID_RATIO_PLAN.htm" },
    { 32930, "Help\\HID_TEXTALIGNE.htm" },
    { 32820, "Help\\HID_TYPE_TEXT_NORM.htm" },
    { 32825, "Help\\HID_TYPE_TEXT_HORZ.htm" },
    { 32821, "Help\\HID_TYPE_TEXT_VERT.htm" },
    { 32822, "Help\\HID_TYPE_TEXT_SLANT.htm" },
    { 32824, "Help\\HID_PARAM_TEXT.htm" },
    { 33076, "Help\\HID_ANSWER_TEXT.htm" },
    // Search, display, color, creation, dimension, print and other settings.
    { 32771, "Help\\HID_ATR_CURSORWINDOW.htm" },
    { 32924, "Help\\HID_ATR_DRAW.htm" },
    { 32826, "Help\\HID_PARAM_COLOR.htm" },
    { 32883, "Help\\HID_LINE_SHADE.htm" },
    { 32884, "Help\\HID_SHADE_VALUE.htm" },
    { 32925, "Help\\HID_ATR_DIMENSION.htm" },
    { 32926, "Help\\HID_ATR_PRINT.htm" },
    { 32928, "Help\\HID_ATR_OTHER.htm" },
    // Drawing aids, selection and search.
    { 33063, "Help\\HID_IMAGE.htm" },
    { 32861, "Help\\HID_ATRTYPE_CURRENT.htm" },
    { 32862, "Help\\HID_ATRTYPE_ELEM.htm" },
    { 32863, "Help\\HID_ATRTYPE_REFERENCE.htm" },
    { 32942, "Help\\HID_LAYERCURRENT.htm" },
    { 32872, "Help\\HID_LAYERSAME.htm" },
    { 32943, "Help\\HID_LAYERNEW.htm" },
    { 32807, "Help\\HID_SELECT_COUNTER.htm" },
    { 32812, "Help\\HID_SELECT_LAYER.htm" },
    { 32808, "Help\\HID_SELECT_INCLUDE.htm" },
    { 32809, "Help\\HID_SELECT_PATH.htm" },
    { 32811, "Help\\HID_SELECT_CORNER.htm" },
    { 124, "Help\\HID_SELBUTTONALL.htm" },
    { 117, "Help\\HID_SELECTPOINT.htm" },
    { 118, "Help\\HID_SELECTLINE.htm" },
    { 119, "Help\\HID_SELECTCIRCLE.htm" },
    { 120, "Help\\HID_SELECTARC.htm" },
    { 121, "Help\\HID_SELECTTEXT.htm" },
    { 33070, "Help\\HID_SELECTCONIC.htm" },
    { 33071, "Help\\HID_SELECTCURVE.htm" },
    { 133, "Help\\HID_SELECTITEM.htm" },
    { 32868, "Help\\HID_SELECTDIMENSION_ALL.htm" },
    { 32866, "Help\\HID_SELECTDIMENSION_MEMBER.htm" },
    { 32867, "Help\\HID_SELECTDIMENSION_NON.htm" },
    { 32869, "Help\\HID_SELECTGROUP_ALL.htm" },
    { 32870, "Help\\HID_SELECTGROUP_MEMBER.htm" },
    { 32871, "Help\\HID_SELECTGROUP_NON.htm" },
    { 135, "Help\\HID_SELPOINT_ALL.htm" },
    { 136, "Help\\HID_SELPOINT_CORNER.htm" },
    { 137, "Help\\HID_SELPOINT_CROSS.htm" },
    { 138, "Help\\HID_SELPOINT_KEY.htm" },
    { 139, "Help\\HID_SELPOINT_ONLINE.htm" },
    { 140, "Help\\HID_SELPOINT_FREE.htm" },
};

const char* PageOfId(UINT id)
{
    for (const CCommandHelp& entry : kCommandHelp)
        if (entry.id == id)
            return entry.page;
    return nullptr;
}

// The page of a cycling button is the page of the menu command of its current value.
UINT MenuCommandOfValue(int value, int first, const UINT (&ids)[3])
{
    const int index = value - first;
    return index >= 0 && index < 3 ? ids[index] : 0;
}

} // namespace

const char* CZelkApp::HelpPageOf(UINT commandId) const
{
    static constexpr UINT kEnvIds[3] = { 32861, 32862, 32863 };
    static constexpr UINT kLayerIds[3] = { 32942, 32872, 32943 };
    static constexpr UINT kDimIds[3] = { 32868, 32866, 32867 };
    static constexpr UINT kGroupIds[3] = { 32869, 32870, 32871 };
    switch (commandId) {
    case 32865:
        return PageOfId(MenuCommandOfValue(m_appElem.m_creationEnv, 0, kEnvIds));
    case 32896:
        return PageOfId(MenuCommandOfValue(m_appElem.m_layerCondition, 0, kLayerIds));
    case 122:
        return PageOfId(MenuCommandOfValue(m_appFind.annotationGroupSelectMode, 1, kDimIds));
    case 123:
        return PageOfId(MenuCommandOfValue(m_appFind.groupSelectMode, 1, kGroupIds));
    default:
        return PageOfId(commandId);
    }
}

BOOL CZelkApp::ShowHelpInstead(UINT commandId)
{
    if (m_contextHelpMode != 11)
        return FALSE;
    if (const char* page = HelpPageOf(commandId))
        ShowHelpPage(page);
    m_contextHelpMode = 0;
    return TRUE;
}

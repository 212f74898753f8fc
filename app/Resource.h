// Resource and command ids of the application shell: frames, templates, bars, bitmaps, strings
// and the commands the frame and its bars handle.
#pragma once

#include "platform/core/WinTypes.h"

// Strings
constexpr UINT IDS_OLE_INIT_FAILED = 100;
constexpr UINT IDS_SOCKETS_INIT_FAILED = 104;
constexpr UINT IDS_INPUT_BOX_FONT = 107;

// Frames and templates
constexpr UINT IDR_ZELKTYPE = 244;       // drawing template
constexpr UINT IDR_MAINFRAME = 245;
constexpr UINT IDR_ZELKTYPE_SRVR_EMB = 247;
constexpr UINT IDR_TEXTTYPE = 248;

// Bars and placed controls
constexpr UINT IDW_SPECIAL_BAR = 105;
constexpr UINT IDC_INPUT_BOX = 106;
constexpr UINT IDC_LINE_TYPE_BUTTON = 112;
constexpr UINT IDC_COLOR_BOX = 134;
constexpr UINT IDC_DIM_SELECT_BUTTON = 122;
constexpr UINT IDC_GROUP_SELECT_BUTTON = 123;
constexpr UINT IDC_CREATION_ENV_BUTTON = 32865;
constexpr UINT IDC_LAYER_CONDITION_BUTTON = 32896;

// Bitmaps
constexpr UINT IDB_FILE_BAR = 128;
constexpr UINT IDB_SCREEN_BAR = 129;
constexpr UINT IDB_ELEMENT_SEARCH_BAR = 143;
constexpr UINT IDB_AUX_BAR = 147;
constexpr UINT IDB_LINE_TYPE = 149;
constexpr UINT IDB_LINE_TYPE_DOWN = 156;
constexpr UINT IDB_DIM_SELECT = 161;
constexpr UINT IDB_GROUP_SELECT = 162;
constexpr UINT IDB_GROUP_SELECT_DOWN = 167;
constexpr UINT IDB_DIM_SELECT_DOWN = 170;
constexpr UINT IDB_INPUT_BAR = 171;
constexpr UINT IDB_CONSTRAINT_BAR = 172;
constexpr UINT IDB_POINT_SEARCH_BAR = 177;
constexpr UINT IDB_BOX_SEARCH_BAR = 178;
constexpr UINT IDB_CREATION_ENV = 189;
constexpr UINT IDB_CREATION_ENV_DOWN = 190;
constexpr UINT IDB_COMMAND_BAR = 207;
constexpr UINT IDB_LAYER_CONDITION = 216;
constexpr UINT IDB_LAYER_CONDITION_DOWN = 218;

// Commands of the frame
constexpr UINT ID_VIEW_SUBBAR = 32879;
constexpr UINT ID_VIEW_FREEBAR = 32787;
constexpr UINT ID_VIEW_RESTLICTBAR = 32876;
constexpr UINT ID_VIEW_AREABAR = 32877;
constexpr UINT ID_VIEW_FINDELEMBAR = 32880;
constexpr UINT ID_VIEW_FINDPOINTBAR = 32878;
constexpr UINT ID_VIEW_TOOLBAR_FILE = 59392;
constexpr UINT ID_VIEW_COMMAND = 32927;
constexpr UINT ID_VIEW_STATUS = 59393;
constexpr UINT ID_LAYOUT_BAR = 32946;
constexpr UINT ID_MODE_NUMBER = 32790;
constexpr UINT ID_MODE_TEXT = 32791;
constexpr UINT ID_MODE_FONT = 32792;
constexpr UINT ID_CONTEXT_HELP_BUTTON = 33151;
constexpr UINT ID_FILE_ADD_OPEN = 32784;
constexpr UINT ID_MACRO_RUN_TEXT_FILE = 32835;
constexpr UINT ID_TEXT_PRINT_PREVIEW = 33142;
constexpr UINT ID_TEXT_PRINT = 33143;
constexpr UINT ID_TEXT_NEW = 32888;
constexpr UINT ID_TEXT_OPEN = 32886;
constexpr UINT ID_EXPERIENCE_LIBRARY = 33138;
constexpr UINT ID_PRINT_SETUP = 33150;

// Context-help mode armed: the next command opens its help page.
constexpr int kContextHelpArmed = 11;

// Application commands: registration, display switches, information, lists, options, folders,
// printing and training.
constexpr UINT ID_TRAINING_END = 32838;
constexpr UINT ID_REGIST_DLL = 32796;
constexpr UINT ID_POPUP_MENU_TYPE = 32961;
constexpr UINT ID_LAYER_LIGHT = 32885;
constexpr UINT ID_LINE_SLIM = 32934;
constexpr UINT ID_DRAW_MESSAGE = 32933;
constexpr UINT ID_MESSAGE_ATTENTION = 32929;
constexpr UINT ID_TEXT_BAR = 33072;
constexpr UINT ID_REGISTRY_HELP = 33136;
constexpr UINT ID_PROGRAM_FILES_NOTICE = 33146;
constexpr UINT ID_ATR_DXF = 33085;
constexpr UINT ID_ZELKPATH_SEL = 33137;
constexpr UINT ID_TEXTPATH_SEL = 33144;
constexpr UINT ID_VERSION_INFO = 33107;
constexpr UINT ID_APP_SHARE = 32937;
constexpr UINT ID_NEW_VERSION = 33062;

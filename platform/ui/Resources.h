// The program's resources kept as data: menus, dialog templates, string tables, accelerators and
// bitmaps, read from the resource scripts (*.rc) of the shipped folder (platform/core/
// ProgramFolder.h) in a small resource-script language. Texts are Shift-JIS once loaded.
//
// The script language (UTF-8 files named *.rc in resources/; numbers may be decimal or 0x...):
//   STRINGTABLE BEGIN  128, "status text\ntool tip"  ... END
//   MENU 245 BEGIN  POPUP "ファイル(&F)" BEGIN  MENUITEM "開く(&O)...\tCtrl+O", 57601
//                                           MENUITEM SEPARATOR  END  END
//   DIALOG 300, 0, 0, 200, 100            (id, x, y, width, height in dialog units)
//   CAPTION "縮尺"  FONT 9, "face"  STYLE WS_POPUP | WS_CAPTION
//   BEGIN  LTEXT "text", -1, 7, 7, 40, 8   EDITTEXT 1001, 50, 5, 60, 12, ES_AUTOHSCROLL
//          AUTOCHECKBOX "text", 1002, ...  AUTORADIOBUTTON "text", 1003, ..., WS_GROUP
//          COMBOBOX 1004, x, y, cx, cy, CBS_DROPDOWN | CBS_SORT   LISTBOX 1005, ...
//          PUSHBUTTON / DEFPUSHBUTTON "text", id, ...   GROUPBOX "text", id, ...
//          CONTROL "text", id, BUTTON|EDIT|STATIC|COMBOBOX|LISTBOX, styles, x, y, cx, cy  END
//   ACCELERATORS 245 BEGIN  "N", 57600, VIRTKEY, CONTROL   VK_F1, 57670, VIRTKEY  END
//   BITMAP 128 "bitmaps/file.bmp"          (relative to the script's folder)
//   ICON 245 "bitmaps/icon.bmp"            (a frame's icon, named by the frame's resource id)
// "//" starts a comment; "\t" and "\n" are tab and line break inside strings.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/WinUser.h"

#include <map>
#include <vector>

struct CResMenuItem {
    UINT id = 0;
    CString text;
    UINT flags = 0; // MF_SEPARATOR, MF_POPUP, MF_GRAYED, MF_CHECKED
    std::vector<CResMenuItem> items;
};

struct CResDialogItem {
    CString kind; // "BUTTON", "EDIT", "STATIC", "COMBOBOX", "LISTBOX"
    int id = 0;
    CString text;
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
};

struct CResDialog {
    UINT id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    CString caption;
    CString fontName;
    int fontSize = 9;
    DWORD style = 0;
    std::vector<CResDialogItem> items;
};

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct CResAccel {
    BYTE fVirt = 0;
    UINT key = 0;
    UINT cmd = 0;
};

class CResources {
public:
    static CResources& Get();

    // Adds the resources of a script given as Shift-JIS text; FALSE with a reason on an error.
    BOOL AddScript(const char* text, CString* error = nullptr);
    // Reads every *.rc of the resource folders once (the program's folder, then the source tree's).
    void LoadDefaultFolders();

    const CResMenuItem* FindMenu(UINT id);
    const CResDialog* FindDialog(UINT id);
    BOOL FindString(UINT id, CString& text);
    const std::vector<CResAccel>* FindAccelerators(UINT id);
    // The file-system path (UTF-8) of a bitmap resource; empty when none.
    std::string FindBitmap(UINT id);
    // The file-system path (UTF-8) of a frame's icon picture; empty when none.
    std::string FindIcon(UINT id);

private:
    bool m_loaded = false;
    std::map<UINT, CResMenuItem> m_menus;
    std::map<UINT, CResDialog> m_dialogs;
    std::map<UINT, CString> m_strings;
    std::map<UINT, std::vector<CResAccel>> m_accels;
    std::map<UINT, std::string> m_bitmaps;
    std::map<UINT, std::string> m_icons;
    std::string m_baseFolder;

    friend class CResParser;
};

// The string resource of an id ("" when none), as LoadString fills it.
BOOL AfxLoadString(UINT nID, CString& rString);
CString AfxResourceString(UINT nID);

// The program's resources kept as data: menus, dialog templates, string tables, accelerators and
// bitmaps, read from resource scripts (*.rc beside the program or in the source's resources/
// folder) in a small resource-script language. Texts are Shift-JIS once loaded.
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

private:
    bool m_loaded = false;
    std::map<UINT, CResMenuItem> m_menus;
    std::map<UINT, CResDialog> m_dialogs;
    std::map<UINT, CString> m_strings;
    std::map<UINT, std::vector<CResAccel>> m_accels;
    std::map<UINT, std::string> m_bitmaps;
    std::string m_baseFolder;

    friend class CResParser;
};

// The string resource of an id ("" when none), as LoadString fills it.
BOOL AfxLoadString(UINT nID, CString& rString);
CString AfxResourceString(UINT nID);

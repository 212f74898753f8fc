// Controls on Qt widgets: buttons (push, check, radio, group, owner-drawn bitmap buttons), edit
// fields, static texts, combo boxes (drop-down with edit field, lists, owner-drawn items),
// list boxes and tool tips. Their notifications reach the parent as WM_COMMAND, and the
// Windows control messages (CB_..., LB_..., EM_..., BM_...) work through SendMessage.
#pragma once

#include "platform/ui/Wnd.h"

#include <vector>

typedef struct HDC__* HDC;
class CDC;
// The device context behind a handle of a DRAWITEMSTRUCT.
inline CDC* CDCFromHandle(HDC hDC) { return reinterpret_cast<CDC*>(hDC); }

constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

struct DRAWITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    DWORD_PTR itemData;
};
typedef DRAWITEMSTRUCT* LPDRAWITEMSTRUCT;

struct MEASUREITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemWidth;
    UINT itemHeight;
    DWORD_PTR itemData;
};
typedef MEASUREITEMSTRUCT* LPMEASUREITEMSTRUCT;

struct COMPAREITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    HWND hwndItem;
    UINT itemID1;
    DWORD_PTR itemData1;
    UINT itemID2;
    DWORD_PTR itemData2;
    DWORD dwLocaleId;
};
typedef COMPAREITEMSTRUCT* LPCOMPAREITEMSTRUCT;

// Control messages
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;
constexpr UINT BST_INDETERMINATE = 2;
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_GETSELITEMS = 0x0191;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;

// The common part of controls: a Qt widget whose own behaviour runs after the program's handlers.
class CControl : public CWnd {
public:
    BOOL IsNativeControl() const override { return TRUE; }
    // Sends a notification code to the parent as WM_COMMAND (the control's id and handle).
    void NotifyParent(UINT nCode);
    // Creates the control from a dialog template entry (class name and style).
    static CWnd* CreateFromTemplate(const char* kind, DWORD style);
};

class CButton : public CControl {
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const { return m_style & 0x0F; }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
    friend class CControl;
};

// A push button showing bitmaps: normal, selected (pressed), focused, disabled.
class CBitmapButton : public CButton {
public:
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0, UINT nIDBitmapResourceFocus = 0,
                     UINT nIDBitmapResourceDisabled = 0);
    void SizeToContent();
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    UINT m_nBitmaps[4] = { 0, 0, 0, 0 };

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
};

class CStatic : public CControl {
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
};

class CEdit : public CControl {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    // The most bytes the field takes; typing more is refused with a beep.
    void LimitText(int nChars = 0);
    void SetReadOnly(BOOL bReadOnly = TRUE);
    void Cut() { SendMessage(WM_CUT); }
    void Copy() { SendMessage(WM_COPY); }
    void Paste() { SendMessage(WM_PASTE); }
    void Clear() { SendMessage(WM_CLEAR); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
};

class CComboBox : public CControl {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCount() const { return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int AddString(LPCTSTR lpszString) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString))); }
    int InsertString(int nIndex, LPCTSTR lpszString)
    {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString)));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszString);
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
    void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt)); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(const_cast<CComboBox*>(this)->SendMessage(CB_GETDROPPEDSTATE)); }
    DWORD GetEditSel() const { return static_cast<DWORD>(const_cast<CComboBox*>(this)->SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int nStartChar, int nEndChar);
    BOOL LimitText(int nMaxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars))); }
    void Cut() { SendMessage(WM_CUT); }
    void Copy() { SendMessage(WM_COPY); }
    void Paste() { SendMessage(WM_PASTE); }
    void Clear() { SendMessage(WM_CLEAR); }

    // Owner-drawn lists: items drawn, measured and (sorted lists without strings) compared by
    // the program.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    QWidget* GetClientWidget() const override;

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
    int InsertItem(int index, const CString& text, DWORD_PTR data, bool sorted);
};

class CListBox : public CControl {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCount() const { return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int AddString(LPCTSTR lpszItem) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem))); }
    int InsertString(int nIndex, LPCTSTR lpszItem)
    {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszItem);
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    int GetSelItems(int nMaxItems, LPINT rgIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);

    // Owner-drawn lists (LBS_OWNERDRAWFIXED): items drawn, measured and (sorted lists without
    // strings) compared by the program; without LBS_HASSTRINGS an item is its item data.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
};

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRACK = 0x0020;
constexpr UINT TTF_ABSOLUTE = 0x0080;
constexpr DWORD TTDT_AUTOMATIC = 0;
constexpr DWORD TTDT_RESHOW = 1;
constexpr DWORD TTDT_AUTOPOP = 2;
constexpr DWORD TTDT_INITIAL = 3;

// Tool tips over rectangles of windows ("tools"), shown when the pointer rests in one while the
// control is active; mouse messages reach it through RelayEvent.
class CToolTipCtrl : public CWnd {
public:
    struct Tool {
        CWnd* wnd = nullptr;
        UINT id = 0;
        CRect rect;
        CString text;
    };

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void Activate(BOOL bActivate);
    BOOL IsActive() const { return m_bActive; }
    void SetDelayTime(UINT nDelay);
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    void SetMaxTipWidth(int iWidth) { m_maxWidth = iWidth; }
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }
    void RelayEvent(LPMSG lpMsg);
    void Pop();
    // The tool the pointer is over and whose tip is showing, if any.
    const Tool* GetShownTool() const { return m_shown >= 0 ? &m_tools[static_cast<size_t>(m_shown)] : nullptr; }
    const std::vector<Tool>& Tools() const { return m_tools; }

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
    void OnTimer(UINT_PTR nIDEvent) override;

    std::vector<Tool> m_tools;
    BOOL m_bActive = TRUE;
    int m_delays[4] = { 500, 100, 5000, 500 };
    int m_maxWidth = -1;
    int m_pending = -1;
    int m_shown = -1;
    CPoint m_lastPoint;
};

// Dialogs: CDialog built from a dialog template of the resources (modal through the services,
// so a test answers it, or modeless), with data exchange and validation (DDX_ / DDV_) that
// refuses a bad value the way Windows does: the standard message, focus back to the field with
// its text selected, and the dialog stays open. Also the common file, color and font dialogs.
#pragma once

#include "platform/ui/Controls.h"

#include <memory>
#include <vector>

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // A modeless dialog from a template.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL DestroyWindow() override;
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl();
    void PrevDlgCtrl();
    // Dialog units of the template to pixels.
    void MapDialogRect(LPRECT lpRect) const;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL IsModalOpen() const { return m_bModalOpen; }

    UINT m_nIDTemplate = 0;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;
    int m_nModalResult = -1;
    BOOL m_bModalOpen = FALSE;

protected:
    DECLARE_MESSAGE_MAP()
    QWidget* CreateNativeWidget(QWidget* parent) override;
    void OnClose() override;
    BOOL CreateFromTemplate(CWnd* pParentWnd);

    struct ControlEntry {
        std::unique_ptr<CWnd> owned; // made from the template, until the program takes it over
        CWnd* wnd = nullptr;
    };
    std::vector<ControlEntry> m_templateControls;
    int m_baseX = 6;
    int m_baseY = 12;
    BOOL m_bModeless = FALSE;   // made by Create and not yet destroyed

    friend class CDialogSession;
    friend class CWnd;
    friend BOOL AfxSubclassDlgItem(CWnd& control, UINT nID, CWnd* pParent);
    friend std::vector<CWnd*> AfxDialogControls(CDialog* pDialog);
};

// Takes over a control that a dialog template made: the program's object becomes its window.
BOOL AfxSubclassDlgItem(CWnd& control, UINT nID, CWnd* pParent);

// Raised by a failed exchange; UpdateData catches it and returns FALSE.
struct CUserException {};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Refuses the value: focus back to the last control (its text selected when it is an edit
    // field) and the exchange ends.
    [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
// DWORD is UINT here: DDV_MinMaxDWord is DDV_MinMaxUInt.
inline void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) { DDV_MinMaxUInt(pDX, value, minVal, maxVal); }
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

// The texts of the exchange's refusals (string resources with these ids replace them).
constexpr UINT AFX_IDP_PARSE_INT = 0xF110;
constexpr UINT AFX_IDP_PARSE_REAL = 0xF111;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 0xF112;
constexpr UINT AFX_IDP_PARSE_REAL_RANGE = 0xF113;
constexpr UINT AFX_IDP_PARSE_STRING_SIZE = 0xF114;
constexpr UINT AFX_IDP_PARSE_RADIO_BUTTON = 0xF115;
constexpr UINT AFX_IDP_PARSE_BYTE = 0xF116;
constexpr UINT AFX_IDP_PARSE_UINT = 0xF117;
// A number as the exchange shows it: "%.*g" with 15 digits and a three-digit exponent.
CString AfxFormatDouble(double value, int digits = 15);

// Common dialogs
constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

struct OPENFILENAME {
    DWORD Flags = 0;
    LPCTSTR lpstrInitialDir = nullptr;
    LPCTSTR lpstrTitle = nullptr;
    DWORD nFilterIndex = 1;
};

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;
    virtual INT_PTR DoModal();
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn;
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFileName;
    CString m_strFilter;
    std::vector<CString> m_chosen;
};

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_ANYCOLOR = 0x00000100;

struct CHOOSECOLOR {
    COLORREF rgbResult = 0;
    DWORD Flags = 0;
    COLORREF* lpCustColors = nullptr;   // 16 custom colors, shown and given back; may be null
};

class CColorDialog {
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    virtual ~CColorDialog() = default;
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    CHOOSECOLOR m_cc;
};

constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_BOTH = 0x00000003;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;
constexpr DWORD CF_EFFECTS = 0x00000100;

struct CHOOSEFONT {
    LOGFONT* lpLogFont = nullptr;
    DWORD Flags = 0;
    COLORREF rgbColors = 0;
    int iPointSize = 0;
};

class CFontDialog {
public:
    explicit CFontDialog(LOGFONT* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         void* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    virtual ~CFontDialog() = default;
    virtual INT_PTR DoModal();
    void GetCurrentFont(LOGFONT* lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_BOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    CHOOSEFONT m_cf;
    LOGFONT m_lf;
};

// The controls of a dialog in template order.
std::vector<CWnd*> AfxDialogControls(CDialog* pDialog);

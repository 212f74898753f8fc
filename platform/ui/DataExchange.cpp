// Dialog data exchange and validation with the framework's refusal texts and behaviour.
#include "platform/ui/Dialog.h"

#include "platform/ui/Resources.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// The framework's own texts, used when the resources do not define these ids.
const char* DefaultText(UINT id)
{
    switch (id) {
    case AFX_IDP_PARSE_INT: return "整数を入力してください。";
    case AFX_IDP_PARSE_REAL: return "数値を入力してください。";
    case AFX_IDP_PARSE_INT_RANGE: return "%1 から %2 までの整数を入力してください。";
    case AFX_IDP_PARSE_REAL_RANGE: return "%1 から %2 までの数値を入力してください。";
    case AFX_IDP_PARSE_STRING_SIZE: return "%1 文字以内で入力してください。";
    case AFX_IDP_PARSE_RADIO_BUTTON: return "ボタンを選択してください。";
    case AFX_IDP_PARSE_BYTE: return "0 から 255 までの整数を入力してください。";
    case AFX_IDP_PARSE_UINT: return "正の整数を入力してください。";
    default: return "";
    }
}

CString Prompt(UINT id)
{
    CString s;
    if (!AfxLoadString(id, s) || s.IsEmpty())
        s = DefaultText(id);
    return s;
}

void Refuse(CDataExchange* pDX, UINT id, const CString& a = CString(), const CString& b = CString())
{
    CString text = Prompt(id);
    text.Replace("%1", a);
    text.Replace("%2", b);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

CString WindowText(CDataExchange* pDX, int nIDC)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    CString s;
    if (CWnd* w = CWnd::FromHandle(h))
        w->GetWindowText(s);
    return s;
}

void SetText(CDataExchange* pDX, int nIDC, const CString& text)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (CWnd* w = CWnd::FromHandle(h))
        w->SetWindowText(text);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

// A number that `convert` (a C library conversion) reads from p, with only blanks after it.
template <typename T, typename Convert>
bool ConvertAll(const char* p, Convert convert, T& out)
{
    if (!*p)
        return false;
    char* end = nullptr;
    T v = convert(p, &end);
    if (end == p || *SkipBlanks(end))
        return false;
    out = v;
    return true;
}

// A whole number with blanks around it and nothing else; values beyond the type saturate as the
// C library's conversion does.
bool ParseLong(const CString& text, bool isSigned, long long& out)
{
    const char* p = SkipBlanks(text.GetString());
    if (!isSigned && *p == '-')
        return false;
    long long v = 0;
    if (!ConvertAll(p, [](const char* s, char** end) { return std::strtoll(s, end, 10); }, v))
        return false;
    if (isSigned)
        v = std::clamp<long long>(v, INT_MIN, INT_MAX);
    else
        v = std::clamp<long long>(v, 0, UINT_MAX);
    out = v;
    return true;
}

bool ParseDouble(const CString& text, double& out)
{
    return ConvertAll(SkipBlanks(text.GetString()), [](const char* s, char** end) { return std::strtod(s, end); }, out);
}

// A whole number outside the range of the field's type is refused like text that is no number.
template <typename T>
void ExchangeWhole(CDataExchange* pDX, int nIDC, T& value, UINT parseError)
{
    constexpr bool isSigned = std::numeric_limits<T>::is_signed;
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseLong(WindowText(pDX, nIDC), isSigned, v) || v < std::numeric_limits<T>::min()
            || v > std::numeric_limits<T>::max())
            Refuse(pDX, parseError);
        value = static_cast<T>(v);
    } else {
        CString s;
        if (isSigned)
            s.Format("%lld", static_cast<long long>(value));
        else
            s.Format("%llu", static_cast<unsigned long long>(value));
        SetText(pDX, nIDC, s);
    }
}

// `digits` significant digits show the value without the noise of its binary form.
template <typename T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits)
{
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseDouble(WindowText(pDX, nIDC), v))
            Refuse(pDX, AFX_IDP_PARSE_REAL);
        value = static_cast<T>(v);
    } else {
        SetText(pDX, nIDC, AfxFormatDouble(value, digits));
    }
}

// The control behind nIDC when it is of the kind the exchange expects.
template <typename Control>
Control* PreparedControl(CDataExchange* pDX, int nIDC)
{
    return dynamic_cast<Control*>(CWnd::FromHandle(pDX->PrepareCtrl(nIDC)));
}

template <typename Control>
void ExchangeIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* c = PreparedControl<Control>(pDX, nIDC);
    if (!c)
        return;
    if (pDX->m_bSaveAndValidate)
        index = c->GetCurSel();
    else
        c->SetCurSel(index);
}

} // namespace

CString AfxFormatDouble(double value, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    // Windows writes exponents with three digits ("1e+016").
    std::string s(buf);
    size_t e = s.find_first_of("eE");
    if (e != std::string::npos && e + 1 < s.size()) {
        size_t digitsAt = e + 1;
        if (s[digitsAt] == '+' || s[digitsAt] == '-')
            ++digitsAt;
        size_t count = s.size() - digitsAt;
        if (count < 3)
            s.insert(digitsAt, 3 - count, '0');
    }
    return CString(s);
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    CWnd* w = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
    m_hWndLastControl = w ? w->m_hWnd : nullptr;
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        throw CUserException();
    if (CWnd* w = CWnd::FromHandle(m_hWndLastControl)) {
        w->SetFocus();
        if (m_bEditLastControl)
            w->SendMessage(EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_BYTE); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, 15); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeReal(pDX, nIDC, value, 6); }

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bSaveAndValidate)
        value = WindowText(pDX, nIDC);
    else
        SetText(pDX, nIDC, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    CWnd* w = CWnd::FromHandle(h);
    if (!w)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(w->SendMessage(BM_GETCHECK));
    else
        w->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // The group runs from the first button to the next control that starts a group.
    HWND h = pDX->PrepareCtrl(nIDC);
    CWnd* first = CWnd::FromHandle(h);
    if (!first || !pDX->m_pDlgWnd)
        return;
    std::vector<CWnd*> group;
    auto* dlg = dynamic_cast<CDialog*>(pDX->m_pDlgWnd);
    std::vector<CWnd*> order;
    if (dlg)
        order = AfxDialogControls(dlg);
    auto it = std::find(order.begin(), order.end(), first);
    if (it == order.end()) {
        group.push_back(first);
    } else {
        group.push_back(*it);
        for (++it; it != order.end() && !((*it)->GetStyle() & WS_GROUP); ++it)
            if (((*it)->GetStyle() & 0x0F) == BS_RADIOBUTTON || ((*it)->GetStyle() & 0x0F) == BS_AUTORADIOBUTTON)
                group.push_back(*it);
    }
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i]->SendMessage(BM_GETCHECK) == BST_CHECKED) {
                value = static_cast<int>(i);
                break;
            }
    } else {
        for (size_t i = 0; i < group.size(); ++i)
            group[i]->SendMessage(BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    AfxSubclassDlgItem(rControl, static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    auto* c = PreparedControl<CComboBox>(pDX, nIDC);
    if (!c)
        return;
    if (pDX->m_bSaveAndValidate) {
        c->GetWindowText(value);
    } else if (c->SelectString(-1, value) == CB_ERR) {
        c->SetWindowText(value);
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    auto* c = PreparedControl<CComboBox>(pDX, nIDC);
    if (!c)
        return;
    if (pDX->m_bSaveAndValidate) {
        c->GetWindowText(value);
    } else {
        int i = c->FindStringExact(-1, value);
        if (i == CB_ERR)
            c->SetWindowText(value);
        else
            c->SetCurSel(i);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeIndex<CComboBox>(pDX, nIDC, index);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    auto* l = PreparedControl<CListBox>(pDX, nIDC);
    if (!l)
        return;
    if (pDX->m_bSaveAndValidate) {
        int i = l->GetCurSel();
        if (i == LB_ERR)
            value.Empty();
        else
            l->GetText(i, value);
    } else if (l->SelectString(-1, value) == LB_ERR) {
        l->SetCurSel(-1);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeIndex<CListBox>(pDX, nIDC, index);
}

namespace {
template <typename T>
void RangeWhole(CDataExchange* pDX, T value, T minVal, T maxVal, bool isSigned)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString a, b;
    if (isSigned) {
        a.Format("%lld", static_cast<long long>(minVal));
        b.Format("%lld", static_cast<long long>(maxVal));
    } else {
        a.Format("%llu", static_cast<unsigned long long>(minVal));
        b.Format("%llu", static_cast<unsigned long long>(maxVal));
    }
    Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, a, b);
}

void RangeReal(CDataExchange* pDX, double value, double minVal, double maxVal, int digits)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    Refuse(pDX, AFX_IDP_PARSE_REAL_RANGE, AfxFormatDouble(minVal, digits), AfxFormatDouble(maxVal, digits));
}
} // namespace

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { RangeWhole(pDX, value, minVal, maxVal, true); }
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) { RangeWhole(pDX, value, minVal, maxVal, false); }
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) { RangeWhole(pDX, value, minVal, maxVal, true); }
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) { RangeWhole(pDX, value, minVal, maxVal, true); }
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) { RangeWhole(pDX, value, minVal, maxVal, false); }
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) { RangeReal(pDX, value, minVal, maxVal, 15); }
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal) { RangeReal(pDX, value, minVal, maxVal, 6); }

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString n;
            n.Format("%d", nChars);
            Refuse(pDX, AFX_IDP_PARSE_STRING_SIZE, n);
        }
    } else if (CWnd* w = CWnd::FromHandle(pDX->m_hWndLastControl)) {
        // Loading limits the field, so that typing beyond it is refused at once.
        w->SendMessage(dynamic_cast<CComboBox*>(w) ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(nChars));
    }
}

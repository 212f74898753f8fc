// Dialogs from templates, run modal through the scripted services: data exchange, Windows'
// refusal of bad values, controls taken over by program objects, and the common dialogs.
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiServices.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT IDD_SCALE = 9200;
constexpr int IDC_RATIO = 1001;
constexpr int IDC_COUNT = 1002;
constexpr int IDC_NAME = 1003;
constexpr int IDC_SNAP = 1004;
constexpr int IDC_FIRST = 1005;
constexpr int IDC_SECOND = 1006;
constexpr int IDC_THIRD = 1007;
constexpr int IDC_KIND = 1008;
constexpr int IDC_LEVEL = 1009;

void AddDialogResources()
{
    const char* script =
        "DIALOG 9200, 0, 0, 200, 120\n"
        "CAPTION \"縮尺\"\n"
        "FONT 9, \"Sans\"\n"
        "BEGIN\n"
        "  LTEXT \"比率(&R)\", -1, 7, 7, 40, 8\n"
        "  EDITTEXT 1001, 50, 5, 60, 12\n"
        "  EDITTEXT 1002, 50, 20, 60, 12\n"
        "  EDITTEXT 1003, 50, 35, 60, 12\n"
        "  AUTOCHECKBOX \"スナップ\", 1004, 7, 50, 60, 10\n"
        "  AUTORADIOBUTTON \"一\", 1005, 7, 62, 30, 10, WS_GROUP\n"
        "  AUTORADIOBUTTON \"二\", 1006, 40, 62, 30, 10\n"
        "  AUTORADIOBUTTON \"三\", 1007, 73, 62, 30, 10\n"
        "  COMBOBOX 1008, 7, 75, 80, 60, CBS_DROPDOWN | CBS_SORT | WS_GROUP\n"
        "  EDITTEXT 1009, 100, 75, 30, 12\n"
        "  DEFPUSHBUTTON \"OK\", 1, 140, 100, 50, 14\n"
        "  PUSHBUTTON \"キャンセル\", 2, 85, 100, 50, 14\n"
        "END\n";
    CString error;
    ASSERT_TRUE(CResources::Get().AddScript(script, &error)) << error.GetString();
}

class CKindCombo : public CComboBox {};

class CScaleDialog : public CDialog {
public:
    CScaleDialog() : CDialog(IDD_SCALE) {}
    double m_ratio = 1.0;
    int m_count = 3;
    CString m_name = "図面";
    int m_snap = 1;
    int m_choice = 1;
    BYTE m_level = 7;
    CKindCombo m_kind;
    int m_initCalls = 0;

    BOOL OnInitDialog() override
    {
        ++m_initCalls;
        CDialog::OnInitDialog();
        m_kind.AddString("線分");
        m_kind.AddString("円");
        m_kind.AddString("円弧");
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_KIND, m_kind);
        DDX_Text(pDX, IDC_RATIO, m_ratio);
        DDV_MinMaxDouble(pDX, m_ratio, 0.001, 1e16);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 99);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 8);
        DDX_Check(pDX, IDC_SNAP, m_snap);
        DDX_Radio(pDX, IDC_FIRST, m_choice);
        DDX_Text(pDX, IDC_LEVEL, m_level);
    }
};

class DialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        AddDialogResources();
    }
    CScriptedServices& Services() { return DefaultScriptedServices(); }
    CScriptedUiServices& Ui() { return DefaultScriptedUiServices(); }
};

TEST_F(DialogTest, ZeroRatioIsRefusedAndTheScriptedValueReturns)
{
    CScaleDialog dlg;
    CString shownRatio, shownCount, focusText;
    int selStart = -1, selEnd = -1;
    Ui().QueueDialog([&](IModalSession& s) {
        shownRatio = s.GetItemText(IDC_RATIO);
        shownCount = s.GetItemText(IDC_COUNT);
        s.SetItemText(IDC_RATIO, "0");
        s.Press(IDOK);
        // Refused: the dialog is still open and the field has the focus, its text selected.
        EXPECT_TRUE(s.IsOpen());
        CWnd* focus = CWnd::GetFocus();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->GetDlgCtrlID(), IDC_RATIO);
        static_cast<CEdit*>(focus)->GetSel(selStart, selEnd);
    });
    Ui().QueueDialog([&](IModalSession& s) {
        s.SetItemText(IDC_RATIO, "  2.5e3 ");
        s.Press(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shownRatio, CString("1"));
    EXPECT_EQ(shownCount, CString("3"));
    ASSERT_EQ(Services().m_messages.size(), 1u);
    EXPECT_EQ(Services().m_messages[0].text, CString("0.001 から 1e+016 までの数値を入力してください。"));
    EXPECT_EQ(Services().m_messages[0].type & 0xF0, MB_ICONEXCLAMATION);
    EXPECT_EQ(selStart, 0);
    EXPECT_EQ(selEnd, 1);
    EXPECT_DOUBLE_EQ(dlg.m_ratio, 2500.0);
    EXPECT_EQ(dlg.m_initCalls, 1);
}

TEST_F(DialogTest, RefusalsOfEachKindOfField)
{
    struct Case {
        int id;
        const char* text;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        { IDC_RATIO, "abc", "数値を入力してください。" },
        { IDC_RATIO, "1e17", "0.001 から 1e+016 までの数値を入力してください。" },
        { IDC_RATIO, "0.001", nullptr },
        { IDC_COUNT, "12x", "整数を入力してください。" },
        { IDC_COUNT, "", "整数を入力してください。" },
        { IDC_COUNT, "100", "1 から 99 までの整数を入力してください。" },
        { IDC_COUNT, " 99 ", nullptr },
        { IDC_NAME, "123456789", "8 文字以内で入力してください。" },
        // Eight bytes: four double-byte characters fit, as lengths count bytes.
        { IDC_NAME, "図面図面", nullptr },
        { IDC_LEVEL, "256", "0 から 255 までの整数を入力してください。" },
        { IDC_LEVEL, "-1", "0 から 255 までの整数を入力してください。" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DefaultScriptedServices() = CScriptedServices();
        CScaleDialog dlg;
        bool stayed = false;
        Ui().QueueDialog([&](IModalSession& s) {
            s.SetItemText(c.id, c.text);
            s.Press(IDOK);
            stayed = s.IsOpen();
            if (stayed)
                s.Press(IDCANCEL);
        });
        INT_PTR r = dlg.DoModal();
        if (c.message) {
            EXPECT_TRUE(stayed);
            EXPECT_EQ(r, IDCANCEL);
            ASSERT_EQ(Services().m_messages.size(), 1u);
            EXPECT_EQ(Services().m_messages[0].text, CString(c.message));
        } else {
            EXPECT_EQ(r, IDOK);
            EXPECT_TRUE(Services().m_messages.empty());
        }
    }
}

TEST_F(DialogTest, ChecksRadiosAndComboTakenOverByTheProgram)
{
    CScaleDialog dlg;
    int firstRadio = -1, snap = -1;
    CString kindAfterSelect;
    Ui().QueueDialog([&](IModalSession& s) {
        firstRadio = s.GetCheck(IDC_SECOND);
        snap = s.GetCheck(IDC_SNAP);
        // The program's combo holds the items its OnInitDialog added, sorted.
        EXPECT_EQ(dlg.m_kind.GetCount(), 3);
        CString first;
        dlg.m_kind.GetLBText(0, first);
        EXPECT_EQ(first, CString("円"));
        EXPECT_EQ(dlg.m_kind.FindStringExact(-1, "線分"), 2);
        s.SelectItem(IDC_KIND, 2);
        kindAfterSelect = s.GetItemText(IDC_KIND);
        // Clicking the third radio clears the second.
        s.Press(IDC_THIRD);
        s.Press(IDC_SNAP);
        s.Press(IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(firstRadio, 1);
    EXPECT_EQ(snap, 1);
    EXPECT_EQ(kindAfterSelect, CString("線分"));
    EXPECT_EQ(dlg.m_choice, 2);
    EXPECT_EQ(dlg.m_snap, 0);
    EXPECT_EQ(dlg.m_kind.m_hWnd, nullptr); // the window went with the dialog
}

TEST_F(DialogTest, UnscriptedDialogIsCancelledAndKeepsValues)
{
    CScaleDialog dlg;
    dlg.m_count = 42;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_count, 42);
    ASSERT_EQ(Ui().m_shownDialogs.size(), 1u);
    EXPECT_EQ(Ui().m_shownDialogs[0], IDD_SCALE);
}

TEST_F(DialogTest, ModelessDialogIsReportedWithItsTextsUntilItGoes)
{
    {
        CScaleDialog first;
        first.m_count = 7;
        ASSERT_TRUE(first.Create(IDD_SCALE));
        EXPECT_EQ(Ui().OpenModeless(), (std::vector<UINT>{ IDD_SCALE }));
        ASSERT_EQ(Ui().m_modeless.size(), 1u);
        const std::vector<CString>& texts = Ui().m_modeless[0].texts;
        ASSERT_EQ(texts.size(), 12u);
        EXPECT_EQ(texts[0], "比率(&R)");
        EXPECT_EQ(texts[1], "1");
        EXPECT_EQ(texts[2], "7");
        EXPECT_EQ(texts[11], "キャンセル");
        // Destroyed once, by the program or by its end.
        first.DestroyWindow();
        CScaleDialog second;
        ASSERT_TRUE(second.Create(IDD_SCALE));
    }
    EXPECT_TRUE(Ui().OpenModeless().empty());
    ASSERT_EQ(Ui().m_modeless.size(), 4u);
    EXPECT_TRUE(Ui().m_modeless[1].destroyed);
    EXPECT_TRUE(Ui().m_modeless[3].destroyed);
    // A modal dialog is not reported as modeless.
    CScaleDialog modal;
    modal.DoModal();
    EXPECT_EQ(Ui().m_modeless.size(), 4u);
}

TEST_F(DialogTest, MissingTemplateFails)
{
    CDialog dlg(9299);
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST_F(DialogTest, DoubleShownWithWindowsExponent)
{
    struct Case {
        double v;
        const char* text;
    };
    const Case cases[] = { { 1e16, "1e+016" }, { 0.001, "0.001" }, { 1.05, "1.05" }, { -2.5e-7, "-2.5e-007" },
                           { 123456789012345.0, "123456789012345" } };
    for (const Case& c : cases)
        EXPECT_EQ(AfxFormatDouble(c.v), CString(c.text));
}

TEST_F(DialogTest, SaveDialogAsksBeforeOverwriting)
{
    std::string home = std::getenv("ZELK_HOME");
    std::string existing = home + "/old.zel";
    std::FILE* f = std::fopen(existing.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    CString existingPath = CString(existing.c_str());
    existingPath.Replace('/', '\\');
    CString newPath = CString((home + "/new").c_str());
    newPath.Replace('/', '\\');
    Ui().QueueFiles({ existingPath });
    Ui().QueueFiles({ newPath });
    Services().QueueAnswer(IDNO);
    CFileDialog dlg(FALSE, "zel", nullptr, OFN_OVERWRITEPROMPT, "図面 (*.zel)|*.zel||");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(Services().m_messages.size(), 1u);
    EXPECT_EQ(Services().m_messages[0].type & MB_TYPEMASK, MB_YESNO);
    EXPECT_EQ(dlg.GetPathName(), newPath + ".zel");
    EXPECT_EQ(dlg.GetFileTitle(), CString("new"));
    EXPECT_EQ(dlg.GetFileExt(), CString("zel"));
    EXPECT_EQ(Ui().m_shownFileDialogs.size(), 2u);
}

TEST_F(DialogTest, OpenDialogReturnsEverySelectedFile)
{
    Ui().QueueFiles({ "C:\\a.zel", "C:\\b.zel" });
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, "*.zel|*.zel||");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    std::vector<CString> names;
    for (POSITION pos = dlg.GetStartPosition(); pos;)
        names.push_back(dlg.GetNextPathName(pos));
    EXPECT_EQ(names, (std::vector<CString>{ "C:\\a.zel", "C:\\b.zel" }));
    CFileDialog cancelled(TRUE);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, ColorAndFontDialogsReturnScriptedChoices)
{
    Ui().QueueColor(TRUE, RGB(10, 20, 30));
    CColorDialog color(RGB(255, 0, 0));
    ASSERT_EQ(color.DoModal(), IDOK);
    EXPECT_EQ(color.GetColor(), RGB(10, 20, 30));
    CColorDialog cancelled(RGB(255, 0, 0));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(255, 0, 0));

    LOGFONT lf{};
    lf.lfHeight = -16;
    std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", "明朝");
    lf.lfWeight = FW_BOLD;
    Ui().QueueFont(TRUE, lf, RGB(0, 0, 255));
    CFontDialog font;
    ASSERT_EQ(font.DoModal(), IDOK);
    EXPECT_EQ(font.GetFaceName(), CString("明朝"));
    EXPECT_TRUE(font.IsBold());
    EXPECT_EQ(font.GetSize(), 120);
    EXPECT_EQ(font.GetColor(), RGB(0, 0, 255));
}

} // namespace

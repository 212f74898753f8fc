// The sheet-count, actual-size and slanted-text dialogs, and the DXF settings command that edits
// the half-width font names.
#include "app/ActualSizePrintDialog.h"
#include "app/PrintAllSheetsDialog.h"
#include "app/SlantPrintCheckDialog.h"
#include "tests/app/AppCommandsFixture.h"

namespace {

TEST_F(AppCommands, SheetButtonsShowTheirNumberAndTheCountIsRangeChecked)
{
    Start();
    CPrintAllSheetsDialog dlg;
    dlg.m_text1 = "A4";
    CString afterThree, afterNine, first;
    bool openAfterButton = false, openAfterRefusal = false;
    Ui().QueueDialog([&](IModalSession& s) {
        first = s.GetItemText(1197);
        s.Press(1189);
        afterThree = s.GetItemText(1196);
        openAfterButton = s.IsOpen();
        s.Press(1195);
        afterNine = s.GetItemText(1196);
        s.SetItemText(1196, "101");
        s.Press(IDOK);
        openAfterRefusal = s.IsOpen();
    });
    Ui().QueueDialog([&](IModalSession& s) {
        s.Press(1187);
        s.Press(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(first, CString("A4"));
    EXPECT_EQ(afterThree, CString("3"));
    EXPECT_EQ(afterNine, CString("9"));
    EXPECT_TRUE(openAfterButton);
    EXPECT_TRUE(openAfterRefusal);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(dlg.m_sheetCount, 1u);
}

TEST_F(AppCommands, ActualSizeRatioOutsideItsRangeIsRefused)
{
    struct Case {
        const char* text;
        bool accepted;
    } cases[] = { { "0.005", false }, { "0.01", true }, { "100", true }, { "100.5", false } };
    Start();
    for (const Case& c : cases) {
        CActualSizePrintDialog dlg;
        bool open = false;
        Ui().QueueDialog([&](IModalSession& s) {
            s.SetItemText(1139, c.text);
            s.Press(IDOK);
            open = s.IsOpen();
            if (open)
                s.Press(IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), c.accepted ? IDOK : IDCANCEL) << c.text;
        EXPECT_EQ(open, !c.accepted) << c.text;
    }
}

TEST_F(AppCommands, SlantedTextQuestionReturnsTheBoxWithEitherAnswer)
{
    Start();
    for (int button : { IDOK, IDCANCEL }) {
        CSlantPrintCheckDialog dlg;
        Ui().QueueDialog([&](IModalSession& s) {
            s.SetCheck(1030, 1);
            s.Press(button);
        });
        EXPECT_EQ(dlg.DoModal(), button);
        EXPECT_EQ(dlg.m_dontShowAgain, 1) << button;
    }
}

TEST_F(AppCommands, DxfSettingsKeepOnlyTheNamesOutsideComments)
{
    Start();
    m_app->m_dxfHalfWidthFonts.RemoveAll();
    m_app->m_dxfHalfWidthFonts.Add("Old1");
    m_app->m_dxfHalfWidthFonts.Add("Old2");
    CString shown;
    Ui().QueueDialog([&](IModalSession& s) {
        shown = s.GetItemText(1143);
        s.SetItemText(1143, "FontA, FontB /* y */, // x");
        s.Press(IDOK);
    });
    Command(ID_ATR_DXF);
    EXPECT_EQ(shown, CString("Old1, Old2, "));
    ASSERT_EQ(m_app->m_dxfHalfWidthFonts.GetSize(), 2);
    EXPECT_EQ(m_app->m_dxfHalfWidthFonts[0], CString("FontA"));
    EXPECT_EQ(m_app->m_dxfHalfWidthFonts[1], CString("FontB"));

    // Cancel keeps the list.
    Ui().QueueDialog([&](IModalSession& s) {
        s.SetItemText(1143, "Other");
        s.Press(IDCANCEL);
    });
    Command(ID_ATR_DXF);
    EXPECT_EQ(m_app->m_dxfHalfWidthFonts.GetSize(), 2);
}

} // namespace

// The printer setup: the paper it leaves is the one the print planning measures.
#include <cmath>

#include "app/ZelkApp.h"
#include "platform/ui/PrintInfo.h"

void CZelkApp::OnFilePrintSetup()
{
    if (ShowHelpInstead(33150))
        return;
    CPrintDialog setup(TRUE);
    // Whatever the dialog answered, the current printer is the one measured.
    if (setup.DoModal() != IDOK)
        setup.GetDefaults();
    m_paperName = " ";
    m_paperSizeText = " ";
    double width = 0.0;
    double height = 0.0;
    if (setup.m_hasPrinter && setup.GetPaperSizeTenths(width, height)) {
        // Whole millimetres, kept in tenths.
        const double wmm = std::floor(width / 10.0 + 0.5);
        const double hmm = std::floor(height / 10.0 + 0.5);
        m_paperSize.Init(wmm * 10.0, hmm * 10.0);
        m_paperSizeText.Format("%d x %d", static_cast<int>(std::min(wmm, hmm)), static_cast<int>(std::max(wmm, hmm)));
        m_paperName = setup.GetFormName();
    } else {
        m_paperSize.Init(0.0, 0.0);
    }
}

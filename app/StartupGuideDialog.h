// The start-up guide: its buttons lead to drawing, to the experience library or to one of the
// four training series; the caller reads which from m_library and m_series.
#pragma once

#include "platform/ui/Dialog.h"

class CStartupGuideDialog : public CDialog {
public:
    enum { IDD = 256 };
    CStartupGuideDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    int m_dontShowAgain = 0;
    int m_series = 0;   // 1 to 4: the training series to start
    int m_library = 0;  // 1: open the experience library

protected:
    DECLARE_MESSAGE_MAP()
    void OnLibrary();
    void OnGeneralTraining();
    void OnBasicOperation();
    void OnMultiCommand();
    void OnFunctions();
    // Every button closes with OK, keeping the check box.
    void Leave(int library, int series);
};

// The start-up guide: to the drawing, to the drawing experience library or into one of the
// training series. Every button closes it with OK and leaves its choice.
#pragma once

#include "platform/ui/Dialog.h"

class CStartupGuideDialog : public CDialog {
public:
    static constexpr UINT IDD = 256;
    CStartupGuideDialog() : CDialog(IDD) {}

    int m_dontShowAgain = 0;
    int m_series = 0;    // 1 to 4: the training series chosen
    int m_library = 0;   // 1: the library was chosen

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnLibrary();
    void OnGeneralTraining();
    void OnOperations();
    void OnMultiCommand();
    void OnFunctions();

private:
    void Choose(int library, int series);
};

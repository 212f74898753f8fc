// The color settings dialog: the user's color list, edited as a sorted list of swatches, and the
// rule that shows colors close to the background in their complement.
#pragma once

#include "app/ColorListBox.h"
#include "platform/core/Arrays.h"
#include "platform/ui/Dialog.h"

class CColorSettingsDialog : public CDialog {
public:
    static constexpr int kCustomColorCount = 16;

    CColorSettingsDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CButton m_deleteButton;
    CButton m_addButton;
    int m_complementThreshold = 55;
    int m_complementFlag = 1;
    COLORREF m_customColors[kCustomColorCount];
    CColorListBox m_colorList;
    // The colors the dialog edits, in the order they were given and added.
    CDWordArray m_colors;

protected:
    DECLARE_MESSAGE_MAP()
    void OnAddColor();
    void OnDeleteColor();

private:
    void ResetCustomColors();
    // Into the list and the working list unless the working list holds it already.
    void AddIfNew(COLORREF color);
};

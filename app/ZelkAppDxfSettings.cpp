// The DXF settings of the settings menu: the fonts read at half character width.
#include "app/DxfSettingsDialog.h"
#include "app/ZelkApp.h"
#include "document/DocEnvironment.h"
#include "formats/BufferRoutines.h"
#include "geometry/Numeric.h"

void CZelkApp::OnDxfSettings()
{
    if (DocOpenHelpIfArmed("Help\\HID_ATR_DXF.htm"))
        return;
    CDxfSettingsDialog dlg;
    for (int i = 0; i < m_dxfHalfWidthFonts.GetSize(); ++i)
        dlg.m_fontNames += m_dxfHalfWidthFonts[i] + ", ";
    if (dlg.DoModal() != IDOK)
        return;
    CStringArray pieces;
    SplitString(dlg.m_fontNames, ',', pieces);
    m_dxfHalfWidthFonts.RemoveAll();
    for (int i = 0; i < pieces.GetSize(); ++i) {
        const CString name = StripComments(pieces[i]);
        if (!name.IsEmpty())
            m_dxfHalfWidthFonts.Add(name);
    }
}

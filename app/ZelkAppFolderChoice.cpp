// The choice of the folders drawing and text files open from and are saved in, among the recent
// folders shown as ten slots.
#include "app/PathSlotDialog.h"
#include "app/ZelkApp.h"
#include "document/DocEnvironment.h"

namespace {

int IndexOf(const CStringArray& list, const CString& folder)
{
    for (int i = 0; i < list.GetSize() && i < CPathSlotDialog::kSlots; ++i)
        if (list[i] == folder)
            return i;
    return 0;
}

// An empty slot holds no folder: it neither goes back into the list nor becomes a folder (an
// empty drawing folder made the names of new drawings relative).
void ChooseFolders(CStringArray& recent, CString& openFolder, CString& saveFolder, const char* title)
{
    CPathSlotDialog dlg;
    for (int k = 0; k < CPathSlotDialog::kSlots && k < recent.GetSize(); ++k)
        dlg.m_slots[k] = recent[k];
    dlg.m_title = title;
    dlg.m_openSlot = IndexOf(recent, openFolder);
    dlg.m_saveSlot = IndexOf(recent, saveFolder);
    if (dlg.DoModal() != IDOK || dlg.m_openSlot < 0)
        return;
    recent.RemoveAll();
    for (const CString& slot : dlg.m_slots)
        if (!slot.IsEmpty())
            recent.Add(slot);
    if (!dlg.m_slots[dlg.m_openSlot].IsEmpty())
        openFolder = dlg.m_slots[dlg.m_openSlot];
    if (dlg.m_saveSlot >= 0 && !dlg.m_slots[dlg.m_saveSlot].IsEmpty())
        saveFolder = dlg.m_slots[dlg.m_saveSlot];
}

} // namespace

void CZelkApp::OnChooseDrawingFolders()
{
    if (DocOpenHelpIfArmed("Help\\HID_ZELKPATH_SEL.htm"))
        return;
    ChooseFolders(m_appPath.m_recentDataFolders, m_appPath.m_initialDataFolder, m_appPath.m_dataFolder, "Zelk のファイルパス");
}

void CZelkApp::OnChooseTextFolders()
{
    if (DocOpenHelpIfArmed("Help\\HID_TEXTPATH_SEL.htm"))
        return;
    ChooseFolders(m_appPath.m_recentTextFolders, m_appPath.m_initialTextFolder, m_appPath.m_textFolder, "Text のファイルパス");
}

// Recovery files: the drawing copied into the program folder every few operations, and one side
// file per placed object, so that the next start can restore what an abnormal end left.
#include "document/ZelkDoc.h"

#include "app/WaitCursorScope.h"
#include "app/ZelkCntrItem.h"
#include "document/DocEnvironment.h"
#include "formats/BufferRoutines.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/Runtime.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

CString CZelkDoc::RecoverySideFileName(int k) const
{
    CString name;
    name.Format("%s.%03d", static_cast<const char*>(m_recoveryBase), k);
    return name;
}

void CZelkDoc::SaveRecoveryFile()
{
    m_nativeWriteMode = 1;
    if (GetViews().empty() || !DocOwnsRecoveryFiles())
        return;
    // Embedded objects stay out of the main file: each has its side file.
    if (GetViews().front()->WriteNativeFile(m_recoveryBase + ".zel", 0))
        m_wroteMainRecovery = TRUE;
    else
        return;
    // Where the drawing belongs, so that a restore gives it back its own path and name; a
    // drawing whose path is unknown records none.
    if (m_pathUnknown) {
        _unlink(m_recoveryBase + ".pth");
        return;
    }
    CStringArray where;
    where.Add(m_path);
    where.Add(m_name);
    // Whether the file is a DXF whose import passed over entities, so that Ctrl+S still asks.
    BOOL lossy = FALSE;
    for (int i = 0; i < m_lossyDxfPaths.GetSize(); ++i)
        lossy = lossy || m_lossyDxfPaths[i] == m_path;
    where.Add(lossy ? "1" : "0");
    WriteTextFileLines(where, m_recoveryBase + ".pth");
}

void CZelkDoc::SaveRecoveryObject(int index)
{
    CWaitCursorScope wait;
    m_nativeWriteMode = 1;
    WriteObjectRecoveryFile(index, RecoverySideFileName(index + 1));
}

void CZelkDoc::WriteObjectRecoveryFile(int index, const CString& name)
{
    if (index < 0 || index >= static_cast<int>(m_objects.size()) || !DocOwnsRecoveryFiles())
        return;
    try {
        CFile file(name, CFile::modeCreate | CFile::modeWrite);
        if (name == RecoverySideFileName(index + 1))
            m_wroteSideRecovery.insert(index + 1);
        CArchive ar(&file, CArchive::store, 4096);
        ar.m_pDocument = this;
        ar << static_cast<LONG>(1);
        // An object without an item it can name is kept as the marker alone.
        auto* obj = dynamic_cast<CZelkOleObj*>(m_objects[static_cast<size_t>(index)]);
        if (obj && obj->m_itemIndex >= 0 &&
            obj->m_itemIndex < static_cast<std::int32_t>(m_oleItems.size()) &&
            m_oleItems[static_cast<size_t>(obj->m_itemIndex)]) {
            obj->Serialize(ar);
            m_oleItems[static_cast<size_t>(obj->m_itemIndex)]->Serialize(ar);
        }
        ar.Close();
        file.Close();
    } catch (CException&) {
        // A side file that cannot be written is missing; nothing is reported.
    }
}

void CZelkDoc::ReadObjectRecoveryFile(const CString& path, int k)
{
    CWaitCursorScope wait;
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return;
    CZelkOleObj* obj = nullptr;
    CZelkCntrItem* item = nullptr;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        ar.m_pDocument = this;
        LONG marker = 0;
        ar >> marker;
        obj = new CZelkOleObj;
        AddObject(obj);
        item = new CZelkCntrItem(this, obj);
        const std::int32_t n = static_cast<std::int32_t>(m_oleItems.size());
        m_oleItems.push_back(item);
        obj->Serialize(ar);
        item->Serialize(ar);
        // The index read names the item in the drawing that wrote the file; here its item is
        // the one just added.
        obj->m_itemIndex = n;
        obj->m_pDocument = this;
        const double f = 0.5 * (k - 1);
        const double dx = (obj->m_bottomRight.m_x - obj->m_topLeft.m_x) * f;
        const double dy = (obj->m_bottomRight.m_y - obj->m_topLeft.m_y) * f;
        obj->m_bottomRight.Init(obj->m_bottomRight.m_x + dx, obj->m_bottomRight.m_y + dy);
        obj->m_topLeft.Init(obj->m_topLeft.m_x + dx, obj->m_topLeft.m_y + dy);
        ar.Close();
        file.Close();
    } catch (CException&) {
        // What a damaged side file added goes again.
        if (item) {
            std::erase(m_oleItems, item);
            delete item;
        }
        if (obj) {
            std::erase(m_objects, static_cast<CZelkObj*>(obj));
            delete obj;
        }
        file.Abort();
    }
}

void CZelkDoc::RemoveRecoveryFiles()
{
    if (m_wroteMainRecovery) {
        _unlink(m_recoveryBase + ".zel");
        _unlink(m_recoveryBase + ".pth");
    }
    for (int k : m_wroteSideRecovery)
        _unlink(RecoverySideFileName(k));
    m_wroteMainRecovery = FALSE;
    m_wroteSideRecovery.clear();
}

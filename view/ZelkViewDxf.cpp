// The view's DXF import: the file read whole into memory and handed to the DXF reader, then the
// drawing shown and the layer-renaming notice given.
#include <climits>
#include <new>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "formats/DxfReader.h"
#include "platform/core/File.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

int CZelkView::LookupDxfLineType(const CObArray& styles, const CString& name)
{
    return DxfLineTypeOf(styles, name);
}

int CZelkView::ReadDxfData(const CString& path, int* layerReplaced)
{
    if (!m_document)
        return 0;
    BYTE* buffer = nullptr;
    int length = 0;
    try {
        CFile file(path, CFile::modeRead | CFile::typeBinary);
        DWORD size = file.GetLength();
        if (size > static_cast<DWORD>(INT_MAX - 16)) {
            Services().MessageBox("使用可能なメモリ領域が十分ではありません", "", MB_OK);
            return 0;
        }
        length = static_cast<int>(size);
        buffer = new (std::nothrow) BYTE[length > 0 ? length : 1];
        if (!buffer) {
            Services().MessageBox("使用可能なメモリ領域が十分ではありません", "", MB_OK);
            return 0;
        }
        length = static_cast<int>(file.Read(buffer, static_cast<UINT>(length)));
        file.Close();
    } catch (CException&) {
        delete[] buffer;
        return 0;
    }
    int result;
    {
        CDxfReader reader(m_document, buffer, length, layerReplaced);
        result = reader.Run();
    }
    delete[] buffer;
    return result;
}

int CZelkView::ReadDxfFile(const CString& path)
{
    if (!m_document)
        return 0;
    m_document->UpdateAllViews(nullptr);
    SendPaint();
    int layerReplaced = 0;
    if (!ReadDxfData(path, &layerReplaced))
        return 0;
    m_document->ComputeExtents();
    ShowAll();
    if (g_pApp) {
        if (layerReplaced == 1)
            g_pApp->ShowMessage("レイヤ名称をデフォルト名に変更した箇所があります", 1);
        g_pApp->m_appPath.AddRecentPath(path, 1);
    }
    return 1;
}

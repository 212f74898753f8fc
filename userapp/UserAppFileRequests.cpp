// Preview and file requests: the rubber-band preview a plug-in shows while it waits for input,
// and the program's file commands run for it.
#include "userapp/UserAppRequests.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "formats/FileDialogs.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/UiServices.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

constexpr short kNotOpened = 22;
constexpr short kListNotOpened = 23;
constexpr short kTextNotOpened = 24;
constexpr short kNotSavedAs = 26;
constexpr short kNotSaved = 28;

// Text files only, for opening.
constexpr int kTextFormats = 16;
constexpr int kTextFolder = 2;

const char* const kNoActiveView = "アクティブビューがないのでファイルの書き出しはできません";

// Codes 175-259: nothing is drawn now; the next preview the views draw uses these.
void SetPreview(UserAppBlock& block, int slot, int code, CZelkDoc& doc)
{
    const std::int16_t number = static_cast<std::int16_t>(code - 200);
    doc.m_previewKind = number;
    if (CUserAppManager* manager = g_pApp->m_userAppManager)
        manager->m_previewCode = number;
    doc.m_previewFlags[0] = block.m_intArgs[slot][0] == 1 ? 1 : 0;
    doc.m_previewFlags[1] = block.m_intArgs[slot][1] == 1 ? 1 : 0;
    for (int i = 0; i < 6; ++i)
        doc.m_previewPoints[i] = block.m_points1[slot][i];
    for (int i = 0; i < 4; ++i)
        doc.m_previewPoints[6 + i] = block.m_points2[slot][i];
    for (int i = 0; i < 5; ++i)
        doc.m_previewValues[i] = block.m_doubleArgs[slot][i];
    for (int i = 0; i < 3; ++i) {
        if (const UserAppLineRecord* r = block.m_lines[slot][i])
            doc.m_previewLines[i].AssignFromRecord(*r);
        if (const UserAppCircleRecord* r = block.m_circles[slot][i])
            doc.m_previewCircles[i].AssignFromRecord(*r);
    }
    if (const UserAppArcRecord* r = block.m_arcs[slot][0])
        doc.m_previewWorkArc.AssignFromRecord(*r);
}

void ServeFileRequest(UserAppBlock& block, int slot, int code)
{
    short& status = block.m_status[slot];
    CZelkDoc* active = g_pApp->GetActiveDrawingDoc();
    switch (code) {
    case 550:
        g_pApp->NewDrawing();
        break;
    case 551:
        g_pApp->NewTextDocument(0);
        break;
    case 552:
        if (!g_pApp->OpenDrawingsWithDialog())
            status = kNotOpened;
        break;
    case 553:
        if (block.m_textLists[slot].GetSize() > 0 && !g_pApp->OpenDrawingFiles(block.m_textLists[slot]))
            status = kListNotOpened;
        break;
    case 554: {
        CString path, title;
        int kind = 0;
        if (!ChooseFileName(path, title, kTextFormats, kind, 1, kTextFolder) || !g_pApp->m_pTextTemplate ||
            !g_pApp->m_pTextTemplate->OpenDocumentFile(path))
            status = kTextNotOpened;
        break;
    }
    case 556:
        if (g_pApp->m_activeView)
            g_pApp->m_activeView->AddOpenFiles();
        break;
    case 560:
        // Without an active view there is nothing to write through.
        if (!active) {
            AfxMessageBox(kNoActiveView);
            status = kNotSavedAs;
        } else if (!active->SaveAs()) {
            status = kNotSavedAs;
        }
        break;
    default:
        if (!active) {
            status = kUserAppNoActiveDrawing;
        } else {
            g_pApp->m_pendingDrawing = active;
            g_pApp->m_pendingView = g_pApp->m_activeView;
            g_pApp->m_savePending = 1;
            if (!active->SaveToFile())
                status = kNotSaved;
        }
        break;
    }
}

} // namespace

bool ServePreviewOrFileRequest(UserAppBlock& block, int slot, int code)
{
    if (code >= 175 && code <= 259) {
        if (CZelkDoc* doc = g_pApp->GetActiveDrawingDoc())
            SetPreview(block, slot, code, *doc);
        else
            block.m_status[slot] = kUserAppNoActiveDrawing;
        return true;
    }
    if ((code >= 550 && code <= 554) || code == 556 || code == 560 || code == 561) {
        ServeFileRequest(block, slot, code);
        return true;
    }
    return false;
}

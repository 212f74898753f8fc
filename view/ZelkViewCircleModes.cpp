// The circle and arc sub-mode menu items: each chooses the main circle command's construction or
// the interrupting instance's edit pattern and refreshes the guidance.
#include "view/ZelkView.h"

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "input/InputEvent.h"

namespace {

struct SubModeItem {
    UINT id;
    short kind;          // 3 circle, 4 arc: a construction of the main instance
    const char* pattern;
    int postsLength;     // the default length stands as the radius at once
};

const SubModeItem kCreationItems[] = {
    { 32981, 3, "PP", 0 },  { 32985, 3, "BB", 0 },  { 32986, 3, "APP", 0 }, { 32987, 3, "DP", 1 },
    { 32989, 3, "DLL", 1 }, { 32995, 3, "LLL", 0 }, { 32996, 3, "NPP", 0 }, { 32997, 3, "DNP", 0 },
    { 32998, 4, "PP", 0 },  { 32999, 4, "BB", 0 },  { 33000, 4, "APP", 0 }, { 33001, 4, "DP", 1 },
    { 33002, 4, "DLL", 1 }, { 33004, 4, "LLL", 0 }, { 33005, 4, "NPP", 0 }, { 33006, 4, "DNP", 0 },
};

struct EditItem {
    UINT id;
    int arc;
    const char* pattern;
};

const EditItem kEditItems[] = {
    { 33007, 0, "%PP" }, { 33008, 0, "%D" }, { 33009, 0, "%Q" }, { 33010, 0, "%JP" },
    { 33011, 1, "#P" },  { 33014, 1, "#SP" }, { 33012, 1, "#pp" }, { 33013, 1, "#D" },
    { 33015, 1, "#Q" },  { 33016, 1, "#JP" },
};

} // namespace

void CZelkView::OnCircleSubMode(UINT id)
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_document;
    if (!app || !doc)
        return;
    for (const SubModeItem& item : kCreationItems) {
        if (item.id != id)
            continue;
        CCircleCommand* circle = doc->m_circleCmd;
        app->m_modeFromMenu = 1;
        if (app->m_appCommand.popupMenuType) {
            app->SwitchMode(doc, nullptr, 1, item.kind, 0);
            app->ComputePreview(doc);
        }
        circle->Reset();
        circle->m_modePattern = item.pattern;
        circle->UpdateLengthInputFlag();
        if (item.postsLength) {
            doc->m_inputEvent->PostValue(circle->m_defaultLength, 6);
            app->ComputePreview(doc);
            return;
        }
        circle->ShowGuidance();
        app->SetGuidance(doc);
        app->ShowPrompt();
        return;
    }
    for (const EditItem& item : kEditItems) {
        if (item.id != id)
            continue;
        CCircleCommand* circle = doc->m_circleCmdInt;
        app->m_modeFromMenu = 1;
        app->SetLayerCondSame();
        circle->m_modePattern = item.pattern;
        if (item.arc)
            circle->m_lastArcEditPattern = item.pattern;
        else
            circle->m_lastCircleEditPattern = item.pattern;
        if (id == 33011 && doc->m_lineCmdInt)
            doc->m_lineCmdInt->m_modePattern = "#L";
        circle->UpdateLengthInputFlag();
        circle->ShowGuidance();
        app->SetGuidance(doc);
        app->ShowPrompt();
        if (item.pattern == CString("%D") || item.pattern == CString("#D"))
            app->ComputePreview(doc);
        return;
    }
}

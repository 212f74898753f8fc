// The execution of a token string: the table that binds each complete pattern (and the
// incomplete ones that show a tentative guide) to its construction or edit, the undo step that
// ends every operation, and the retiring of the line being edited.
#include "commands/line/LineCommand.h"

#include "app/CreationEnvButton.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "commands/line/TokenLists.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"

namespace {

const char* const kMsgTangentFromPoint = "点の位置が接円弧の内部にあり接線は作成できません";
const char* const kMsgTangentToPoint = "点の位置が接円弧の内部にあり、接線は作成できません";
const char* const kMsgTwoCircles = "２円接線は作成できません";
const char* const kMsgExtendAtEnd = "延短先が線分の端点と同じ位置ですので、延短は中止。";

constexpr int kUndoCreated = 1;
constexpr int kUndoEdited = 3;
// The main frame's timer started after a chamfer; its handler only stops it again.
constexpr UINT kChamferTimer = 13;
// The edited line's state while it waits for its redraw as deleted.
constexpr std::uint8_t kStateDeletedPending = 0x88;

// Strings that wait for more input and show nothing.
const CTokenList kWaiting = { "P",  "S",  "SA", "SAN", "SD", "SDN", "B", "BA", "BD", "BAD",
                              "L",  "LN", "LNA", "LA", "LAN", "C",  "A", "DA", "DL", "DC" };
const CTokenList kEditsWaiting = { "#S", "#E", "#A", "#D", "#p", "#l", "#c" };

// The positions of a cut's roles: p1, p2, l1, l2, c1, c2.
struct CCutRow {
    const char* pattern;
    int roles[6];
};
const CCutRow kCuts[] = {
    { "#pp", { 1, 2, -1, -1, -1, -1 } }, { "#pl", { 1, -1, -1, 2, -1, -1 } },
    { "#pc", { 1, -1, -1, -1, -1, 2 } }, { "#lp", { 2, -1, -1, 1, -1, -1 } },
    { "#ll", { -1, -1, 1, 2, -1, -1 } }, { "#lc", { -1, -1, 1, -1, -1, 2 } },
    { "#cp", { 2, -1, -1, -1, -1, 1 } }, { "#cl", { -1, -1, 2, -1, -1, 1 } },
    { "#cc", { -1, -1, -1, -1, 1, 2 } },
};

int LayerCondition()
{
    return g_pApp ? g_pApp->m_appElem.m_layerCondition : 0;
}

} // namespace

template <class Make>
void CLineCommand::RunBundle(int countSlot, Make make)
{
    const double count = m_values[countSlot].value;
    // A line the drawing refuses (past its block limit, or of no length) ends the bundle, so a
    // huge count cannot run on once nothing more can be added.
    for (int i = 0; static_cast<double>(i) < count; ++i)
        if (!make(i, i == 0 ? 0 : 1))
            break;
}

int CLineCommand::Execute()
{
    const CString& t = m_tokenString;
    if (t.IsEmpty())
        return 0;
    if (m_editFlag)
        return ExecuteEdit();
    if (TokenIn(t, kWaiting))
        return 0;

    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    // The tentative guide and the direction mark of the continuous angle line come again
    // before each of its later steps.
    if (t == "PA" || t == "AP" || t == "APP" || t == "APPP" || t == "APPD") {
        if (t == "PA")
            ShowAngleGuideLine(0, 1, 0);
        else
            ShowAngleGuideLine(1, 0, 0);
    }
    if (t == "APP" || t == "APPP" || t == "APPD")
        MakeLineBetweenFeet(1, 2, -1, 0, 0, 0);
    if (t == "PA" || t == "AP" || t == "APP")
        return 0;
    if (t == "PAP") {
        MakeLineBetweenFeet(0, 2, -1, 1, 0, 0);
        return 0;
    }

    std::int16_t block = -1, slot = -1;
    const bool radial = t == "SANP" || t == "SAND" || t == "SDNA" || t == "SDNP";
    const bool parallels = t == "LNP" || t == "LND" || t == "LNAP" || t == "LANP" || t == "LNAHP" || t == "LANHP";
    if (t == "PAPP") {
        MakeLineBetweenFeet(0, 2, 3, 1, 0, 1);
    } else if (t == "APPP") {
        MakeLineBetweenFeet(1, 2, 3, 0, 0, 1);
    } else if (t == "PAPD") {
        MakeLineFromFootByLength(0, 2, 3, 1, 0, 1);
    } else if (t == "APPD") {
        MakeLineFromFootByLength(1, 2, 3, 0, 0, 1);
    } else if (t == "SE") {
        CLayerStep layer(doc);
        AddLineBySlots(0, 1, block, slot, 1, 0);
        layer.Finish();
    } else if (radial || t == "DP" || t == "DAP") {
        if (radial && app)
            app->CommitOperation(doc, 0);
        const std::int16_t writeLayer = doc->m_writeLayer;
        if (t == "SANP")
            RunBundle(2, [this](int i, int keep) { return MakeRadialLineByAngleToPoint(0, 1, 3, i, 1, keep); });
        else if (t == "SAND")
            RunBundle(2, [this](int i, int keep) { return MakeRadialLineByLengthAndAngle(0, 3, 1, i, 1, keep); });
        else if (t == "SDNA")
            RunBundle(2, [this](int i, int keep) { return MakeRadialLineByLengthAndAngle(0, 1, 3, i, 1, keep); });
        else if (t == "SDNP")
            RunBundle(2, [this](int i, int keep) { return MakeRadialLineByLengthToPoint(0, 1, 3, i, 1, keep); });
        else if (t == "DP")
            MakeRadialLineByLengthAndAngle(1, 0, -1, 0, 1, 0);
        else
            MakeRadialLineByLengthAndAngle(2, 0, 1, 0, 1, 0);
        if (LayerCondition() != 2) {
            doc->m_writeLayer = writeLayer;
            doc->RedrawChangedElements(1);
        }
    } else if (t == "BP") {
        MakeRectangle(0, -1, 1, -1, -1);
    } else if (t == "BDD") {
        MakeRectangle(0, -1, -1, 1, 2);
    } else if (t == "BAP") {
        MakeRectangle(0, 1, 2, -1, -1);
    } else if (t == "BADD") {
        MakeRectangle(0, 1, -1, 2, 3);
    } else if (t == "LP") {
        MakeParallelLine(0, 1, -1, -1, 0, 1, 0);
    } else if (t == "LD") {
        MakeParallelLine(0, -1, -1, 1, 0, 1, 0);
    } else if (t == "SL") {
        MakeParallelLine(1, -1, 0, -1, 0, 1, 0);
    } else if (t == "SNL") {
        // The copies moved onto the start point follow the previous operation unclosed.
        RunBundle(1, [this](int i, int keep) { return MakeParallelLine(2, -1, 0, -1, i, 1, keep); });
    } else if (parallels) {
        if (app)
            app->CommitOperation(doc, 0);
        if (t == "LNP")
            RunBundle(1, [this](int i, int keep) { return MakeParallelLine(0, 2, -1, -1, i, 1, keep); });
        else if (t == "LND")
            RunBundle(1, [this](int i, int keep) { return MakeParallelLine(0, -1, -1, 2, i, 1, keep); });
        else if (t == "LNAP")
            RunBundle(1, [this](int i, int keep) { return MakeInclinedLineToLine(0, 2, 3, i, 1, keep); });
        else if (t == "LANP")
            RunBundle(2, [this](int i, int keep) { return MakeInclinedLineToLine(0, 1, 3, i, 1, keep); });
        else if (t == "LNAHP")
            RunBundle(1, [this](int i, int keep) { return MakeInclinedLineThroughPoint(0, 2, 3, 4, i, 1, keep); });
        else
            RunBundle(2, [this](int i, int keep) { return MakeInclinedLineThroughPoint(0, 1, 3, 4, i, 1, keep); });
    } else if (t == "PC" || t == "CP" || t == "CC") {
        const int made = t == "PC"   ? MakeTangentFromPoint(0, 1, 1)
                         : t == "CP" ? MakeTangentFromPoint(1, 0, 1)
                                     : MakeTangentToTwoCircles(0, 1, 1);
        if (!made) {
            if (app)
                app->ShowMessage(t == "PC" ? kMsgTangentFromPoint : t == "CP" ? kMsgTangentToPoint : kMsgTwoCircles, 1);
            return 0;
        }
    } else if (t == "D") {
        if (app)
            app->m_appElem.SetLastCommandKind(1);
        return 0;
    } else if (t == "DLL" || t == "DLC" || t == "DCL" || t == "DCC") {
        return ExecuteChamfer(t == "DLL" ? 0 : t == "DLC" ? 1 : t == "DCL" ? 2 : 3);
    } else {
        // A string the corner mode cannot go on from starts afresh.
        if (t.GetAt(0) == 'D')
            m_tokenString.Empty();
        return 0;
    }
    if (doc->m_undoHistory)
        doc->m_undoHistory->Commit(kUndoCreated);
    return 1;
}

// kind 0 two lines, 1 a line then a circle, 2 a circle then a line, 3 two circles.
int CLineCommand::ExecuteChamfer(int kind)
{
    int trimmed = 0;
    int made = 0;
    switch (kind) {
    case 0: made = ChamferLines(0, 1, 2, trimmed); break;
    case 1: made = ChamferLineAndCircle(0, 1, 2, trimmed); break;
    case 2: made = ChamferLineAndCircle(0, 2, 1, trimmed); break;
    default: made = ChamferCircles(0, 1, 2, trimmed); break;
    }
    if (!made)
        return 0;
    if (m_doc->m_undoHistory)
        m_doc->m_undoHistory->Commit(trimmed ? kUndoEdited : kUndoCreated);
    if (g_pApp && g_pApp->m_pMainFrame)
        g_pApp->m_pMainFrame->StartTimer(kChamferTimer, static_cast<UINT>(g_pApp->m_timerInterval));
    return 1;
}

int CLineCommand::ExecuteEdit()
{
    const CString& t = m_tokenString;
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    if (t == "#") {
        StartEditEnvironment();
        return 0;
    }
    if (TokenIn(t, kEditsWaiting))
        return 0;

    CCreationLog* log = doc->m_creationLog;
    auto commitEdit = [doc]() {
        if (doc->m_undoHistory)
            doc->m_undoHistory->Commit(kUndoEdited);
    };
    // The rebuilt line takes the edited one's place, drawn as logged.
    auto replaceEdited = [this, log, &commitEdit]() {
        DeleteEditedElement();
        commitEdit();
        if (log)
            log->RedrawLogged();
    };
    const CLine* edited = doc->GetLineElem(m_editBlock, m_editSlot);
    if (t == "#L" || t == "#C") {
        if (ExtendLine(-1, t == "#L" ? 1 : -1, t == "#C" ? 1 : -1, 1)) {
            replaceEdited();
        }
        return 1;
    }
    if (t == "#P") {
        const int at = edited ? edited->SnapClassOfPoint(PointOf(1)) : 0;
        if (at == 2 || at == 6) {
            if (app)
                app->ShowMessage(kMsgExtendAtEnd, 1);
            return 1;
        }
        const std::uint8_t state = edited ? edited->m_state : 0;
        DeleteEditedElement();
        if (ExtendLine(1, -1, -1, 1))
            commitEdit();
        else
            PutBackEditedElement(state);
        return 1;
    }
    if (t == "#SP" || t == "#EP") {
        const int condition = LayerCondition();
        CLayerStep layer(doc, condition == 1 && edited ? edited->m_layer : -1);
        std::int16_t block = -1, slot = -1;
        AddLineBySlots(1, 2, block, slot, 1, 0);
        layer.Finish();
        // An end moved onto the other end makes no line: the edited one stays.
        if (block < 0)
            return 1;
        AddLineToSourceGroup(m_editBlock, m_editSlot, block, slot);
        DeleteEditedElement();
        commitEdit();
        return 1;
    }
    if (t == "#AP") {
        if (ChangeLineAngle(1, 2, 1)) {
            DeleteEditedElement();
            commitEdit();
        }
        return 1;
    }
    if (t == "#DP") {
        // The edited line goes first, so that the rebuilt one can take its place.
        const std::uint8_t state = edited ? edited->m_state : 0;
        DeleteEditedElement();
        if (ChangeLineLength(1, 2, 1))
            commitEdit();
        else
            PutBackEditedElement(state);
        return 1;
    }
    for (const CCutRow& row : kCuts) {
        if (t != row.pattern)
            continue;
        const int* r = row.roles;
        if (CutLine(r[0], r[1], r[2], r[3], r[4], r[5], 1)) {
            replaceEdited();
        }
        return 1;
    }
    if (t == "#Q") {
        if (ChangeLineAttributes()) {
            replaceEdited();
        }
        return 1;
    }
    return 0;
}

// The edit takes the selected element's creation environment; the one before comes back when
// the edit has run.
void CLineCommand::StartEditEnvironment()
{
    CZelkApp* app = g_pApp;
    if (!app)
        return;
    m_savedCreationMode = app->m_appElem.m_creationEnv;
    app->m_appElem.m_creationEnv = 1;
    ShowCreationEnvButton(*app);
    app->m_atrElem.ApplyPen();
    app->m_atrElem.ApplyText();
}

void CLineCommand::DeleteEditedElement()
{
    CLine* line = m_doc->GetLineElem(m_editBlock, m_editSlot);
    if (!line)
        return;
    if (m_doc->m_undoHistory)
        m_doc->m_undoHistory->RecordChange(2, ELEM_LINE, m_editBlock, m_editSlot, line->m_state);
    line->m_state = kStateDeletedPending;
    line->m_mark = static_cast<std::uint8_t>(line->m_mark & ~MARK_SELECTED);
    m_doc->RedrawChangedElements(1);
}

// An edit that made nothing leaves the line it had retired as it was, with no deletion waiting
// for the next undo step.
void CLineCommand::PutBackEditedElement(std::uint8_t state)
{
    CLine* line = m_doc->GetLineElem(m_editBlock, m_editSlot);
    if (!line || !(line->m_state & STATE_DELETED))
        return;
    if (CUndoHistory* undo = m_doc->m_undoHistory) {
        auto& pending = undo->m_pendingSecond;
        if (!pending.empty() && pending.back().m_kind == ELEM_LINE && pending.back().m_block == m_editBlock &&
            pending.back().m_slot == m_editSlot)
            pending.pop_back();
    }
    line->m_state = state;
    line->m_mark = static_cast<std::uint8_t>(line->m_mark | MARK_REDRAW);
    m_doc->RedrawChangedElements(1);
}

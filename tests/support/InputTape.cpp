// The input tape: a headless application with one open drawing and its view, fed step by step.
#include "InputTape.h"

#include <sstream>

#include "app/Resource.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupDeleteMode.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/DataPoints.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/LayerOps.h"
#include "input/BasePointInput.h"
#include "input/RelativeCoordSystem.h"
#include "macro/MacroRecorder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/WinUser.h"
#include "userapp/UserAppBlockHolder.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

// The elements of one kind that the test holds true.
template <class Block, class Test>
int CountIn(const CObArray& blocks, Test test)
{
    int n = 0;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const auto* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count && s < Block::SlotCount; ++s)
            n += test(block->m_slots[s]) ? 1 : 0;
    }
    return n;
}

// Over every kind the tape counts.
template <class Test>
int CountAll(const CZelkDoc* d, Test test)
{
    return CountIn<CDataPoints>(d->m_pointBlocks, test) + CountIn<CLines>(d->m_lineBlocks, test) +
           CountIn<CCircles>(d->m_circleBlocks, test) + CountIn<CArcs>(d->m_arcBlocks, test) +
           CountIn<CTexts>(d->m_textBlocks, test);
}

template <class Consumer>
void Clear(Consumer* c)
{
    if (c) {
        c->m_lastInputKind = 0;
        c->m_lastInputSubCode = 0;
    }
}

template <class Consumer>
void Read(std::string& out, const char* name, const Consumer* c)
{
    if (!c || c->m_lastInputKind == 0)
        return;
    if (!out.empty())
        out += ", ";
    out += std::string(name) + " " + std::to_string(c->m_lastInputKind) + "/" + std::to_string(c->m_lastInputSubCode);
}

} // namespace

std::string CTapeStep::Line() const
{
    std::ostringstream s;
    s << what << ": result " << result << " kind " << commandKind << " interrupt " << interruptKind << " mode "
      << interruptMode << " special " << specialMode << " status " << lastStatus << " events " << eventCount
      << " constraint " << pointConstraintMode << " delete " << deleteKeyDown << " beeps " << beeps << " recovery "
      << recoverySaved << " timers " << timers << " consumers [" << consumers << "] prompt [" << prompt << "] hint [" << hint
      << "] message [" << message << "] elements " << elements << " marked " << marked << " logged " << logged << " undo " << undoSteps;
    return s.str();
}

CInputTape::CInputTape()
{
    m_app = new CZelkApp;
    g_pApp = m_app;
    m_app->m_recoveryInterval = 10;
    m_app->m_historyLength = 30;   // the settings' default
    m_app->m_inputBar = new CInputBar;
    m_app->m_layerOps = new CLayerOps;
    m_app->m_basePointInput = new CBasePointInput;
    m_app->m_userAppManager = new CUserAppManager;
    m_app->m_macroRecorder = new CMacroRecorder;
    m_app->m_groupProcessor = new CGroupProcessor;
    m_app->m_userAppBlockHolder = new UserAppBlockHolder;
    m_app->m_userAppBlockHolder->CreateBlock();
    m_template = new CMultiDocTemplate(IDR_ZELKTYPE, RUNTIME_CLASS(CZelkDoc), nullptr, RUNTIME_CLASS(CZelkView));
    m_app->m_pDocTemplate = m_template;
    m_doc = new CZelkDoc;
    m_doc->m_bAutoDelete = FALSE;
    m_template->AddDocument(m_doc);
    m_view = new CZelkView;
    m_doc->AddView(m_view);
    m_app->m_activeView = m_view;
    UiResetKeyState();
}

CInputTape::~CInputTape()
{
    UiResetKeyState();
    m_doc->RemoveView(m_view);
    delete m_view;
    m_template->RemoveDocument(m_doc);
    delete m_doc;
    m_app->m_pDocTemplate = nullptr;
    delete m_template;
    delete m_app->m_inputBar;
    delete m_app->m_layerOps;
    delete m_app->m_basePointInput;
    delete m_app->m_userAppManager;
    delete m_app->m_macroRecorder;
    delete m_app->m_groupProcessor;
    m_app->m_userAppBlockHolder->DestroyBlock();
    delete m_app->m_userAppBlockHolder;
    m_app->m_userAppBlockHolder = nullptr;
    m_app->m_inputBar = nullptr;
    m_app->m_layerOps = nullptr;
    m_app->m_basePointInput = nullptr;
    m_app->m_userAppManager = nullptr;
    m_app->m_macroRecorder = nullptr;
    m_app->m_groupProcessor = nullptr;
    g_pApp = nullptr;
    delete m_app;
}

UserAppBlock& CInputTape::Block()
{
    return *m_app->m_userAppBlockHolder->m_block;
}

void CInputTape::Hold(bool shift, bool ctrl)
{
    UiNoteKey(VK_SHIFT, shift);
    UiNoteKey(VK_CONTROL, ctrl);
}

void CInputTape::ClearConsumers()
{
    CZelkDoc* d = m_doc;
    Clear(d->m_pointCmd);
    Clear(d->m_lineCmd);
    Clear(d->m_circleCmd);
    Clear(d->m_textCmd);
    Clear(d->m_dimCmd);
    Clear(d->m_loopCmd);
    Clear(d->m_pointCmdInt);
    Clear(d->m_lineCmdInt);
    Clear(d->m_circleCmdInt);
    Clear(d->m_textCmdInt);
    Clear(d->m_dimCmdInt);
    Clear(d->m_groupDeleteMode);
    Clear(d->m_relativeSystem);
    Clear(m_app->m_layerOps);
    Clear(m_app->m_basePointInput);
    Clear(m_app->m_userAppManager);
    Clear(m_app->m_groupProcessor);
    m_app->m_macroRecorder->m_notedInputs = 0;
}

int CInputTape::CountMarked() const
{
    return CountAll(m_doc, [](const auto& e) { return !(e.m_state & 8) && (e.m_mark & (2 | 8 | 16)); });
}

std::string CInputTape::ReadConsumers() const
{
    const CZelkDoc* d = m_doc;
    std::string out;
    if (m_app->m_macroRecorder->m_notedInputs)
        out = "recorder";
    Read(out, "group", m_app->m_groupProcessor);
    Read(out, "userapp", m_app->m_userAppManager);
    Read(out, "layers", m_app->m_layerOps);
    Read(out, "base point", m_app->m_basePointInput);
    Read(out, "relative", d->m_relativeSystem);
    Read(out, "point*", d->m_pointCmdInt);
    Read(out, "line*", d->m_lineCmdInt);
    Read(out, "circle*", d->m_circleCmdInt);
    Read(out, "text*", d->m_textCmdInt);
    Read(out, "dimension*", d->m_dimCmdInt);
    Read(out, "point", d->m_pointCmd);
    Read(out, "line", d->m_lineCmd);
    Read(out, "circle", d->m_circleCmd);
    Read(out, "text", d->m_textCmd);
    Read(out, "dimension", d->m_dimCmd);
    Read(out, "loop", d->m_loopCmd);
    Read(out, "group delete", d->m_groupDeleteMode);
    return out;
}

int CInputTape::CountElements() const
{
    return CountAll(m_doc, [](const auto& e) { return !(e.m_state & 8); });
}

template <class Action>
const CTapeStep& CInputTape::Step(const std::string& what, Action action)
{
    CScriptedServices& services = DefaultScriptedServices();
    const size_t beeps = services.m_beeps.size();
    ClearConsumers();
    m_doc->m_nativeWriteMode = 0;
    CTapeStep step;
    step.what = what;
    step.result = action();
    step.commandKind = m_app->m_commandKind;
    step.interruptKind = m_app->m_interruptKind;
    step.interruptMode = m_app->m_interruptMode;
    step.specialMode = m_app->m_specialMode;
    step.lastStatus = m_app->m_lastStatus;
    step.eventCount = m_app->m_eventCount;
    step.pointConstraintMode = m_app->m_pointConstraintMode;
    step.deleteKeyDown = m_app->m_deleteKeyDown;
    step.beeps = static_cast<int>(services.m_beeps.size() - beeps);
    step.recoverySaved = m_doc->m_nativeWriteMode == 1 ? 1 : 0;
    step.timers = services.RunningTimerCount();
    step.consumers = ReadConsumers();
    step.prompt = m_app->m_prompt.GetString();
    step.hint = m_app->m_hint.GetString();
    step.message = m_view->m_messageText.GetString();
    step.elements = CountElements();
    step.marked = CountMarked();
    step.logged = static_cast<int>(m_doc->m_creationLog->m_log.size());
    step.undoSteps = m_doc->m_undoHistory->GetStepCount();
    m_steps.push_back(step);
    return m_steps.back();
}

const CTapeStep& CInputTape::Code(int code)
{
    return Step("code " + std::to_string(code), [&] { return static_cast<int>(m_app->DispatchCommand(m_doc, m_view, code)); });
}

const CTapeStep& CInputTape::Key(int virtualKey)
{
    return Step("key " + std::to_string(virtualKey), [&] {
        m_app->m_lastKey = virtualKey;
        return static_cast<int>(m_app->DispatchCommand(m_doc, m_view, 7));
    });
}

const CTapeStep& CInputTape::Button(int code, CPointD world)
{
    return Step("button " + std::to_string(code), [&] {
        switch (code) {
        case 1: m_app->m_leftPressPoint = world; m_app->m_leftButtonDown = 1; break;
        case 2: m_app->m_leftReleasePoint = world; break;
        case 3: m_app->m_rightPressPoint = world; m_app->m_rightButtonDown = 1; break;
        case 4: m_app->m_rightReleasePoint = world; break;
        case 9: m_app->m_middlePressPoint = world; m_app->m_middleButtonDown = 1; break;
        case 10: m_app->m_middleReleasePoint = world; break;
        default: break;
        }
        m_view->m_cursorWorldPoint = world;
        const int result = static_cast<int>(m_app->DispatchCommand(m_doc, m_view, code));
        if (code == 2)
            m_app->m_leftButtonDown = 0;
        return result;
    });
}

const CTapeStep& CInputTape::PostPoint(CPointD world, int subCode)
{
    return Step("point " + std::to_string(subCode), [&] {
        m_doc->m_inputEvent->PostPoint(world, subCode);
        return -1;
    });
}

const CTapeStep& CInputTape::PostPointPair(CPointD world, CPointD relative, int subCode)
{
    return Step("typed point " + std::to_string(subCode), [&] {
        m_doc->m_inputEvent->PostPointPair(world, relative, subCode);
        return -1;
    });
}

const CTapeStep& CInputTape::PostValue(double value, int subCode)
{
    return Step("value " + std::to_string(subCode), [&] {
        m_doc->m_inputEvent->PostValue(value, subCode);
        return -1;
    });
}

const CTapeStep& CInputTape::PostPick(int subCode)
{
    return Step("pick " + std::to_string(subCode), [&] {
        m_doc->m_inputEvent->PostPick(subCode);
        return -1;
    });
}

const CTapeStep& CInputTape::PostText(const CString& text, int subCode)
{
    return Step("text " + std::to_string(subCode), [&] {
        m_doc->m_inputEvent->PostText(text, subCode);
        return -1;
    });
}

const CTapeStep& CInputTape::PostInt(int value, int subCode)
{
    return Step("option " + std::to_string(subCode), [&] {
        m_doc->m_inputEvent->PostInt(value, subCode);
        return -1;
    });
}

const CTapeStep& CInputTape::Event(int kind, int subCode)
{
    return Step("event " + std::to_string(kind) + "/" + std::to_string(subCode), [&] {
        m_app->DispatchInputEvent(m_doc, kind, subCode);
        return -1;
    });
}

const CTapeStep& CInputTape::Run(const std::string& what, const std::function<void()>& action)
{
    return Step(what, [&] {
        action();
        return -1;
    });
}

std::vector<std::string> CInputTape::Lines() const
{
    std::vector<std::string> out;
    for (const CTapeStep& s : m_steps)
        out.push_back(s.Line());
    return out;
}

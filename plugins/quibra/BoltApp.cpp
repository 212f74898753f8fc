// QUIBRA's entry, application object and dialogue: every text it shows, the steps of diameter,
// length and thread length, and the replies written into the exchange block.
#include "plugins/quibra/BoltApp.h"

#include "platform/core/Runtime.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"

namespace {

// The texts of the dialogue, word for word.
const char* const kStartHint = "六角ボルトの呼び径、長さ、有効長を順に入力してください。終了ESC。JIS推奨寸法に丸めます。";
const char* const kStartPrompt = "[六角ボルトの配置] 呼び径 or 終了ESC";
const char* const kPromptHead = "[六角ボルトの配置] 呼び径=";
const char* const kLengthRequest = "六角ボルトの長さを入力してください。";
const char* const kLengthPromptTail = " 長さ or 終了ESC";
const char* const kThreadRequest = "六角ボルトのねじ部の長さを入力してください。";
const char* const kLengthLabel = " 長さ=";
const char* const kThreadPromptTail = " ねじ部の長さ or 終了ESC";
const char* const kDiameterLimit = "呼び径は 80 以下を入力してください。";
const char* const kLengthLimit = "長さは 400 以下を入力してください。";
const char* const kThreadLimit = "ねじ部の長さは 400 以下を入力してください。";
const char* const kSizeFailure = "呼び径､長さ､ねじ部の長さがこのアプリケーションの対応外の寸法です。終了ESC。";
const char* const kTaskError = "タスクエラーです。呼び径を入力してください。終了ESC。";

// Events of the program.
constexpr int kEventStart = 0;
constexpr int kEventNumber = 11;
constexpr int kEventLength = 15;
constexpr int kEventDone = 100;
constexpr int kEventFailed = 101;

// Requests written.
constexpr short kShowPrompt = 1;
constexpr short kShowHint = 2;
constexpr short kShowMessage = 4;
constexpr short kGetElemSettings = 104;
constexpr short kPlaceInNewDrawing = 441;

// Steps of the dialogue, kept in the block.
constexpr short kStepDiameter = 1;
constexpr short kStepLength = 2;
constexpr short kStepThread = 3;
constexpr short kStepPlacing = 4;

// The prompts show numbers as typed: 15 significant digits without a trailing point.
CString NumberText(double v)
{
    char buffer[_CVTBUFSIZE];
    CString s(_gcvt(v, 15, buffer));
    if (s.GetLength() > 1 && s.GetAt(s.GetLength() - 1) == '.')
        s = s.Left(s.GetLength() - 1);
    return s;
}

// The string goes in before the code that asks for it.
void Request(UserAppBlock& block, int slot, short code, const CString& text)
{
    block.m_stringArgs[slot][0] = text;
    block.m_codes[slot] = code;
}

CBoltApp theApp;

}  // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-local-typedefs"
BEGIN_MESSAGE_MAP(CBoltApp, CWinApp)
END_MESSAGE_MAP()
#pragma GCC diagnostic pop

CBoltApp::CBoltApp() : CWinApp(nullptr)
{
}

void CBoltApp::WriteStartTexts(UserAppBlock& block)
{
    Request(block, 0, kShowHint, kStartHint);
    Request(block, 1, kShowPrompt, kStartPrompt);
}

void CBoltApp::TakeNumber(UserAppBlockHolder* holder, double v)
{
    UserAppBlock& block = *holder->m_block;
    switch (block.m_step) {
    case kStepDiameter:
        if (v >= 80.1) {
            Request(block, 0, kShowHint, kDiameterLimit);
            break;
        }
        diameter = v;
        Request(block, 0, kShowHint, kLengthRequest);
        Request(block, 1, kShowPrompt, kPromptHead + NumberText(diameter) + kLengthPromptTail);
        block.m_step = kStepLength;
        break;
    case kStepLength:
        if (v >= 400.1) {
            Request(block, 0, kShowMessage, kLengthLimit);
            break;
        }
        length = v;
        Request(block, 0, kShowHint, kThreadRequest);
        Request(block, 1, kShowPrompt,
                kPromptHead + NumberText(diameter) + kLengthLabel + NumberText(length) + kThreadPromptTail);
        block.m_step = kStepThread;
        break;
    case kStepThread:
        if (v >= 400.1) {
            Request(block, 0, kShowMessage, kThreadLimit);
            break;
        }
        threadLength = v;
        if (BuildFigure(0, holder)) {
            block.m_codes[0] = kPlaceInNewDrawing;
            block.m_points1[0][0].Init(0, 0);
            block.m_step = kStepPlacing;
        } else {
            WriteStartTexts(block);
            Request(block, 2, kShowMessage, kSizeFailure);
            block.m_step = kStepDiameter;
        }
        break;
    default:
        // Placing: the number is not asked for, and nothing is written.
        return;
    }
    block.m_requestFlag = 1;
}

void CBoltApp::OnEvent(UserAppBlockHolder* holder, int event)
{
    if (!holder || !holder->m_block)
        return;
    UserAppBlock& block = *holder->m_block;
    switch (event) {
    case kEventStart:
        WriteStartTexts(block);
        block.m_codes[2] = kGetElemSettings;
        block.m_step = kStepDiameter;
        block.m_requestFlag = 1;
        break;
    case kEventNumber:
        TakeNumber(holder, block.m_numberValue);
        break;
    case kEventLength:
        TakeNumber(holder, block.m_lengthValue);
        break;
    case kEventDone:
        if (block.m_step == kStepDiameter) {
            thickPenWidth = block.m_elemTable[2]->m_thickWidth;
        } else if (block.m_step == kStepPlacing) {
            WriteStartTexts(block);
            block.m_step = kStepDiameter;
            block.m_requestFlag = 1;
        }
        break;
    case kEventFailed:
        WriteStartTexts(block);
        Request(block, 0, kShowMessage, kTaskError);
        block.m_step = kStepDiameter;
        block.m_requestFlag = 1;
        break;
    default:
        break;
    }
}

// The holder is passed as a pointer: a 32-bit argument cannot carry an address here.
extern "C" __attribute__((visibility("default"))) void DllCall(UserAppBlockHolder* holder, int event)
{
    theApp.OnEvent(holder, event);
}

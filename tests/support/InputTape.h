// The input tape: feeds a drawing's input hub what the views, keys and producers feed it and
// reads back, after each step, what the user and the commands would see. One line per step.
// A headless application with one drawing and one view; the drawing is an open drawing of the
// application, as the dispatcher requires.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "geometry/PointD.h"
#include "platform/core/String.h"

class CMultiDocTemplate;
class CZelkDoc;
class CZelkView;
class UserAppBlock;

// What one step left behind.
struct CTapeStep {
    std::string what;           // the step as fed
    int result = -1;            // the dispatcher's result; -1 for a posted input
    int commandKind = 0;
    int interruptKind = 0;
    int interruptMode = 0;
    int specialMode = 0;
    int lastStatus = 0;
    int eventCount = 0;
    int pointConstraintMode = 0;
    int deleteKeyDown = 0;
    int beeps = 0;              // beeps sounded by the step
    int recoverySaved = 0;      // the drawing wrote its recovery file during the step
    int timers = 0;             // timers running after the step
    std::string consumers;      // "line 4/0": every consumer that took an input in the step
    std::string prompt;
    std::string hint;
    std::string message;        // the message line
    int elements = 0;           // live elements of the drawing
    int marked = 0;             // live elements with a selection mark (bits 2, 8 or 16)
    int logged = 0;             // elements the running operation has logged
    int undoSteps = 0;

    std::string Line() const;
};

class CInputTape {
public:
    CInputTape();
    ~CInputTape();
    CInputTape(const CInputTape&) = delete;
    CInputTape& operator=(const CInputTape&) = delete;

    CZelkApp& App() { return *m_app; }
    CZelkDoc& Doc() { return *m_doc; }
    CZelkView& View() { return *m_view; }
    // The plug-ins' exchange block, made as at start-up.
    UserAppBlock& Block();

    // Keys held during the following steps, as the window layer reports them.
    void Hold(bool shift, bool ctrl);

    // A dispatcher code, as the view's command handlers send it.
    const CTapeStep& Code(int code);
    // A key as the view's key handling hands it over: m_lastKey, then code 7.
    const CTapeStep& Key(int virtualKey);
    // A mouse button as the view's handlers report it: the button's press or release point
    // and its down flag are written first. code 1-6, 9-11.
    const CTapeStep& Button(int code, CPointD world);

    // Input events as their producers post them.
    const CTapeStep& PostPoint(CPointD world, int subCode);
    // A typed point: its relative form as typed.
    const CTapeStep& PostPointPair(CPointD world, CPointD relative, int subCode);
    const CTapeStep& PostValue(double value, int subCode);
    const CTapeStep& PostPick(int subCode);
    const CTapeStep& PostText(const CString& text, int subCode);
    const CTapeStep& PostInt(int value, int subCode);
    // An input event without payload (kinds 9, 12, 13, 15, 16).
    const CTapeStep& Event(int kind, int subCode);

    // Any other action (a menu handler, a command's own entry), read back like the steps above.
    const CTapeStep& Run(const std::string& what, const std::function<void()>& action);

    // Every line so far.
    std::vector<std::string> Lines() const;
    const std::vector<CTapeStep>& Steps() const { return m_steps; }

private:
    template <class Action>
    const CTapeStep& Step(const std::string& what, Action action);
    void ClearConsumers();
    std::string ReadConsumers() const;
    int CountElements() const;
    int CountMarked() const;

    CZelkApp* m_app = nullptr;
    CMultiDocTemplate* m_template = nullptr;
    CZelkDoc* m_doc = nullptr;
    CZelkView* m_view = nullptr;
    std::vector<CTapeStep> m_steps;
};

// The one door through which the program reaches the user and the clock: message boxes, beeps,
// sleeps, time and timers. The window layer installs the real implementation; headless programs
// and tests use CScriptedServices, which answers message boxes from a script, records every call,
// skips sleeps and lets a test fire timers and move the clock by hand.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <utility>
#include <vector>

// Message box styles and results, with Windows' values.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A timer's owner is any object address (a window); ids are per owner, as on Windows.
using TimerOwner = const void*;
using TimerCallback = std::function<void(UINT id)>;

class IPlatformServices {
public:
    virtual ~IPlatformServices() = default;

    // A modal message box; returns IDOK, IDCANCEL, IDYES, IDNO ...
    virtual int MessageBox(const CString& text, const CString& caption, UINT type) = 0;
    // MessageBeep(type); type 0xFFFFFFFF is the simple beep.
    virtual void MessageBeep(UINT type) = 0;
    virtual void Sleep(DWORD milliseconds) = 0;
    // Milliseconds since an arbitrary start, and seconds since 1970 (the C library's time()).
    virtual DWORD GetTickCount() = 0;
    virtual std::int64_t Time() = 0;
    // A repeating timer until stopped, as SetTimer gives it; starting an active id restarts it.
    // Returns FALSE when no timer can be had.
    virtual BOOL StartTimer(TimerOwner owner, UINT id, UINT elapse, TimerCallback callback) = 0;
    virtual BOOL StopTimer(TimerOwner owner, UINT id) = 0;
    // Opens a document or folder with the desktop's handler (the shell's "open"); TRUE on success.
    virtual BOOL ShellOpen(const CString& path) = 0;
};

// The installed services; CScriptedServices until the window layer installs its own.
IPlatformServices& Services();
// Installs services (not owned); nullptr restores the default scripted services.
void SetServices(IPlatformServices* services);

// Convenience forms of the framework's calls.
int AfxMessageBox(const CString& text, UINT type = MB_OK);
void MessageBeep(UINT type);
void Sleep(DWORD milliseconds);
DWORD GetTickCount();

// Headless services for tests and programs without a window.
class CScriptedServices : public IPlatformServices {
public:
    struct MessageRecord {
        CString text;
        CString caption;
        UINT type;
        int answer;
    };
    struct TimerRecord {
        UINT elapse;
        std::uint64_t due;
        TimerCallback callback;
    };

    int MessageBox(const CString& text, const CString& caption, UINT type) override;
    void MessageBeep(UINT type) override;
    void Sleep(DWORD milliseconds) override;
    DWORD GetTickCount() override { return static_cast<DWORD>(m_now); }
    std::int64_t Time() override { return m_epoch + static_cast<std::int64_t>(m_now / 1000); }
    BOOL StartTimer(TimerOwner owner, UINT id, UINT elapse, TimerCallback callback) override;
    BOOL StopTimer(TimerOwner owner, UINT id) override;
    BOOL ShellOpen(const CString& path) override;

    // Scripting: answers given to the next message boxes in order; without one a box answers
    // with its first button (IDOK, IDYES, IDABORT or IDRETRY).
    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    // Timers: fire one by hand (FALSE when it is not running); advance the clock, firing every
    // timer that falls due on the way, in time order.
    BOOL FireTimer(TimerOwner owner, UINT id);
    void Advance(DWORD milliseconds);
    BOOL IsTimerActive(TimerOwner owner, UINT id) const;
    // The period a running timer was armed with; 0 when it is not running.
    UINT TimerElapse(TimerOwner owner, UINT id) const;
    // How many timers run.
    int RunningTimerCount() const { return static_cast<int>(m_timers.size()); }
    void SetTime(std::int64_t secondsSince1970) { m_epoch = secondsSince1970 - static_cast<std::int64_t>(m_now / 1000); }
    // A timer start that fails, to test the "no timer left" paths.
    void FailTimerStarts(bool fail) { m_failTimers = fail; }
    void SetShellOpenResult(BOOL ok) { m_shellResult = ok; }

    // What happened.
    std::vector<MessageRecord> m_messages;
    std::vector<UINT> m_beeps;
    std::vector<DWORD> m_sleeps;
    std::vector<CString> m_opened;

private:
    std::deque<int> m_answers;
    std::map<std::pair<TimerOwner, UINT>, TimerRecord> m_timers;
    std::uint64_t m_now = 0;
    std::int64_t m_epoch = 1700000000;
    bool m_failTimers = false;
    BOOL m_shellResult = TRUE;
};

// The scripted services that are installed by default.
CScriptedServices& DefaultScriptedServices();

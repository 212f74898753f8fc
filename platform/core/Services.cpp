// The services door and its scripted, headless implementation.
#include "platform/core/Services.h"

#include "platform/core/ProgramFolder.h"

namespace {

IPlatformServices* g_services = nullptr;

} // namespace

CScriptedServices& DefaultScriptedServices()
{
    static CScriptedServices services;
    return services;
}

IPlatformServices& Services()
{
    return g_services ? *g_services : DefaultScriptedServices();
}

void SetServices(IPlatformServices* services)
{
    g_services = services;
}

int AfxMessageBox(const CString& text, UINT type)
{
    return Services().MessageBox(ScreenPathText(text), CString("Zelk"), type);
}

void MessageBeep(UINT type)
{
    Services().MessageBeep(type);
}

void Sleep(DWORD milliseconds)
{
    Services().Sleep(milliseconds);
}

DWORD GetTickCount()
{
    return Services().GetTickCount();
}

int CScriptedServices::MessageBox(const CString& text, const CString& caption, UINT type)
{
    int answer;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    } else {
        switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL:
            answer = IDYES;
            break;
        case MB_ABORTRETRYIGNORE:
            answer = IDABORT;
            break;
        case MB_RETRYCANCEL:
            answer = IDRETRY;
            break;
        default:
            answer = IDOK;
            break;
        }
    }
    m_messages.push_back({text, caption, type, answer});
    return answer;
}

void CScriptedServices::MessageBeep(UINT type)
{
    m_beeps.push_back(type);
}

void CScriptedServices::Sleep(DWORD milliseconds)
{
    m_sleeps.push_back(milliseconds);
}

BOOL CScriptedServices::StartTimer(TimerOwner owner, UINT id, UINT elapse, TimerCallback callback)
{
    if (m_failTimers)
        return FALSE;
    m_timers[{owner, id}] = TimerRecord{elapse, m_now + (elapse ? elapse : 1), std::move(callback)};
    return TRUE;
}

BOOL CScriptedServices::StopTimer(TimerOwner owner, UINT id)
{
    return m_timers.erase({owner, id}) ? TRUE : FALSE;
}

BOOL CScriptedServices::ShellOpen(const CString& path)
{
    m_opened.push_back(path);
    return m_shellResult;
}

BOOL CScriptedServices::FireTimer(TimerOwner owner, UINT id)
{
    auto it = m_timers.find({owner, id});
    if (it == m_timers.end())
        return FALSE;
    it->second.due = m_now + (it->second.elapse ? it->second.elapse : 1);
    // The callback may stop or restart this or any timer: call a copy.
    TimerCallback callback = it->second.callback;
    if (callback)
        callback(id);
    return TRUE;
}

void CScriptedServices::Advance(DWORD milliseconds)
{
    std::uint64_t end = m_now + milliseconds;
    for (;;) {
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
            if (it->second.due <= end && (next == m_timers.end() || it->second.due < next->second.due))
                next = it;
        if (next == m_timers.end())
            break;
        m_now = next->second.due;
        auto key = next->first;
        FireTimer(key.first, key.second);
    }
    m_now = end;
}

BOOL CScriptedServices::IsTimerActive(TimerOwner owner, UINT id) const
{
    return m_timers.count({owner, id}) ? TRUE : FALSE;
}

UINT CScriptedServices::TimerElapse(TimerOwner owner, UINT id) const
{
    const auto it = m_timers.find({owner, id});
    return it == m_timers.end() ? 0 : it->second.elapse;
}

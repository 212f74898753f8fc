// The wait cursor for the life of a scope, while a long file operation runs.
#pragma once

#include "platform/ui/WinApp.h"

class CWaitCursorScope {
public:
    // Without an application (a headless run) there is no cursor to change.
    CWaitCursorScope() : m_app(AfxGetApp())
    {
        if (m_app)
            m_app->BeginWaitCursor();
    }
    ~CWaitCursorScope()
    {
        if (m_app)
            m_app->EndWaitCursor();
    }
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;

private:
    CWinApp* m_app;
};

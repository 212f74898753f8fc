// The real services of the program: Qt message boxes, dialogs, timers, the clock, beeps,
// sleeps and the desktop's "open".
#pragma once

#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"

#include <map>
#include <memory>

class CQtServices : public IPlatformServices, public IUiServices {
public:
    CQtServices();
    ~CQtServices() override;

    int MessageBox(const CString& text, const CString& caption, UINT type) override;
    void MessageBeep(UINT type) override;
    void Sleep(DWORD milliseconds) override;
    DWORD GetTickCount() override;
    std::int64_t Time() override;
    BOOL StartTimer(TimerOwner owner, UINT id, UINT elapse, TimerCallback callback) override;
    BOOL StopTimer(TimerOwner owner, UINT id) override;
    BOOL ShellOpen(const CString& path) override;

    void RunModal(IModalSession& session) override;
    BOOL FileDialog(CFileDialogRequest& request) override;
    BOOL ColorDialog(COLORREF& color, DWORD flags, COLORREF* customColors) override;
    BOOL FontDialog(LOGFONT& font, COLORREF& color, DWORD flags) override;
    BOOL PrintDialog(CPrintDialogRequest& request) override;
    BOOL PrinterDefaults(CPrintDialogRequest& request) override;
    UINT TrackPopupMenu(const std::vector<CPopupItem>& items, POINT at, UINT flags) override;
    void RunPrintPreview(void* previewDialog) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

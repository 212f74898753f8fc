// The delayed save shared by drawings and text windows: the state File Save leaves in the
// application, what timer 18 does with it, and Escape's cancel.
#include "app/ZelkApp.h"

#include "app/MainFrame.h"
#include "app/SaveCancelledDialog.h"
#include "app/SaveCountdownDialog.h"
#include "app/SaveNoticeDialog.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "macro/TextDoc.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

namespace {

constexpr UINT kDrawingSaveTimer = 18;
constexpr UINT kTextSaveTimer = 19;
constexpr DWORD kNoticeMilliseconds = 500;

template <class Notice>
void Flash(DWORD milliseconds)
{
    Notice notice;
    notice.Create(Notice::IDD);
    Sleep(milliseconds);
    notice.DestroyWindow();
}

} // namespace

void CZelkApp::FlashSaveNotice(UINT templateId, DWORD milliseconds)
{
    if (templateId == CSaveNoticeDialog::IDD)
        Flash<CSaveNoticeDialog>(milliseconds);
    else if (templateId == CSaveCancelledDialog::IDD)
        Flash<CSaveCancelledDialog>(milliseconds);
}

void CZelkApp::CountDownToSave(CDocument* doc, const CString& path, UINT timerId)
{
    {
        CSaveCountdownDialog countdown;
        countdown.m_fileText = SaveNoticePathText(path);
        countdown.m_secondsText = DoubleToString(m_saveInterval * 0.001);
        countdown.Create(CSaveCountdownDialog::IDD);
        Sleep(static_cast<DWORD>(m_saveNoticeTime));
        countdown.DestroyWindow();
    }
    // Only the first save of a run keeps the notice up for the full time.
    while (m_saveNoticeTime >= 1250)
        m_saveNoticeTime -= 250;
    m_modifiedBeforeSave = 0;
    if (doc->IsModified()) {
        doc->SetModifiedFlag(FALSE);
        m_modifiedBeforeSave = 1;
    }
    if (m_pMainFrame)
        m_pMainFrame->StartTimer(timerId, static_cast<UINT>(m_saveInterval));
}

void CZelkApp::CancelPendingSave()
{
    const bool pending = m_savePending || m_pendingDrawing || m_pendingTextDoc;
    if (m_pMainFrame) {
        m_pMainFrame->StopTimer(kDrawingSaveTimer);
        if (m_pendingTextDoc)
            m_pMainFrame->StopTimer(kTextSaveTimer);
    }
    if (!pending)
        return;
    FlashSaveNotice(CSaveCancelledDialog::IDD, kNoticeMilliseconds);
    if (m_modifiedBeforeSave == 1) {
        if (m_pendingDrawing)
            m_pendingDrawing->SetModifiedFlag(TRUE);
        if (m_pendingTextDoc)
            m_pendingTextDoc->SetModifiedFlag(TRUE);
    }
    m_savePending = 0;
    m_pendingDrawing = nullptr;
    m_pendingTextDoc = nullptr;
    m_pendingView = nullptr;
    m_modifiedBeforeSave = 0;
}

CZelkView* CZelkApp::PendingWriterView() const
{
    CZelkDoc* doc = m_pendingDrawing;
    if (!doc)
        return nullptr;
    for (int i = 0; i < m_drawingViews.GetSize(); ++i)
        if (m_drawingViews[i] == m_pendingView && m_pendingView->m_document == doc)
            return m_pendingView;
    return doc->GetViews().empty() ? nullptr : doc->GetViews().front();
}

// The pending document written after the overwrite notice. Its modified flag was cleared at File
// Save so that a change made while waiting marks it again; a write that failed must not leave
// it looking saved.
template <class Doc>
void CZelkApp::WritePending(Doc* doc)
{
    if (!doc)
        return;
    FlashSaveNotice(CSaveNoticeDialog::IDD, kNoticeMilliseconds);
    const int restore = m_modifiedBeforeSave;
    m_modifiedBeforeSave = 0;
    if (!doc->SaveToFile() && restore == 1)
        doc->SetModifiedFlag(TRUE);
}

void CZelkApp::WritePendingDrawing()
{
    WritePending(m_pendingDrawing);
}

void CZelkApp::WritePendingText()
{
    WritePending(m_pendingTextDoc);
}

void CZelkApp::FinishPendingSave()
{
    if (m_pendingTextDoc) {
        if (m_pMainFrame)
            m_pMainFrame->StopTimer(kTextSaveTimer);
        WritePendingText();
        return;
    }
    if (!m_pendingDrawing)
        return;
    if (m_pMainFrame)
        m_pMainFrame->StopTimer(kDrawingSaveTimer);
    WritePendingDrawing();
}

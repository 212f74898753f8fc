// The scripted window-layer services and the switch between them and the real ones.
#include "platform/ui/UiServices.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

namespace {
IUiServices* g_ui = nullptr;
}

CScriptedUiServices& DefaultScriptedUiServices()
{
    static CScriptedUiServices s;
    return s;
}

IUiServices& UiServices()
{
    return g_ui ? *g_ui : DefaultScriptedUiServices();
}

void SetUiServices(IUiServices* services)
{
    g_ui = services;
}

void CScriptedUiServices::RunModal(IModalSession& session)
{
    m_shownDialogs.push_back(session.TemplateId());
    // Each script step acts on the open dialog; a dialog that refuses to close (a failed
    // validation) takes the next step, and an unscripted dialog is cancelled.
    while (session.IsOpen()) {
        if (m_dialogs.empty()) {
            session.Press(IDCANCEL);
            if (session.IsOpen())
                return; // a dialog that refuses Cancel stays as it is
            break;
        }
        DialogScript script = std::move(m_dialogs.front());
        m_dialogs.pop_front();
        script(session);
    }
}

BOOL CScriptedUiServices::FileDialog(CFileDialogRequest& request)
{
    m_shownFileDialogs.push_back(request);
    if (m_files.empty())
        return FALSE;
    std::vector<CString> paths = std::move(m_files.front());
    m_files.pop_front();
    if (paths.empty())
        return FALSE;
    request.chosen = std::move(paths);
    return TRUE;
}

BOOL CScriptedUiServices::ColorDialog(COLORREF& color, DWORD, COLORREF* customColors)
{
    if (m_colors.empty())
        return FALSE;
    ColorAnswer a = m_colors.front();
    m_colors.pop_front();
    if (customColors)
        for (size_t i = 0; i < a.customColors.size() && i < 16; ++i)
            customColors[i] = a.customColors[i];
    if (a.ok)
        color = a.color;
    return a.ok;
}

BOOL CScriptedUiServices::FontDialog(LOGFONT& font, COLORREF& color, DWORD)
{
    if (m_fonts.empty())
        return FALSE;
    FontAnswer a = m_fonts.front();
    m_fonts.pop_front();
    if (a.ok) {
        font = a.font;
        color = a.color;
    }
    return a.ok;
}

BOOL CScriptedUiServices::PrintDialog(CPrintDialogRequest& request)
{
    m_shownPrintDialogs.push_back(request);
    if (m_prints.empty())
        return FALSE;
    PrintAnswer a = std::move(m_prints.front());
    m_prints.pop_front();
    if (a.ok) {
        // The user chooses the printer, pages and paper; the page limits stay the program's.
        const int minPage = request.minPage;
        const int maxPage = request.maxPage;
        request = a.answer;
        request.minPage = minPage;
        request.maxPage = maxPage;
    }
    return a.ok;
}

BOOL CScriptedUiServices::PrinterDefaults(CPrintDialogRequest& request)
{
    if (!m_hasPrinterDefaults)
        return FALSE;
    const int minPage = request.minPage;
    const int maxPage = request.maxPage;
    request = m_printerDefaults;
    request.minPage = minPage;
    request.maxPage = maxPage;
    return TRUE;
}

UINT CScriptedUiServices::TrackPopupMenu(const std::vector<CPopupItem>& items, POINT at, UINT flags)
{
    m_shownMenus.push_back(items);
    m_shownMenuPoints.push_back(at);
    m_shownMenuFlags.push_back(flags);
    if (m_menuChoices.empty())
        return 0;
    UINT id = m_menuChoices.front();
    m_menuChoices.pop_front();
    return id;
}

void CScriptedUiServices::RunPrintPreview(void* previewDialog)
{
    ++m_previews;
    if (m_previewRenders.empty())
        return;
    std::function<void()> beforeRender = std::move(m_previewRenders.front());
    m_previewRenders.pop_front();
    if (beforeRender)
        beforeRender();
    // Showing the dialog makes its preview widget ask for the pages once; ask it directly so
    // that no window appears.
    auto* dialog = static_cast<QPrintPreviewDialog*>(previewDialog);
    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    if (!preview)
        return;
    preview->updatePreview();
    m_previewPages.push_back(preview->pageCount());
}

void IUiServices::ModelessCreated(UINT, const std::vector<CString>&) {}

void IUiServices::ModelessDestroyed(UINT) {}

void CScriptedUiServices::ModelessCreated(UINT templateId, const std::vector<CString>& texts)
{
    m_modeless.push_back({ templateId, FALSE, texts });
}

void CScriptedUiServices::ModelessDestroyed(UINT templateId)
{
    m_modeless.push_back({ templateId, TRUE, {} });
}

std::vector<UINT> CScriptedUiServices::OpenModeless() const
{
    std::vector<UINT> open;
    for (const ModelessRecord& r : m_modeless) {
        if (!r.destroyed) {
            open.push_back(r.templateId);
        } else {
            for (auto it = open.end(); it != open.begin();) {
                --it;
                if (*it == r.templateId) {
                    open.erase(it);
                    break;
                }
            }
        }
    }
    return open;
}

void CScriptedUiServices::Reset()
{
    m_previews = 0;
    m_dialogs.clear();
    m_files.clear();
    m_colors.clear();
    m_fonts.clear();
    m_prints.clear();
    m_menuChoices.clear();
    m_previewRenders.clear();
    m_previewPages.clear();
    m_shownDialogs.clear();
    m_shownFileDialogs.clear();
    m_shownMenus.clear();
    m_shownMenuPoints.clear();
    m_shownMenuFlags.clear();
    m_shownPrintDialogs.clear();
    m_modeless.clear();
    m_hasPrinterDefaults = FALSE;
    m_printerDefaults = CPrintDialogRequest();
}

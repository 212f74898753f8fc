// The modal interactions of the window layer (dialogs, common dialogs, popup menus) pass through
// one service, so that a test answers them in advance and the real program shows Qt dialogs.
// Message boxes, beeps, sleeps, the clock and timers are the foundation's services.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/WinUser.h"

#include <deque>
#include <functional>
#include <vector>

// A modal dialog while it runs: the test's script (or the user) acts on its controls.
class IModalSession {
public:
    virtual ~IModalSession() = default;
    virtual UINT TemplateId() const = 0;
    virtual CString Caption() const = 0;
    virtual void SetItemText(int nID, const CString& text) = 0;
    virtual CString GetItemText(int nID) const = 0;
    virtual void SetCheck(int nID, int check) = 0;
    virtual int GetCheck(int nID) const = 0;
    // Selects an entry of a combo box or list box by index.
    virtual void SelectItem(int nID, int index) = 0;
    // Clicks a button (IDOK, IDCANCEL or any push button): the dialog's handlers run.
    virtual void Press(int nID) = 0;
    // Moves the focus to a control as Tab or a click does: the control that loses it is told.
    virtual void FocusItem(int nID) = 0;
    virtual BOOL IsOpen() const = 0;
};

struct CFileDialogRequest {
    BOOL bOpen = TRUE;
    DWORD flags = 0;
    CString title;
    CString defaultExt;
    CString fileName;     // initial name
    CString filter;       // "Text (*.txt)|*.txt|All (*.*)|*.*||"
    CString initialDir;
    int filterIndex = 1;
    // Chosen full paths (several with multi-select), in the program's path form.
    std::vector<CString> chosen;
};

struct CPrintDialogRequest {
    DWORD flags = 0;
    int fromPage = 1;
    int toPage = 1;
    int minPage = 1;
    int maxPage = 0xFFFF;
    int copies = 1;
    BOOL allPages = TRUE;
    BOOL landscape = FALSE;
    int paperSize = 9;       // DMPAPER_A4
    CString printerName;
    CString outputFile;      // a PDF file when set (tests); a "*" in it takes the job's number
};

struct CPopupItem {
    UINT id = 0;
    CString text;
    UINT flags = 0; // MF_SEPARATOR, MF_GRAYED, MF_CHECKED, MF_POPUP
    int depth = 0;  // nesting of submenus
};

class IUiServices {
public:
    virtual ~IUiServices() = default;
    // Runs a modal dialog until the session closes.
    virtual void RunModal(IModalSession& session) = 0;
    virtual BOOL FileDialog(CFileDialogRequest& request) = 0;
    // customColors: null, or the 16 custom colors the dialog shows and gives back.
    virtual BOOL ColorDialog(COLORREF& color, DWORD flags, COLORREF* customColors) = 0;
    virtual BOOL FontDialog(LOGFONT& font, COLORREF& color, DWORD flags) = 0;
    virtual BOOL PrintDialog(CPrintDialogRequest& request) = 0;
    // The default printer and its paper without asking; FALSE when there is no printer.
    virtual BOOL PrinterDefaults(CPrintDialogRequest& request) = 0;
    // A popup menu at a screen point (its right edge there with TPM_RIGHTALIGN in flags); the
    // chosen command id, 0 when dismissed.
    virtual UINT TrackPopupMenu(const std::vector<CPopupItem>& items, POINT at, UINT flags) = 0;
    // Shows a print preview (a QPrintPreviewDialog the view set up) until the user closes it.
    virtual void RunPrintPreview(void* previewDialog) = 0;
    // A modeless dialog was made from its template (with its controls' texts, in template
    // order, once it was initialised), and destroyed. The program shows it by itself.
    virtual void ModelessCreated(UINT templateId, const std::vector<CString>& texts);
    virtual void ModelessDestroyed(UINT templateId);
};

IUiServices& UiServices();
// Installs window-layer services (not owned); nullptr restores the scripted default.
void SetUiServices(IUiServices* services);

// Scripted answers for tests. Without a script a dialog is cancelled, a file dialog cancelled,
// a popup menu dismissed.
class CScriptedUiServices : public IUiServices {
public:
    using DialogScript = std::function<void(IModalSession&)>;

    void RunModal(IModalSession& session) override;
    BOOL FileDialog(CFileDialogRequest& request) override;
    BOOL ColorDialog(COLORREF& color, DWORD flags, COLORREF* customColors) override;
    BOOL FontDialog(LOGFONT& font, COLORREF& color, DWORD flags) override;
    BOOL PrintDialog(CPrintDialogRequest& request) override;
    BOOL PrinterDefaults(CPrintDialogRequest& request) override;
    UINT TrackPopupMenu(const std::vector<CPopupItem>& items, POINT at, UINT flags) override;
    void RunPrintPreview(void* previewDialog) override;
    void ModelessCreated(UINT templateId, const std::vector<CString>& texts) override;
    void ModelessDestroyed(UINT templateId) override;

    void QueueDialog(DialogScript script) { m_dialogs.push_back(std::move(script)); }
    // Paths a file dialog returns; an empty list answers Cancel.
    void QueueFiles(std::vector<CString> paths) { m_files.push_back(std::move(paths)); }
    // customColors: what the user left in the dialog's custom colors (the first ones; the rest
    // stay as the program gave them).
    void QueueColor(BOOL ok, COLORREF color, std::vector<COLORREF> customColors = {})
    {
        m_colors.push_back({ ok, color, std::move(customColors) });
    }
    void QueueFont(BOOL ok, const LOGFONT& font, COLORREF color) { m_fonts.push_back({ ok, font, color }); }
    void QueuePrint(BOOL ok, CPrintDialogRequest answer) { m_prints.push_back({ ok, std::move(answer) }); }
    // The printer the defaults give (a PDF file in tests); none until set.
    void SetPrinterDefaults(BOOL available, CPrintDialogRequest defaults)
    {
        m_hasPrinterDefaults = available;
        m_printerDefaults = std::move(defaults);
    }
    void QueueMenuChoice(UINT id) { m_menuChoices.push_back(id); }
    // The next print preview renders its pages as opening it on screen would, without showing
    // a window; beforeRender runs first (a test closes windows there). An unqueued preview is
    // only counted.
    void QueuePreviewRender(std::function<void()> beforeRender = {}) { m_previewRenders.push_back(std::move(beforeRender)); }
    void Reset();

    // What was shown.
    std::vector<UINT> m_shownDialogs;
    std::vector<CFileDialogRequest> m_shownFileDialogs;
    std::vector<std::vector<CPopupItem>> m_shownMenus;
    std::vector<POINT> m_shownMenuPoints;   // where each menu was shown (screen)
    std::vector<UINT> m_shownMenuFlags;
    std::vector<CPrintDialogRequest> m_shownPrintDialogs;
    int m_previews = 0;
    // The number of pages each rendered preview showed.
    std::vector<int> m_previewPages;
    // Modeless dialogs in the order they came and went: a creation with its texts, then its
    // destruction (destroyed set, no texts).
    struct ModelessRecord {
        UINT templateId = 0;
        BOOL destroyed = FALSE;
        std::vector<CString> texts;
    };
    std::vector<ModelessRecord> m_modeless;
    // The template ids of the modeless dialogs made and not yet destroyed.
    std::vector<UINT> OpenModeless() const;

private:
    struct ColorAnswer {
        BOOL ok;
        COLORREF color;
        std::vector<COLORREF> customColors;
    };
    struct FontAnswer {
        BOOL ok;
        LOGFONT font;
        COLORREF color;
    };
    struct PrintAnswer {
        BOOL ok;
        CPrintDialogRequest answer;
    };
    std::deque<DialogScript> m_dialogs;
    std::deque<std::vector<CString>> m_files;
    std::deque<ColorAnswer> m_colors;
    std::deque<FontAnswer> m_fonts;
    std::deque<PrintAnswer> m_prints;
    std::deque<UINT> m_menuChoices;
    BOOL m_hasPrinterDefaults = FALSE;
    CPrintDialogRequest m_printerDefaults;
    std::deque<std::function<void()>> m_previewRenders;
};

CScriptedUiServices& DefaultScriptedUiServices();

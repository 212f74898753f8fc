// The user-application manager: the registered plug-ins, read from and written back to
// "ZelkApp.txt", their edits while the registration dialog is open, the name search of the input
// bar, and the state of the user application that is the current command.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/ui/WinUser.h"
#include "userapp/UserAppRecord.h"

#include <cstdint>
#include <memory>
#include <vector>

class CZelkDoc;

// The one module handle of all plug-ins: the most recent load attempt's, null when it failed.
// Modules are never unloaded, so an application replaced by a later start stays loaded.
extern HMODULE g_userAppModule;

class CUserAppManager {
public:
    CUserAppManager() = default;
    // Writes the registration file, then frees the entries.
    ~CUserAppManager();
    CUserAppManager(const CUserAppManager&) = delete;
    CUserAppManager& operator=(const CUserAppManager&) = delete;

    // Start-up's reading of the registrations.
    void LoadRegistrations() { ReadRegistrationFile(); }
    void ReadRegistrationFile();
    // Writes every entry, whatever its edit state, as "file/name/version".
    void WriteRegistrationFile() const;

    void ResetSelection();
    int GetAppCount() const { return static_cast<int>(m_apps.size()); }
    // Null when the index is out of range.
    CUserAppRecord* GetAppRecord(int index) const;
    // The empty string when the index is out of range.
    CString GetAppName(int index) const;
    CString GetAppFileName(int index) const;
    CString GetAppVersion(int index) const;
    // The first entry whose name is the text byte for byte, passing over entries marked
    // deleted; deletedPassed counts those passed. -1 when none.
    int FindAppByName(const CString& name, int& deletedPassed) const;
    // The next entry from start on, wrapping, whose name contains the text regardless of the
    // case of single-byte letters. -1 when none.
    int FindAppContaining(const CString& text, int start) const;
    // A new entry marked added, before position (or at the end); a position beyond the end adds
    // nothing.
    void InsertApp(int position, const CString& fileName, const CString& name,
                   const CString& version);
    void MarkAppDeleted(int index);
    // Closing the registration dialog with OK or Cancel.
    void CommitEdits();
    void CancelEdits();

    // Starts the selected application: loads its module from the user-application folder, calls
    // it with event 0, makes it the drawing's current command and arms the request timer.
    void LoadAndStart();
    // One input event of the drawing, translated into the application's event code.
    void ForwardInputEvent(CZelkDoc* doc, int kind, int subCode);
    // Event 26 with the key-state word: the last key plus 1000 for Shift and 2000 for Ctrl.
    void NotifyKeyCommand();
    // Event 100 after a request pass (101 for a nonzero flag).
    void NotifyRequestsDone(int flag);
    void NotifySnapPointCycled();
    void NotifyCandidateCycled();
    void NotifyStepBack();
    void NotifyEnter();
    void NotifyConstraintSet();
    void NotifyConstraintReleased();

    std::vector<std::unique_ptr<CUserAppRecord>> m_apps;
    // Pending flag: 1 while a chosen entry waits for confirmation; typing clears it.
    int m_searchStart = 0;
    int m_selectedEntry = 0;
    // The module that the last start tried to load. No fixed buffer: a path the file system
    // cannot take fails to load and is reported like a missing file.
    CString m_dllPath;
    CString m_prompt;
    CString m_hint;
    std::int16_t m_previewCode = 0;

    int m_lastInputKind = 0;       // the last event handed to the user application
    int m_lastInputSubCode = 0;

private:
    // How a sender reports a module without the entry.
    enum EntryFailure { kFailSilently, kFailAsResponse, kFailOnMessageLine };
    // The entry is looked up again before every call: a module may be replaced by a later
    // start at any time.
    void SendEvent(int event, EntryFailure failure);

    // Set when the file exists but could not be read: writing the empty list back at exit
    // would lose every registration, so the file is kept unless edits were committed.
    bool m_keepUnreadFile = false;
    // Lines of the file that are no registration; written back after the entries so that a
    // user's damaged or hand-made line is not lost by the next write.
    CStringArray m_damagedLines;
};

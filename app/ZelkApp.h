// The application object: the settings records and application settings every subsystem reads,
// the unit, variable and paper-sheet tables read at start-up, and the settings archive beside
// the program. Reached through g_pApp; constructible without any window.
#pragma once

#include "app/AppAcc.h"
#include "app/AppAtrCurrent.h"
#include "app/AppAtrElem.h"
#include "app/AppAtrReference.h"
#include "app/AppColor.h"
#include "app/AppCommand.h"
#include "app/AppDraw.h"
#include "app/AppElem.h"
#include "app/AppFind.h"
#include "app/AppPath.h"
#include "app/AppText.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/WinApp.h"

#include <cstdint>

class CArchive;
class CCrossPointInput;
class CGroupProcessor;
class CInputBar;
class CLayerOps;
class CMacroInterpreter;
class CMacroRecorder;
class CMainFrame;
class CMultiDocTemplate;
class COriginSetting;
class CSavedScreen;
class CScreenOperation;
class CTextDoc;
class CTrainingState;
class CUserAppManager;
class CZelkDoc;
class CZelkView;
class UserAppBlockHolder;

class CZelkApp : public CWinApp {
public:
    // Seconds after which the start-up notices are shown again.
    static constexpr std::int64_t kNoticeRepeatSeconds = 864000;

    static constexpr int kSavedScreenCount = 7;

    CZelkApp();
    ~CZelkApp() override;
    CZelkApp(const CZelkApp&) = delete;
    CZelkApp& operator=(const CZelkApp&) = delete;

    // Start-up: templates, main frame, service objects, settings and definition files, the
    // shell command, then the initial drawings named NewFile, NewFile2 ... and tiled.
    BOOL InitInstance() override;
    // Frees the service objects and tables and writes the settings archive.
    int ExitInstance() override;

    // Opening drawings (app/ZelkAppDocuments.cpp). A file name given by the command line, the
    // recent-file list or a drop opens as a drawing by its extension.
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;
    int OpenDrawingsWithDialog();

    // The drawing of the active drawing view; null without one.
    CZelkDoc* GetActiveDrawingDoc() const;
    // Opens the help page of a command (a path relative to the program folder).
    void ShowHelpPage(const char* page);
    // Gives the first view of a drawing the input list and the focus.
    void PrepareDrawingView(CZelkDoc* doc);
    // Sends a tile request to the MDI client window.
    void TileDrawingWindows();

    // Drawings through the drawing template: a new one with its frame (none, after the
    // framework's message, when either cannot be made), and the open one of a path.
    CZelkDoc* CreateDrawingDoc(const CString& name, const CString& title, BOOL visible);
    CZelkDoc* FindDrawingDocByPath(const CString& path) const;
    int CountDrawingDocs() const;
    CZelkDoc* FindEmptyDrawingDoc() const;
    CZelkDoc* FindDrawingDocByName(const CString& name) const;
    // New drawings and drawings from files. kind 2: native file, 4: DXF. OpenDrawingFile
    // returns none when the drawing is open already or its file could not be read.
    void NewDrawing();
    CString NextNewDrawingName() const;
    int OpenDrawingFiles(const CStringArray& paths);
    CZelkDoc* OpenDrawingFile(const CString& path, const CString& name, int kind);
    // Recovery files of the program folder: whether one is there, and restoring them all.
    int HasRecoveryFiles();
    void RecoverDrawings();
    CZelkDoc* OpenRecoveryDocument(const CString& path, const CString& name);

    // Services of the input hub called by the frame and its bars; the hub fills them in.
    virtual void DispatchCommand(CZelkDoc* doc, CZelkView* view, int code);
    virtual void CancelMode();
    virtual void SetGuidance(CZelkDoc* doc);
    virtual void ShowPrompt();
    virtual void ComputePreview();
    virtual void SwitchMode(int selector, int a, int b);
    virtual void ApplyInputComboText(const CString& text);

    // Window side, valid between InitInstance and ExitInstance.
    HWND m_hWndMDIClient = nullptr;
    CMainFrame* m_pMainFrame = nullptr;
    CMultiDocTemplate* m_pDocTemplate = nullptr;
    CMultiDocTemplate* m_pTextTemplate = nullptr;
    int m_serverFirstDraw = 0;
    int m_contextHelpMode = 0;     // 11: the next command opens its help page

    // Service objects, owned; created in InitInstance and deleted in ExitInstance.
    UserAppBlockHolder* m_userAppBlockHolder = nullptr;
    CScreenOperation* m_screenOperation = nullptr;
    CInputBar* m_inputBar = nullptr;
    CLayerOps* m_layerOps = nullptr;
    CMacroInterpreter* m_scriptInterpreter = nullptr;
    CMacroInterpreter* m_numericInterpreter = nullptr;
    COriginSetting* m_originSetting = nullptr;
    CUserAppManager* m_userAppManager = nullptr;
    CMacroRecorder* m_macroRecorder = nullptr;
    CGroupProcessor* m_groupProcessor = nullptr;
    CZelkDoc* m_symbolDoc = nullptr;
    CCrossPointInput* m_crossPointInput = nullptr;
    CSavedScreen* m_savedScreens[kSavedScreenCount] = {};
    CTrainingState* m_trainingState = nullptr;

    CString m_prompt;
    CString m_previousPrompt;
    CString m_hint;
    CString m_previousHint;
    int m_lastCommandId = 0;
    UINT m_keyCode = 0;            // letter of a one-letter command typed in the input box
    int m_startMessagePending = 0;
    int m_printAllRunning = 0;
    BYTE m_printMode = 1;          // 1 screen print, 2 real-size print, 3 whole-area print
    // Print parameters that have no archived field.
    int m_printAutoOrientation = 1;  // whole-area print turns the paper to the frame
    int m_printCropMarks = 0;        // real-size print adds crop marks at the page corners
    int m_pendingSaveKind = 0;
    // File Save: set while a write is pending, with the drawing and the view that writes it.
    int m_savePending = 0;
    CZelkDoc* m_pendingDrawing = nullptr;
    CZelkView* m_pendingView = nullptr;
    CTextDoc* m_pendingTextDoc = nullptr;  // a text window's File Save shares the pending state
    int m_saveNoticeTime = 1500;   // milliseconds the countdown notice stays up
    int m_modifiedBeforeSave = 0;  // the pending document was modified at File Save
    // Set once start-up has completed; a start that failed writes no settings at exit.
    BOOL m_startCompleted = FALSE;
    CPtrArray m_drawingViews;
    CPtrArray m_textViews;

    // Gives every setting its default, reads the paper-sheet file, then the newest settings
    // archive found in the program folder.
    void LoadSettings();
    void Serialize(CArchive& ar) override;
    // Writes the settings archive under the newest name, in place of the previous one only
    // once it is complete; FALSE when it could not be written (the previous one then stays).
    BOOL SaveSettings();
    // Registers the window class of the drawing frames with the given background.
    void RegisterChildFrameClass(COLORREF background);

    // Definition files beside the program.
    void BuildUnitTable(BOOL readFile);
    void ReadUnitFile();
    void ReadUnitFileLines();
    void ReadVariableFile();
    void ReadSheetFile();
    void LoadUnitFile() { ReadUnitFile(); }
    void LoadVariableFile() { ReadVariableFile(); }
    // TRUE when the face name is one of the DXF fonts read at half character width.
    BOOL IsHalfWidthDxfFont(const CString& faceName) const;
    // Appends the constant "pi" to the variable table.
    void AddPiConstant();
    // Deletes the records of the unit and variable tables.
    void DeleteUnitsAndVariables();

    // A new text window of the kind (0 text, 1 macro); null when none could be made.
    CTextDoc* NewTextDocument(int kind);
    void DeleteWindowlessTextDocs();
    // With the measurement-results setting on, the lines in a new text window "Devide.txt".
    void ShowResultsInTextWindow(const CStringArray& lines);
    CPtrArray m_windowlessTextDocs;   // CTextDoc made while no text template exists, owned

    // Clears the mark bits of every element in every drawing.
    void ClearSelectionMarks(CZelkDoc* doc, int bits);

    // The response message: a beep first when beep is nonzero, then the text on the message
    // line of the active drawing view; the last text is kept (the line of a view-less run).
    void ShowMessage(const CString& text, int beep);
    CString m_lastMessage;
    // A completion or caution message: the beep first when asked, then the text on the view's
    // lines; the last text is kept like the response message's.
    void ShowResultMessage(const CString& text, int beep);
    CString m_lastResultMessage;
    short m_interruptKind = 0;                     // kind of the interrupting command
    CZelkView* m_activeView = nullptr;      // set by the view when it activates

    CString m_childFrameClassName;

    // Versions.
    CString m_programVersion;
    CString m_dataVersion;
    CString m_interfaceVersion;

    // Counters and modes whose start values the settings defaults give.
    short m_nextDocNumber = 0;
    short m_viewCounter = 0;
    short m_commandKind = 0;
    int m_pointConstraintMode = 0;
    int m_macroLoopLimit = 0;
    int m_lastStatus = 0;
    RECT m_activeClientRect = {};    // logical client rectangle of the active view's last paint
    // Mirrors of the view state last set with mirroring, for the server item's drawing.
    POINT m_viewScrollPos = {};
    CPointD m_viewOrigin;
    double m_viewZoom = 1.0;

    // Input and mode state read by the views.
    short m_interruptMode = 0;     // 35: the reference-layer setting
    short m_specialMode = 0;
    int m_groupProcessing = 0;
    // The mouse buttons as the drawing views last saw them, with the world points of the presses.
    int m_leftButtonDown = 0;
    int m_middleButtonDown = 0;
    int m_rightButtonDown = 0;
    int m_rightDoubleClicked = 0;
    CPointD m_leftPressPoint;
    CPointD m_middlePressPoint;
    CPointD m_rightPressPoint;
    int m_specialRepeat = 0;       // continuous screen operation
    int m_promptAmended = 0;       // m_prompt holds a warning the guidance must not overwrite
    signed char m_printAngleSign = 1;  // -1 turns text angles round on printers that need it
    // Closes the drawing's running operation (its creation log) unless an interrupting or a
    // special mode other than the two-element intersection runs.
    void CommitOperation(CZelkDoc* doc, int markCreated);

    // The eleven settings records, archived in this order.
    CAppElem m_appElem;
    CAppText m_appText;
    CAppColor m_appColor;
    CAppAtrCurrent m_atrCurrent;
    CAppAtrElem m_atrElem;
    CAppAtrReference m_atrReference;
    CAppFind m_appFind;
    CAppDraw m_appDraw;
    CAppPath m_appPath;
    CAppAcc m_appAcc;
    CAppCommand m_appCommand;

    // Application settings kept in the archive.
    std::int32_t m_startTime = 0;
    BYTE m_recoveryInterval = 0;
    BYTE m_reservedByte = 0;
    BYTE m_historyLength = 0;
    int m_printOption1 = 0;
    BYTE m_printOption2 = 0;
    double m_printRatio = 0.0;
    BYTE m_slantedPrintOption = 0;
    int m_timerInterval = 0;       // milliseconds: the double-click wait
    int m_introMessage1 = 0;
    int m_introMessage2 = 0;
    CStringArray m_dxfHalfWidthFonts;
    int m_resultsToTextWindow = 0;
    int m_emptyLayersInList = 0;
    int m_measureToTextWindow = 0;
    int m_symbolLayerCurrent = 0;
    int m_noPopupMenu = 0;
    int m_noBeepOnSwitch = 0;
    int m_noTipOnSwitch = 0;
    int m_autoReturnToBoxSelection = 0;
    int m_groupResetOneStep = 0;
    int m_backupOnSave = 0;
    int m_printOption3 = 0;
    int m_printOption4 = 0;
    int m_printOption5 = 0;
    int m_printOption6 = 0;
    int m_dimOption = 0;
    int m_registryNoticeShown = 0;
    int m_programFolderNoticeShown = 0;
    int m_saveInterval = 0;        // milliseconds of the delayed write
    int m_introMessage3 = 0;
    int m_showTextSizeLines = 0;
    int m_printOption7 = 0;
    double m_textPrintScale = 0.0;

    // Paper of all sheet prints.
    CString m_paperName;
    CString m_paperSizeText;
    CPointD m_paperSize;

    int m_saveCountdown = 0;       // milliseconds
    BYTE m_archiveVersion = 0;     // version of the archive read (5-9), 0 when none
    int m_startupNoticeSuppressed = 0;

    // Tables read at start-up: CUnit and CMacroVariable records owned by the application.
    CPtrArray m_unitTable;
    CStringArray m_unitFileLines;
    CPtrArray m_variableTable;
    CStringArray m_sheetNames;

protected:
    DECLARE_MESSAGE_MAP()
    void OnFileOpen();

private:
    void DeleteServiceObjects();
    void NameInitialDrawings();
    void SetSettingDefaults();
    void SerializeApplicationFields(CArchive& ar, std::int32_t& storedStartTime);
    // Keeps every loaded value inside the range its settings dialog allows, also after a
    // reading that stopped half-way.
    void ClampLoadedSettings();
};

extern CZelkApp* g_pApp;

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
#include <vector>

class CArchive;
class CCmdUI;
class CDocument;
class CCrossPointInput;
class CElemRef;
class CGroupProcessor;
class CGuidanceOwner;
class CInputBar;
class CLayerOps;
class CDocument;
class CMacroInterpreter;
class CMacroRecorder;
class CMainFrame;
class CMultiDocTemplate;
class CBasePointInput;
class CSavedScreen;
class CScreenOperation;
class CTextDoc;
class CTextView;
class CTrainingState;
class CUserAppManager;
class CZelkDoc;
class CZelkView;
class UserAppBlock;
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
    // Removes the temporary files a recovery write left when the program was ended in it.
    void RemoveStaleRecoveryTemporaries();
    void RecoverDrawings();
    CZelkDoc* OpenRecoveryDocument(const CString& path, const CString& name);
    // The path and short name a recovery file recorded for its drawing (`base` is the recovery
    // file's path without its extension); FALSE when it recorded none.
    static BOOL ReadRecoveredPath(const CString& base, CString& path, CString& name);

    // Services of the input hub called by the frame, its bars and the views; virtual so that a
    // test can stand in for the hub and record what the window side asks of it.
    virtual BOOL DispatchCommand(CZelkDoc* doc, CZelkView* view, int code);
    virtual void CancelMode(CZelkDoc* doc, CZelkView* view);
    virtual void SetGuidance(CZelkDoc* doc);
    virtual void ShowPrompt();
    virtual void ComputePreview(CZelkDoc* doc);
    // selector 1 command kind, 2 interrupting mode, 3 special mode; macro 1 when a macro asks.
    virtual void SwitchMode(CZelkDoc* doc, CZelkView* view, short selector, short mode, int macro);
    // Performs or announces the mode just switched to.
    void EnterSwitchedMode(CZelkDoc* doc, CZelkView* view);
    // Steps of the switch (input/ModeSwitch.cpp).
    short ToggleSpecialMode(short mode);
    void CheckWriteLayerShown(CZelkDoc* doc, CZelkView* view);
    BOOL SwitchCommandKind(CZelkDoc* doc, CZelkView* view, short kind, int macro, bool keepState);
    void ResetAfterCommandSwitch(CZelkDoc* doc, int kind);
    void OfferLayerList(CZelkDoc* doc);
    void PrefillLayerRename(const CString& name);
    void TakeBoxSelectedTexts(CZelkDoc* doc, CZelkView* view);
    void OpenZoomWindowAtCursor(CZelkDoc* doc, CZelkView* view);
    // The main instance of a command kind; none for the point, line, circle, text and
    // dimension commands, reached by their own type.
    CGuidanceOwner* MainCommandOf(CZelkDoc* doc, int kind);
    // A drawing command back at its first step: guidance, preview and its mode on the hint line.
    void AnnounceDrawingMode(CZelkDoc* doc);
    void CopyTextBoxPreview(CZelkDoc* doc);
    virtual void ApplyInputComboText(const CString& text);

    // ---- attribute, line-type and creation-environment routines (input/AttributeCommands.cpp)
    // Line width in tenths of a millimetre from a typed text; the thick width for "=" or "太".
    int WidthFromText(const CString& text) const;
    // Line-type code 0-4 named by a text, -1 when none.
    static int LineTypeFromText(const CString& text);
    void SetLineTypeAndShow(int lineType);
    // The line-type button shows the creation line type and width; with report, a message.
    void SetLineTypeButton(int report);
    void StartLineTypeInput();
    // Selects the color's entry of the color combo box and makes it the creation color.
    BOOL SelectColorInCombo(COLORREF color);
    void AddColorToTable(COLORREF color);
    void TakeLineTypeFromPick(CZelkDoc* doc);
    void TakeColorFromPick(CZelkDoc* doc);
    // The picked text's font becomes the creation font; the text command hears of it (kind 13).
    void TakeFontFromPick(CZelkDoc* doc);
    // The question after printing slanted texts (timer 14).
    void AskSlantedTextPrint();
    // TRUE when the active drawing view hides the layer.
    BOOL IsLayerHiddenInActiveView(WORD layer) const;

    // ---- input events (input/InputEventRouting.cpp) ----------------------------------------
    // The single entry to the consumers of an input event; the payload is in the drawing's
    // input event. Consumers may post again from inside their input entry.
    void DispatchInputEvent(CZelkDoc* doc, int kind, int subCode);
    // Closes the drawing's finished operation (its creation log) unless an interrupting mode
    // or a special mode other than the two-element intersection runs.
    void CommitOperation(CZelkDoc* doc, int markCreated);

    // ---- the double-click's edit start ------------------------------------------------------
    void UndoFirstClick(CZelkDoc* doc);
    void CarryEditStateToInterrupt(CZelkDoc* doc);
    void EndInterruptAndUnmarkCandidate(CZelkDoc* doc);
    void StartEditFromPick(CZelkDoc* doc, CZelkView* view);
    // The hint of an edit: the drawing's scale, then the kind's text; the message line cleared.
    void ShowEditHint(CZelkDoc* doc, const char* text);
    void StartDimensionEdit(CZelkDoc* doc, const CElemRef& ref, int position, std::int16_t group, int groupKind,
                            int role);
    // FALSE when no edit starts (a composite text without its base text).
    BOOL StartTextEdit(CZelkDoc* doc, CZelkView* view, const CElemRef& ref, int position, bool dimensionRules);

    // ---- picks and point input of the buttons (input/DispatcherPicks.cpp) --------------------
    // A click pick in the view's pick rectangle; mark type 1-3 gives the mark bits 2, 8 or 16
    // when marking. TRUE, and status 5, when something was picked.
    BOOL PickAtCursor(CZelkDoc* doc, CZelkView* view, int markType, int marking);
    // A drag beyond the box threshold selects by box, a shorter one picks at the cursor.
    BOOL PickByDragBox(CZelkDoc* doc, CZelkView* view, int markType);
    // The first snap point about the last right press; FALSE when none was found.
    BOOL FindPointAtCursor(CZelkDoc* doc, CZelkView* view, CPointD& point);
    void OnLeftButtonUpCode(CZelkDoc* doc, CZelkView* view);
    void OnRightButtonDownCode(CZelkDoc* doc, CZelkView* view);
    void OnRightButtonUpCode(CZelkDoc* doc, CZelkView* view);
    // The same-attribute modes 41 to 45: one click selects what shares the picked element's
    // attribute, opening a box selection; the mode ends either way.
    void SelectSameAttribute(CZelkDoc* doc, CZelkView* view);
    // A click pick offered to the input bar's list that waits for one (line type, font, color);
    // TRUE when the list took it and the pick is not to be posted.
    BOOL ApplyPickToInputBar(CZelkDoc* doc, int previousStatus);
    // The left release while group processing runs or a box selection waits for its own
    // picks; FALSE when neither takes it.
    BOOL PickForGroupProcessing(CZelkDoc* doc, CZelkView* view);
    // The main circle command's token string still waits for inputs (it does not classify as
    // complete).
    BOOL CircleTokensOpen(CZelkDoc* doc) const;
    // A right drag in the dimension command, after its angle (relative to the coordinate
    // rotation) was posted.
    void OnDimensionDrag(CZelkDoc* doc, CZelkView* view, bool hasLength, double length, double angle);
    // The picked element's attributes into the selected-element record, unless the command
    // stands at its edit pick; in the selected-element environment they become current.
    void TakePickedElementAttributes(CZelkDoc* doc);

    // ---- mode services the dispatcher calls -------------------------------------------------
    // TRUE when the document is one of the open drawings.
    BOOL IsDrawingDocument(const CDocument* doc) const;
    // Every open drawing's views draw their live previews again, which erases them.
    void RedrawAllPreviews();
    void EndInterruptCommand(CZelkDoc* doc);
    BOOL ModeInput(CZelkDoc* doc, CZelkView* view, int code);
    void OperationBack(CZelkDoc* doc, CZelkView* view);
    void ShowInterruptModeEnd(bool byEscape);
    // A screen operation's gesture is under way outside the repeated special mode 53.
    bool ScreenGestureOpen() const;
    // release is null on a button press.
    void OnScreenOperationInput(CZelkDoc* doc, CZelkView* view, int& dragged, const CPointD& start,
                                const CPointD* release);
    void OnShowAllKey(CZelkDoc* doc, CZelkView* view);
    // F6 to F12 (number 6 to 12): with Shift the view's screen is kept, without it restored.
    void OnSavedScreenKey(CZelkDoc* doc, CZelkView* view, int number);
    // Backspace, Page Up and Down, the arrows and F6 to F12; FALSE for any other key.
    BOOL OnNavigationKey(CZelkDoc* doc, CZelkView* view);
    // A drag above the box threshold opens box selection (group processing) on the drawing.
    BOOL StartBoxSelection(CZelkDoc* doc, CZelkView* view, int keepGroup);
    // Leaves the deform selection for the inside selection.
    void EndTransformMode();
    void OnPointConstraint(CZelkDoc* doc, CZelkView* view);

    // ---- Enter, Tab, step back (input/EnterAndEscape.cpp); Escape is CancelMode ------------
    // Each hands its key to the one consumer that takes it: group processing, a user
    // application, the interrupting command or the main command, in the routine's own order.
    void OnEnterKey(CZelkDoc* doc);
    void OnTabSnapPoint(CZelkDoc* doc);
    void OnTabCandidate(CZelkDoc* doc);
    void StepBack(CZelkDoc* doc);
    BOOL IsAtEditPick(CZelkDoc* doc);
    void SendEnterToCommand(CZelkDoc* doc);
    // Escape's return to the first step of the command, or of group processing and the box.
    void CancelCommandInput(CZelkDoc* doc, CZelkView* view);
    void CancelGroupInput(CZelkDoc* doc, CZelkView* view);
    std::int32_t m_pointFromEnter = 0;     // the last point came from Enter on a shown snap point
    std::int32_t m_macroPlaying = 0;       // queued macro commands are being played

    // ---- input and mode state, shared by every open drawing and never saved -----------------
    std::int32_t m_eventCount = 0;
    std::int32_t m_deleteKeyDown = 0;       // a left click deletes the picked element at once
    std::int32_t m_recordMessageNext = 0;   // the next input is a message for the macro recorder
    std::int32_t m_groupProcessing = 0;
    std::int16_t m_interruptKind = 0;       // 1-4, 7, 10, 22: the interrupting instance in use
    std::int16_t m_commandKind = 2;         // the main drawing command; 2 line
    std::int16_t m_interruptMode = 0;       // 31-45
    std::int16_t m_specialMode = 0;         // 53, 66, 67, 70
    CString m_prompt;
    CString m_hint;
    std::int32_t m_promptAmended = 0;       // m_prompt holds a warning the guidance must not overwrite
    std::int32_t m_showModeBanner = 1;
    CPointD m_rightPressPoint;
    CPointD m_rightReleasePoint;
    CPointD m_leftPressPoint;
    CPointD m_leftReleasePoint;
    CPointD m_middlePressPoint;
    CPointD m_middleReleasePoint;
    std::int32_t m_lastKey = 0;             // virtual-key code handed to the dispatcher with code 7
    std::int32_t m_leftButtonDown = 0;
    std::int32_t m_rightButtonDown = 0;
    std::int32_t m_middleButtonDown = 0;
    std::int32_t m_leftDoubleClicked = 0;
    std::int32_t m_rightDoubleClicked = 0;
    std::int32_t m_skipLeftUp = 0;
    std::int32_t m_skipNextButtonDown = 0;
    std::int32_t m_constraintPointSet = 0;
    std::int32_t m_justAnnounced = 0;       // guidance and preview come from the main command
    std::int32_t m_announcedInterruptKind = 0;
    std::int32_t m_lastStatus = 0;
    // m_lastStatus once the guidance of the main command was announced again.
    static constexpr std::int32_t kStatusJustAnnounced = 11;
    std::int32_t m_specialRepeat = 0;       // special mode 53 or 70 stays on after each use
    std::int32_t m_lengthInputMain = 0;
    std::int32_t m_lengthInputInterrupt = 0;
    std::int32_t m_savedLayerCondition = 0;
    std::int32_t m_pointConstraintMode = 1; // 1 free, 2 at the reference, 3 X, 4 Y, 5 release
    std::int16_t m_savedCreationEnv = 0;
    std::int32_t m_modeFromMenu = 0;        // a mode was chosen from a mode menu since the command started
    // Command-step flags: a Shift point is pending; the last step was advanced by the reference
    // point, the relative-X or the relative-Y constraint; the next point is recorded relative.
    std::int32_t m_shiftPointFlag = 0;
    std::int32_t m_constraintStepRef = 0;
    std::int32_t m_constraintStepX = 0;
    std::int32_t m_constraintStepY = 0;
    std::int32_t m_relativeRecording = 0;
    std::int32_t m_macroStepInterval = 300; // milliseconds between a macro's drawing steps
    // The point constraints the constraint handler keeps (0 or 1 each).
    std::int32_t m_pointConstrained = 0;
    std::int32_t m_horizontalConstraint = 0;
    std::int32_t m_verticalConstraint = 0;

    // Window side, valid between InitInstance and ExitInstance.
    HWND m_hWndMDIClient = nullptr;
    CMainFrame* m_pMainFrame = nullptr;
    CMultiDocTemplate* m_pDocTemplate = nullptr;
    CMultiDocTemplate* m_pTextTemplate = nullptr;
    int m_serverFirstDraw = 1;     // the drawing's picture fits it first, until a view paints
    int m_contextHelpMode = 0;     // 11: the next command opens its help page

    // Service objects, owned; created in InitInstance and deleted in ExitInstance.
    UserAppBlockHolder* m_userAppBlockHolder = nullptr;
    CScreenOperation* m_screenOperation = nullptr;
    CInputBar* m_inputBar = nullptr;
    CLayerOps* m_layerOps = nullptr;
    CMacroInterpreter* m_scriptInterpreter = nullptr;
    CMacroInterpreter* m_numericInterpreter = nullptr;
    CBasePointInput* m_basePointInput = nullptr;
    CUserAppManager* m_userAppManager = nullptr;
    CMacroRecorder* m_macroRecorder = nullptr;
    CGroupProcessor* m_groupProcessor = nullptr;
    CZelkDoc* m_symbolDoc = nullptr;
    CCrossPointInput* m_crossPointInput = nullptr;
    CSavedScreen* m_savedScreens[kSavedScreenCount] = {};
    CTrainingState* m_trainingState = nullptr;

    CString m_previousPrompt;
    CString m_previousHint;
    int m_lastCommandId = 0;
    int m_startMessagePending = 0;
    int m_boxSelectionStep = 0;    // step of box selection, cleared when texts are handed over
    int m_printAllRunning = 0;
    BYTE m_printMode = 1;          // 1 screen print, 2 real-size print, 3 whole-area print
    // Print parameters that have no archived field.
    int m_pendingSaveKind = 0;
    // File Save: set while a write is pending, with the drawing and the view that writes it.
    int m_savePending = 0;
    CZelkDoc* m_pendingDrawing = nullptr;
    CZelkView* m_pendingView = nullptr;
    CTextDoc* m_pendingTextDoc = nullptr;  // a text window's File Save shares the pending state
    int m_saveNoticeTime = 1500;   // milliseconds the countdown notice stays up
    int m_modifiedBeforeSave = 0;  // the pending document was modified at File Save
    // The delayed save (app/ZelkAppPendingSave.cpp). Escape's cancel: timers 18 (and 19 for a
    // text window) killed, "保存中止" for a moment, the document modified again when it was at
    // File Save, the pending state cleared.
    void CancelPendingSave();
    // File Save's countdown: the notice with the path's end for the notice time, then the
    // document no longer modified (remembered for a cancel) and the write's timer armed.
    void CountDownToSave(CDocument* doc, const CString& path, UINT timerId);
    // Timer 18: "上書き保存" for a moment, then the pending drawing is written; a failed write
    // leaves it modified again when it was at File Save.
    void WritePendingDrawing();
    // Timer 19: "上書き保存" for a moment, then the pending text window is written.
    void WritePendingText();
    template <class Doc>
    void WritePending(Doc* doc);
    // Closing the program with a drawing's or a text window's save pending writes it at once.
    void FinishPendingSave();
    // Shows notice 253 or 254 without an owner for the time given, then takes it away.
    void FlashSaveNotice(UINT templateId, DWORD milliseconds);
    // The view that writes the pending drawing: the pending view while it exists and shows
    // that drawing, else the drawing's first view; none when neither is left.
    CZelkView* PendingWriterView() const;
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

    // Text windows (app/ZelkAppTextDocs.cpp). A new one of the kind (0 text, 1 macro), tied to
    // the active drawing; null when none could be made.
    CTextDoc* NewTextDocument(int kind);
    CString NextNewTextName(int kind) const;
    // A window for a text file (its lines loaded apart by LoadTextFile); null when the file is
    // open already or no window could be made.
    CTextDoc* OpenTextDocument(const CString& path);
    // Appends the file's lines to the window's; 0 when the file cannot be read.
    int LoadTextFile(CTextDoc* doc, const CString& path);
    // A window that shows a file the user opened: the user's own text, unchanged as loaded.
    void MarkUserFile(CTextDoc* doc);
    CTextDoc* GetActiveTextDoc() const;
    CTextDoc* FindEmptyTextDoc() const;
    CTextDoc* FindTextDocByPath(const CString& path) const;
    std::vector<CTextDoc*> TextDocs() const;
    // The chosen text or CSV file; empty when cancelled.
    CString ChooseTextFileName();
    // A text or CSV file chosen and opened; in library mode the windows are tidied first and
    // the drawing beside the text is opened.
    CTextDoc* OpenTextFileWithDialog(int libraryMode);
    // A guide or library text with its drawing, in one reused text window.
    void OpenTextWithDrawing();
    void OnOpenExperienceLibrary();
    // The printer setup dialog; the paper's form name, size text and size follow the printer.
    void OnFilePrintSetup();
    void OnNewTextDocument();
    void OnOpenTextFile();
    // 32887: a text file appended to the active text window (a new one when none is active).
    void OnAddTextFile();
    // 33109: a library text with its drawing.
    void OnOpenLibrary();
    // One drawing chosen and opened; none when cancelled or not opened.
    CZelkDoc* OpenDrawingWithDialog();
    // 32793: a drawing chosen and opened that closes without asking.
    void OnOpenDrawingQuietly();
    // 32898: a drawing file read into a windowless drawing and copied into the active one.
    void OnSymbol();
    void DeleteSymbolDoc();
    // The creation environment after a symbol load: its button, pen and text settings.
    void RestoreCreationEnv(int env);
    // 33077: the active text window's lines run as a macro, which becomes the last macro.
    int RunActiveTextAsMacro();
    void OnRunActiveText();
    void DeleteWindowlessTextDocs();
    // With the measurement-results setting on, the lines in a new text window "Devide.txt".
    void ShowResultsInTextWindow(const CStringArray& lines);
    CPtrArray m_windowlessTextDocs;   // CTextDoc made while no text template exists, owned
    CTextView* m_activeTextView = nullptr;   // set by the text view when it activates

    // Clears the mark bits of every element in every drawing (and in the given one).
    void ClearSelectionMarks(CZelkDoc* doc, int bits);
    void ClearMarksInAllDrawings(int bits);
    // After a command switch: no working set, no group processing, the saved layer condition.
    void ResetSelectionState();
    // Every drawing but the one kept loses its selection (snapshot taken first) and its box
    // selection; group processing lets go of its drawing.
    void ClearOtherSelections(CZelkDoc* keep);

    // The response message: a beep first when beep is nonzero, then the text on the message
    // line of the active drawing view; the last text is kept (the line of a view-less run).
    void ShowMessage(const CString& text, int beep);
    // A completion notice or caution appended to the message line, beeping when asked.
    void ShowResultMessage(const CString& text, int beep);
    // The pieces joined, then ShowMessage.
    void ShowMessageParts(const CString& a, const CString& b, const CString& c, const CString& d, const CString& e,
                          int beep);
    void ShowMessageTenParts(const CString (&parts)[10], int beep);
    // The hint on the active drawing view's hint line, while in-view hints are on.
    void ShowHint(const CString& text);
    // Every open drawing redraws its changed elements over its whole views.
    void RedrawAllDrawings();
    CString m_lastMessage;
    CString m_lastResultMessage;   // the last result message on its own
    CZelkView* m_activeView = nullptr;      // set by the view when it activates

    CString m_childFrameClassName;

    // Versions.
    CString m_programVersion;
    CString m_dataVersion;
    CString m_interfaceVersion;

    // Counters and modes whose start values the settings defaults give.
    short m_nextDocNumber = 0;
    short m_viewCounter = 0;
    int m_macroLoopLimit = 0;
    RECT m_activeClientRect = {};    // logical client rectangle of the active view's last paint
    // Mirrors of the view state last set with mirroring, for the server item's drawing.
    POINT m_viewScrollPos = {};
    CPointD m_viewOrigin;
    double m_viewZoom = 1.0;

    int m_zoomWindowDelay = 300;   // milliseconds before a zoom window opens after a doubtful pick
    signed char m_printAngleSign = 1;  // -1 turns text angles round on printers that need it

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
    // Print choices without a word in the settings archive: kept for the run only.
    int m_printLineTypesByPrinter = 0;
    int m_printNoPageSetup = 0;
    int m_printRegisterMarks = 0;

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


    // Training notes (app/ZelkAppTraining.cpp): each note's command starts it; the start-up
    // guide starts the four series through the first notes' handlers.
    BOOL OnTrainingNote(UINT nID);
    void OnTrainingTryNote();
    void OnTrainingRescue();
    void OnTrainingMultiCommand();
    void OnTrainingScreenMemory();
    void OnUpdateTrainingNote(CCmdUI* pCmdUI);
    void OnTrainingEnd();
    void OnUpdateTrainingEnd(CCmdUI* pCmdUI);
    void StartTrainingNote(int number);
    void EndTraining();
    // Asks about every modified drawing outside the training folder and every modified text;
    // nonzero when the user cancelled (the rest stays as it was).
    int ConfirmDiscardBeforeTraining();
    void CloseTextDocuments();
    // 1 when the document is an open one of the drawing (text) template.
    int IsDrawingDocument(CDocument* doc) const;
    int IsTextDocument(CDocument* doc) const;

    // Help-menu notices (app/ZelkAppNotices.cpp).
    void OnRegistryHelp();
    void OnProgramFilesNotice();

    // Registration of user applications (app/ZelkAppUserApps.cpp).
    void OnRegisterUserApps();

    // Display switches, option words and the context-help button
    // (app/ZelkAppDisplaySwitches.cpp).
    BOOL OnOptionWord(UINT nID);
    void OnUpdateOptionWord(CCmdUI* pCmdUI);
    void OnPopupMenuType();
    void OnReferenceLayerLight();
    void OnUpdateReferenceLayerLight(CCmdUI* pCmdUI);
    void OnThickLineDisplay();
    void OnUpdateThickLineDisplay(CCmdUI* pCmdUI);
    void OnGuidanceMessages();
    void OnUpdateGuidanceMessages(CCmdUI* pCmdUI);
    void OnShowIntroMessagesAgain();
    void OnUpdateShowIntroMessagesAgain(CCmdUI* pCmdUI);
    void OnTextUnderlineDisplay();
    void OnUpdateTextUnderlineDisplay(CCmdUI* pCmdUI);
    void OnContextHelp();

    // List and option commands (app/ZelkAppListCommands.cpp).
    void OnUnitList();
    void OnUpdateUnitList(CCmdUI* pCmdUI);
    void OnConstantList();
    void OnUpdateConstantList(CCmdUI* pCmdUI);
    void OnLayerList();
    // The constants, then an empty line and the variables, as the constant list shows them.
    void BuildConstantList(CStringArray& lines) const;
    void BuildLayerList(CZelkDoc* doc, CStringArray& lines) const;
    void OnPrintAllDrawings();
    void PlayMacroQueue();
    void OnPlayLastMacro();
    void OnUpdatePlayLastMacro(CCmdUI* pCmdUI);
    void OnFunctionDescriptions();
    void OnHelpContents();
    // The active drawing view drawn again, then the mode switch's redraw selector.
    void RedrawActiveView();

    // DXF settings (app/ZelkAppDxfSettings.cpp).
    void OnDxfSettings();

    // Folder choice of drawing and text files (app/ZelkAppFolderChoice.cpp).
    void OnChooseDrawingFolders();
    void OnChooseTextFolders();

    // Information of the help menu (app/ZelkAppInformation.cpp).
    void OnAppAbout();
    void OnVersionInfo();
    void OnFreewareNotice();
    void OnNewVersion();
public:
    // Commands of the settings, drawing-aid and search menus and of the file and macro menus.
    // In context-help mode (11) a command opens its page instead: TRUE when it did so.
    BOOL ShowHelpInstead(UINT commandId);
    // The help page of a command, as its current state names it; null when it has none.
    const char* HelpPageOf(UINT commandId) const;
    void SetCreationEnvCurrent();
    void SetCreationEnvSelected();
    void SetCreationEnvReference();
    void SetLayerCondCurrent();
    void SetLayerCondSame();
    void SetLayerCondNew();
    int WarnSelectionRestricted();
    void OnSelectInclude();
    // Empties the pick lists and deform and group flags of every drawing.
    void ResetBoxSelection();
    void OnTextShapeStandard();
    void OnTextShapeHorizontal();
    void OnTextShapeVertical();
    void OnTextShapeSlant();
    void ApplyTextShapeCommand(UINT commandId, BYTE shape);
    // The box of the text being placed after the text settings changed, and the preview.
    void RefreshPlacedTextBox(CZelkDoc* doc);
    // The same box alone: the text command that is placing a text, the interrupting one first.
    void UpdatePlacingTextBox(CZelkDoc* doc);
    // The boxes of both text commands of a drawing, placing or not.
    void UpdateTextBoxes(CZelkDoc* doc);
    // The alignment dialog over a drawing without live previews; TRUE when an anchor was chosen.
    BOOL ChooseTextAlignment();
    CString FormatScaleText(CZelkDoc* doc);
    BOOL SaveAllModified() override;
    void StartMacroRecording();
    void StopMacroRecording();
    // 32801: the recording placed in the drawing as texts for the user to position.
    void OnMacroRecordToDrawing();
    void CloseMacroRecorderDialog();
    void ToggleMacroNextInput();
    void OnMacroUseNextInput();
    int m_macroNextInput = 0;      // the next input is the recording's own message text
    short m_useNextInput = 0;      // "次の入力データを使用する"

protected:
    DECLARE_MESSAGE_MAP()
    void OnFileOpen();
    // Handlers of the settings, drawing-aid and search commands.
    void OnDraftMode();
    void OnCreationEnvMenu(UINT id);
    void OnLayerCondMenu(UINT id);
    void OnSelectInvert();
    void OnSelectByLayer();
    void OnSelectCrossing();
    void OnSelectDeform();
    void OnSelectAllKinds();
    void OnSelectKind(UINT id);
    void OnSelectionType(UINT id);
    void OnSearchAll();
    void OnSearchKind(UINT id);
    void OnCreationEnvButton();
    void OnLayerCondButton();
    void OnSelectionTypeButton(UINT id);
    void OnUpdateToggle(CCmdUI* pCmdUI);
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
    void OnScale();
    void OnUpdateScale(CCmdUI* pCmdUI);
    void OnTextAlignment();
    void OnTextParameters();
    void OnResultsToTextWindow();
    void OnFindSettings();
    void OnDisplaySettings();
    void OnColorSettings();
    void OnBlurMode();
    void OnCreateConditions();
    void OnDimensionSettings();
    void OnPrintSettings();
    void OnOtherSettings();
    // File and macro commands.
    void OnNewDrawingCommand();
    void OnSaveMacroRecording();
    void OnUpdateMacroStart(CCmdUI* pCmdUI);
    void OnUpdateMacroRecording(CCmdUI* pCmdUI);
    void OnUpdateMacroFlag(CCmdUI* pCmdUI);
    void OnUpdateSymbol(CCmdUI* pCmdUI);

private:
    // The dispatcher's steps (input/CommandDispatcher.cpp).
    BOOL RunExitSteps(CZelkDoc* doc, int code);
    void OnLeftButtonDownCode(CZelkDoc* doc, CZelkView* view);
    void DispatchButtonCode(CZelkDoc* doc, CZelkView* view, int code);
    BOOL DispatchKeyCode(CZelkDoc* doc, CZelkView* view);
    void OnTabKey(CZelkDoc* doc, CZelkView* view);
    void OnEnterKeyCode(CZelkDoc* doc, CZelkView* view);
    // Key M: the current command from its start, with its popup menu when it has one.
    void RestartCommandWithPopup(CZelkDoc* doc, CZelkView* view);
    // Key J: the last file command again; after any other command, the macro text file's run.
    void RepeatFileCommand(CZelkView* view);
    void DispatchCommandCode(CZelkDoc* doc, CZelkView* view, int code);
    BOOL OnLeftDoubleClickCode(CZelkDoc* doc, CZelkView* view);
    // The left release after a placed object was resized by a handle: one undo step per
    // selected object, scaled by the size the drag gave it.
    void RecordObjectResize(CZelkDoc* doc, CZelkView* view);
    void EndLayerMode(CZelkDoc* doc, CZelkView* view);
    void EndSingleScreenOperation(CZelkDoc* doc, CZelkView* view);
    void ClearTextBoxPreview(CZelkDoc* doc);
    // The router's steps (input/InputEventRouting.cpp). FALSE when the payload was all the
    // event carried (a setting, a refused or accepted constraint interval).
    BOOL CopyInputPayload(CZelkDoc* doc, int kind, int subCode, int previousStatus);
    void OfferInputEvent(CZelkDoc* doc, int kind, int subCode);
    void OfferToRelativeSystem(CZelkDoc* doc, int kind, int subCode);
    // The pick list's current candidate and the point of its pick, for the plug-in.
    void CopyPickToExchangeBlock(CZelkDoc* doc, UserAppBlock* block);

    CTextDoc* CreateTextDoc();
    int CreateTextFrame(CTextDoc* doc);
    // Library mode's arrangement before a library text opens; the drawing opened beside it.
    CZelkDoc* TidyForLibraryText(const CString& path);
    void DeleteServiceObjects();
    void NameInitialDrawings();
    void SetSettingDefaults();
    void SerializeApplicationFields(CArchive& ar, std::int32_t& storedStartTime);
    // Keeps every loaded value inside the range its settings dialog allows, also after a
    // reading that stopped half-way.
    void ClampLoadedSettings();
};

extern CZelkApp* g_pApp;

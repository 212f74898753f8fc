// Start-up and exit of the application: templates, main frame, service objects, definition
// files, the shell command and the naming of the initial drawings.
#include "app/ZelkApp.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/TrainingState.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "input/CrossPointInput.h"
#include "input/InputBar.h"
#include "input/LayerOps.h"
#include "input/BasePointInput.h"
#include "input/SavedScreen.h"
#include "input/ScreenOperation.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"
#include "macro/MacroVariable.h"
#include "macro/TextDoc.h"
#include "macro/TextView.h"
#include "macro/Unit.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "userapp/UserAppBlockHolder.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

BEGIN_MESSAGE_MAP(CZelkApp, CWinApp)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_TEXT_NEW, OnNewTextDocument)
    ON_COMMAND(ID_TEXT_OPEN, OnOpenTextFile)
    ON_COMMAND(32887, OnAddTextFile)
    ON_COMMAND(33109, OnOpenLibrary)
    ON_COMMAND(32793, OnOpenDrawingQuietly)
    ON_COMMAND(32898, OnSymbol)
    ON_COMMAND(33077, OnRunActiveText)
    ON_UPDATE_COMMAND_UI(ID_TEXT_NEW, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_TEXT_OPEN, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(32887, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(33109, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(33077, OnUpdateAlwaysEnabled)
    ON_COMMAND(ID_EXPERIENCE_LIBRARY, OnOpenExperienceLibrary)
    ON_COMMAND(ID_PRINT_SETUP, OnFilePrintSetup)
    ON_COMMAND(ID_REGIST_DLL, OnRegisterUserApps)
    // Display switches, option words and the context-help button.
    ON_COMMAND(ID_POPUP_MENU_TYPE, OnPopupMenuType)
    ON_COMMAND(ID_LAYER_LIGHT, OnReferenceLayerLight)
    ON_UPDATE_COMMAND_UI(ID_LAYER_LIGHT, OnUpdateReferenceLayerLight)
    ON_COMMAND(ID_LINE_SLIM, OnThickLineDisplay)
    ON_UPDATE_COMMAND_UI(ID_LINE_SLIM, OnUpdateThickLineDisplay)
    ON_COMMAND(ID_DRAW_MESSAGE, OnGuidanceMessages)
    ON_UPDATE_COMMAND_UI(ID_DRAW_MESSAGE, OnUpdateGuidanceMessages)
    ON_COMMAND(ID_MESSAGE_ATTENTION, OnShowIntroMessagesAgain)
    ON_UPDATE_COMMAND_UI(ID_MESSAGE_ATTENTION, OnUpdateShowIntroMessagesAgain)
    ON_COMMAND(ID_TEXT_BAR, OnTextUnderlineDisplay)
    ON_UPDATE_COMMAND_UI(ID_TEXT_BAR, OnUpdateTextUnderlineDisplay)
    ON_COMMAND(ID_CONTEXT_HELP_BUTTON, OnContextHelp)
    ON_COMMAND_EX(33093, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33093, OnUpdateOptionWord)
    ON_COMMAND_EX(33094, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33094, OnUpdateOptionWord)
    ON_COMMAND_EX(33122, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33122, OnUpdateOptionWord)
    ON_COMMAND_EX(33123, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33123, OnUpdateOptionWord)
    ON_COMMAND_EX(33124, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33124, OnUpdateOptionWord)
    ON_COMMAND_EX(33125, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33125, OnUpdateOptionWord)
    ON_COMMAND_EX(33132, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33132, OnUpdateOptionWord)
    ON_COMMAND_EX(33148, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33148, OnUpdateOptionWord)
    ON_COMMAND_EX(33149, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33149, OnUpdateOptionWord)
    ON_COMMAND_EX(33139, OnOptionWord)
    ON_UPDATE_COMMAND_UI(33139, OnUpdateOptionWord)
    ON_COMMAND(ID_ATR_DXF, OnDxfSettings)
    ON_COMMAND(ID_ZELKPATH_SEL, OnChooseDrawingFolders)
    ON_COMMAND(ID_TEXTPATH_SEL, OnChooseTextFolders)
    ON_COMMAND(57664, OnAppAbout)
    ON_COMMAND(ID_VERSION_INFO, OnVersionInfo)
    // Lists, printing of every drawing, the printer, the last macro and help material.
    ON_COMMAND(33086, OnUnitList)
    ON_UPDATE_COMMAND_UI(33086, OnUpdateUnitList)
    ON_COMMAND(33087, OnConstantList)
    ON_UPDATE_COMMAND_UI(33087, OnUpdateConstantList)
    ON_COMMAND(33092, OnLayerList)
    ON_COMMAND(33115, OnPrintAllDrawings)
    ON_COMMAND(33134, OnPlayLastMacro)
    ON_UPDATE_COMMAND_UI(33134, OnUpdatePlayLastMacro)
    ON_COMMAND(33141, OnFunctionDescriptions)
    ON_COMMAND(33152, OnHelpContents)
    ON_COMMAND(ID_APP_SHARE, OnFreewareNotice)
    ON_COMMAND(ID_NEW_VERSION, OnNewVersion)
    // Help-menu notices.
    ON_COMMAND(ID_REGISTRY_HELP, OnRegistryHelp)
    ON_COMMAND(ID_PROGRAM_FILES_NOTICE, OnProgramFilesNotice)
    // Training notes.
    ON_COMMAND_EX(33047, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33047, OnUpdateTrainingNote)
    ON_COMMAND_EX(33048, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33048, OnUpdateTrainingNote)
    ON_COMMAND_EX(33060, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33060, OnUpdateTrainingNote)
    ON_COMMAND_EX(33049, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33049, OnUpdateTrainingNote)
    ON_COMMAND_EX(33052, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33052, OnUpdateTrainingNote)
    ON_COMMAND_EX(33053, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33053, OnUpdateTrainingNote)
    ON_COMMAND_EX(33054, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33054, OnUpdateTrainingNote)
    ON_COMMAND_EX(33055, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33055, OnUpdateTrainingNote)
    ON_COMMAND_EX(33056, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33056, OnUpdateTrainingNote)
    ON_COMMAND_EX(33057, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33057, OnUpdateTrainingNote)
    ON_COMMAND_EX(33061, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33061, OnUpdateTrainingNote)
    ON_COMMAND_EX(33058, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33058, OnUpdateTrainingNote)
    ON_COMMAND_EX(33075, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33075, OnUpdateTrainingNote)
    ON_COMMAND_EX(33059, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33059, OnUpdateTrainingNote)
    ON_COMMAND_EX(33078, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33078, OnUpdateTrainingNote)
    ON_COMMAND_EX(33079, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33079, OnUpdateTrainingNote)
    ON_COMMAND_EX(33095, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33095, OnUpdateTrainingNote)
    ON_COMMAND_EX(33080, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33080, OnUpdateTrainingNote)
    ON_COMMAND_EX(33096, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33096, OnUpdateTrainingNote)
    ON_COMMAND_EX(33127, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33127, OnUpdateTrainingNote)
    ON_COMMAND_EX(33097, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33097, OnUpdateTrainingNote)
    ON_COMMAND_EX(33099, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33099, OnUpdateTrainingNote)
    ON_COMMAND_EX(33100, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33100, OnUpdateTrainingNote)
    ON_COMMAND_EX(33101, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33101, OnUpdateTrainingNote)
    ON_COMMAND_EX(33102, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33102, OnUpdateTrainingNote)
    ON_COMMAND_EX(33103, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33103, OnUpdateTrainingNote)
    ON_COMMAND_EX(33104, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33104, OnUpdateTrainingNote)
    ON_COMMAND_EX(33105, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33105, OnUpdateTrainingNote)
    ON_COMMAND_EX(33106, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33106, OnUpdateTrainingNote)
    ON_COMMAND_EX(33128, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33128, OnUpdateTrainingNote)
    ON_COMMAND_EX(33129, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33129, OnUpdateTrainingNote)
    ON_COMMAND_EX(33130, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33130, OnUpdateTrainingNote)
    ON_COMMAND_EX(33131, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33131, OnUpdateTrainingNote)
    ON_COMMAND_EX(33120, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33120, OnUpdateTrainingNote)
    ON_COMMAND_EX(33116, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33116, OnUpdateTrainingNote)
    ON_COMMAND_EX(33117, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33117, OnUpdateTrainingNote)
    ON_COMMAND_EX(33118, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33118, OnUpdateTrainingNote)
    ON_COMMAND_EX(33121, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33121, OnUpdateTrainingNote)
    ON_COMMAND_EX(33126, OnTrainingNote)
    ON_UPDATE_COMMAND_UI(33126, OnUpdateTrainingNote)
    ON_COMMAND(ID_TRAINING_END, OnTrainingEnd)
    ON_UPDATE_COMMAND_UI(ID_TRAINING_END, OnUpdateTrainingEnd)
    // File and macro commands.
    ON_COMMAND(57600, OnNewDrawingCommand)
    ON_COMMAND(32799, StartMacroRecording)
    ON_COMMAND(32800, StopMacroRecording)
    ON_COMMAND(32833, OnSaveMacroRecording)
    ON_COMMAND(32801, OnMacroRecordToDrawing)
    ON_UPDATE_COMMAND_UI(32799, OnUpdateMacroStart)
    ON_UPDATE_COMMAND_UI(32800, OnUpdateMacroRecording)
    ON_UPDATE_COMMAND_UI(32833, OnUpdateMacroRecording)
    ON_UPDATE_COMMAND_UI(32801, OnUpdateMacroRecording)
    ON_COMMAND(32804, ToggleMacroNextInput)
    ON_COMMAND(32803, OnMacroUseNextInput)
    ON_UPDATE_COMMAND_UI_RANGE(32803, 32804, OnUpdateMacroFlag)
    ON_UPDATE_COMMAND_UI(32898, OnUpdateSymbol)
    // Drawing-aid, selection and search switches.
    ON_COMMAND(33063, OnDraftMode)
    ON_COMMAND_RANGE(32861, 32863, OnCreationEnvMenu)
    ON_COMMAND_RANGE(32942, 32943, OnLayerCondMenu)
    ON_COMMAND_RANGE(32872, 32872, OnLayerCondMenu)
    ON_COMMAND(32807, OnSelectInvert)
    ON_COMMAND(32812, OnSelectByLayer)
    ON_COMMAND(32808, OnSelectInclude)
    ON_COMMAND(32809, OnSelectCrossing)
    ON_COMMAND(32811, OnSelectDeform)
    ON_COMMAND(124, OnSelectAllKinds)
    ON_COMMAND_RANGE(117, 121, OnSelectKind)
    ON_COMMAND_RANGE(133, 133, OnSelectKind)
    ON_COMMAND_RANGE(33070, 33071, OnSelectKind)
    ON_COMMAND_RANGE(32866, 32871, OnSelectionType)
    ON_COMMAND(135, OnSearchAll)
    ON_COMMAND_RANGE(136, 140, OnSearchKind)
    ON_COMMAND(32865, OnCreationEnvButton)
    ON_COMMAND(32896, OnLayerCondButton)
    ON_COMMAND_RANGE(122, 123, OnSelectionTypeButton)
    ON_UPDATE_COMMAND_UI(33063, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI_RANGE(32861, 32863, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI_RANGE(32942, 32943, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(32872, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(32807, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI_RANGE(32808, 32809, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI_RANGE(32811, 32812, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI_RANGE(117, 121, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(133, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI_RANGE(33070, 33071, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI_RANGE(32866, 32871, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI_RANGE(136, 140, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(32865, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(32896, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI_RANGE(122, 123, OnUpdateAlwaysEnabled)
    // Scale, text, search, display, color, creation, dimension, print and other settings.
    ON_COMMAND(32899, OnScale)
    ON_UPDATE_COMMAND_UI(32899, OnUpdateScale)
    ON_COMMAND(32930, OnTextAlignment)
    ON_COMMAND(32820, OnTextShapeStandard)
    ON_COMMAND(32825, OnTextShapeHorizontal)
    ON_COMMAND(32821, OnTextShapeVertical)
    ON_COMMAND(32822, OnTextShapeSlant)
    ON_COMMAND(32824, OnTextParameters)
    ON_COMMAND(33076, OnResultsToTextWindow)
    ON_COMMAND(32771, OnFindSettings)
    ON_COMMAND(32924, OnDisplaySettings)
    ON_COMMAND(32826, OnColorSettings)
    ON_UPDATE_COMMAND_UI(32826, OnUpdateAlwaysEnabled)
    ON_COMMAND(32883, OnBlurMode)
    ON_COMMAND(32884, OnCreateConditions)
    ON_COMMAND(32925, OnDimensionSettings)
    ON_COMMAND(32926, OnPrintSettings)
    ON_COMMAND(32928, OnOtherSettings)
    ON_UPDATE_COMMAND_UI_RANGE(32820, 32822, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(32825, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(33076, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(32883, OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(32930, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(32824, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(32771, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(32924, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(32884, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI_RANGE(32925, 32926, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(32928, OnUpdateAlwaysEnabled)
END_MESSAGE_MAP()

namespace {

const char* const kMsgNoResources = "プログラムのリソースが見つからないので、Zelkを起動できません";
const char* const kMsgNoMainWindow = "メインウィンドウを作成できないので、Zelkを起動できません";
const char* const kMsgShellCommandFailed = "指定されたファイルを開けなかったので、Zelkを起動できません";
const char* const kMsgSettingsNotWritten = "設定ファイルに書き込めなかったので、前回の設定が残っています: ";

} // namespace

BOOL CZelkApp::InitInstance()
{
    g_pApp = this;
    // Sockets and the object linking layer are always present here; nothing can fail before
    // the registry key is set.
    SetRegistryKey("Zelk");
    EnableControlContainer();
    Enable3dControls();
    LoadStdProfileSettings(15);

    m_inputBar = new CInputBar;

    m_pDocTemplate = new CMultiDocTemplate(IDR_ZELKTYPE, RUNTIME_CLASS(CZelkDoc), RUNTIME_CLASS(CChildFrame),
                                           RUNTIME_CLASS(CZelkView));
    m_pDocTemplate->SetServerInfo(IDR_ZELKTYPE_SRVR_EMB);
    AddDocTemplate(m_pDocTemplate);
    m_pTextTemplate = new CMultiDocTemplate(IDR_TEXTTYPE, RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CMDIChildWnd),
                                            RUNTIME_CLASS(CTextView));
    AddDocTemplate(m_pTextTemplate);

    // Without its resources the program has no menus, bars or texts to start with.
    if (!CResources::Get().FindMenu(IDR_MAINFRAME)) {
        AfxReportFailure(kMsgNoResources);
        return FALSE;
    }
    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        AfxReportFailure(kMsgNoMainWindow);
        return FALSE;
    }
    m_pMainFrame = frame;
    m_pMainWnd = frame;
    frame->DragAcceptFiles();
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    m_userAppBlockHolder = new UserAppBlockHolder;
    m_userAppBlockHolder->CreateBlock();
    m_screenOperation = new CScreenOperation;
    // A new program folder ($ZELK_HOME named afresh) starts with the shipped definition files,
    // as the per-user folder does; the settings read the first of them.
    SeedProgramFolder(FileSystemPath(ProgramFolder()), ShippedFolder());
    LoadSettings();
    m_appPath.CreateWrittenFolders();
    m_layerOps = new CLayerOps;
    m_scriptInterpreter = new CMacroInterpreter;
    m_numericInterpreter = new CMacroInterpreter;
    m_basePointInput = new CBasePointInput;
    m_userAppManager = new CUserAppManager;
    m_userAppManager->LoadRegistrations();
    m_macroRecorder = new CMacroRecorder;
    m_macroRecorder->ResetFlags();
    m_groupProcessor = new CGroupProcessor;
    m_groupProcessor->CreateElemSet();
    m_groupProcessor->BuildPatternGroups();
    m_groupProcessor->BuildAcceptedPatterns();
    m_symbolDoc = nullptr;
    m_crossPointInput = new CCrossPointInput;
    for (CSavedScreen*& screen : m_savedScreens)
        screen = new CSavedScreen;
    m_trainingState = new CTrainingState;

    m_inputBar->FillDefaultLists(-1);
    BuildUnitTable(TRUE);
    AddPiConstant();
    ReadVariableFile();

    // The color box was made before the settings were read.
    frame->m_wndInputBar.m_colorBox.ResetContent();
    m_appColor.FillColorCombo(&frame->m_wndInputBar.m_colorBox);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    m_hWndMDIClient = frame->m_hWndMDIClient;

    for (CControlBar* bar : { static_cast<CControlBar*>(&frame->m_wndFileBar), static_cast<CControlBar*>(&frame->m_wndScreenBar),
                              static_cast<CControlBar*>(&frame->m_wndBoxSearchBar), static_cast<CControlBar*>(&frame->m_wndCommandBar),
                              static_cast<CControlBar*>(&frame->m_wndInputBar), static_cast<CControlBar*>(&frame->m_wndSubBar),
                              static_cast<CControlBar*>(&frame->m_wndFindElemBar), static_cast<CControlBar*>(&frame->m_wndConstraintBar),
                              static_cast<CControlBar*>(&frame->m_wndFindPointBar) })
        frame->ShowControlBar(bar, FALSE, FALSE);

    frame->InitialShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    frame->ArrangeBars();

    if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated) {
        m_startCompleted = TRUE;
        return TRUE;
    }

    m_pendingSaveKind = 0;
    m_saveCountdown = 0;
    m_lastCommandId = 0;
    if (!ProcessShellCommand(cmdInfo)) {
        AfxReportFailure(kMsgShellCommandFailed);
        return FALSE;
    }

    NameInitialDrawings();
    m_printAllRunning = 0;
    TileDrawingWindows();
    m_startCompleted = TRUE;
    return TRUE;
}

void CZelkApp::NameInitialDrawings()
{
    int counter = 0;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        auto* doc = static_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
        ++counter;
        m_startMessagePending = 1;
        // A drawing read from a file keeps its own name and path.
        if (!doc->GetPathName().IsEmpty())
            continue;
        CString name = "NewFile";
        if (counter > 1) {
            CString number;
            number.Format("%d", counter);
            name += number;
        }
        const CString path = m_appPath.m_dataFolder + name + ".zel";
        doc->m_path = path;
        doc->m_name = name;
        doc->m_strPathName = path;
        doc->SetTitle(path);
    }
}

void CZelkApp::TileDrawingWindows()
{
    if (m_pMainFrame && m_hWndMDIClient)
        m_pMainFrame->MDITile();
}

void CZelkApp::DeleteServiceObjects()
{
    if (m_userAppBlockHolder) {
        m_userAppBlockHolder->DestroyBlock();
        delete m_userAppBlockHolder;
        m_userAppBlockHolder = nullptr;
    }
    delete m_screenOperation;
    m_screenOperation = nullptr;
    if (m_inputBar) {
        m_inputBar->DeleteLists();
        delete m_inputBar;
        m_inputBar = nullptr;
    }
    delete m_layerOps;
    m_layerOps = nullptr;
    delete m_scriptInterpreter;
    m_scriptInterpreter = nullptr;
    delete m_numericInterpreter;
    m_numericInterpreter = nullptr;
    delete m_basePointInput;
    m_basePointInput = nullptr;
    delete m_userAppManager;
    m_userAppManager = nullptr;
    delete m_macroRecorder;
    m_macroRecorder = nullptr;
    delete m_groupProcessor;
    m_groupProcessor = nullptr;
    delete m_symbolDoc;
    m_symbolDoc = nullptr;
    delete m_crossPointInput;
    m_crossPointInput = nullptr;
    for (CSavedScreen*& screen : m_savedScreens) {
        delete screen;
        screen = nullptr;
    }
    delete m_trainingState;
    m_trainingState = nullptr;
}

int CZelkApp::ExitInstance()
{
    DeleteServiceObjects();
    DeleteUnitsAndVariables();
    m_pMainFrame = nullptr;
    if (!m_startCompleted) {
        // The settings of a start that failed were never all read: writing them would put
        // defaults, or worse, over the user's. The recent-file list stays unwritten too.
        delete m_pRecentFileList;
        m_pRecentFileList = nullptr;
        CWinApp::ExitInstance();
        return 1;
    }
    const BOOL archiveWritten = SaveSettings();
    const int result = CWinApp::ExitInstance();
    CString failed;
    if (!archiveWritten)
        failed = "ZelkR009.acv";
    if (m_bProfileWriteFailed)
        failed += CString(failed.IsEmpty() ? "" : ", ") + CString(m_pszRegistryKey && *m_pszRegistryKey ? m_pszRegistryKey : "Zelk") + ".ini";
    if (!failed.IsEmpty())
        AfxReportFailure(kMsgSettingsNotWritten + failed);
    return result;
}

CZelkDoc* CZelkApp::GetActiveDrawingDoc() const
{
    return m_activeView ? m_activeView->m_document : nullptr;
}

void CZelkApp::ShowHelpPage(const char* page)
{
    Services().ShellOpen(ProgramFolder() + page);
    ShowMessage("", 0);
    m_prompt = m_previousPrompt;
    m_hint = m_previousHint;
    ShowPrompt();
}


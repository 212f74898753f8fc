// The settings archive: defaults, the fall-back reading of older archive names, the layout of
// the application's fields by archive version, and the write at exit.
#include "app/ZelkApp.h"

#include "app/SettingsField.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/WndClass.h"

namespace {

struct ArchiveName {
    const char* name;
    BYTE version;
};

// Newest first; only the first is ever written.
const ArchiveName kArchiveNames[] = {
    {"ZelkR009.acv", 9}, {"ZelkR008.acv", 8}, {"ZelkR007.acv", 7}, {"ZelkR006.acv", 6}, {"ZelkR005.acv", 5},
};

// Runs the object's Serialize over an archive on the open file, then closes both. A fault on
// the way aborts the archive and the file and gives FALSE.
BOOL SerializeThroughFile(CObject& object, CFile& file, UINT mode)
{
    try {
        CArchive ar(&file, mode, 4096);
        try {
            object.Serialize(ar);
            ar.Close();
        } catch (...) {
            ar.Abort();
            throw;
        }
        file.Close();
        return TRUE;
    } catch (CException&) {
        file.Abort();
        return FALSE;
    }
}

} // namespace

void CZelkApp::LoadSettings()
{
    RegisterChildFrameClass(RGB(255, 255, 255));
    m_appPath.BuildFolders();
    m_programVersion = "08.20";
    m_dataVersion = "01.00";
    m_interfaceVersion = "01.02";
    ReadSheetFile();
    SetSettingDefaults();

    m_archiveVersion = 0;
    CFile file;
    for (const ArchiveName& candidate : kArchiveNames) {
        if (file.Open(ProgramFolder() + candidate.name, CFile::modeRead)) {
            m_archiveVersion = candidate.version;
            break;
        }
    }
    if (m_archiveVersion == 0)
        return;
    // A short or damaged archive keeps what was read before the fault.
    if (!SerializeThroughFile(*this, file, CArchive::load))
        ClampLoadedSettings();
}

void CZelkApp::RegisterChildFrameClass(COLORREF background)
{
    m_childFrameClassName = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                LoadStandardCursor(IDC_ARROW), CreateSolidBrush(background));
}

void CZelkApp::SetSettingDefaults()
{
    m_macroLoopLimit = 200;
    m_nextDocNumber = 1;
    m_viewCounter = 1;
    m_commandKind = 2;
    m_pointConstraintMode = 1;
    m_showModeBanner = 1;
    m_activeClientRect = RECT{15788, -15830, 16533, -16357};
    m_viewScrollPos = POINT{15788, -15830};
    m_paperName = "A4";
    m_paperSizeText = "210 x 297";
    m_paperSize.Init(2100.0, 2970.0);
    m_saveCountdown = 1500;
    const std::int64_t now = Services().Time();
    m_startTime = now < 0 ? 0 : static_cast<std::int32_t>(now);

    m_recoveryInterval = 10;
    m_reservedByte = 200;
    m_historyLength = 30;
    m_printOption1 = 1;
    m_printOption2 = 10;
    m_printRatio = 1.05;
    m_slantedPrintOption = 1;
    m_timerInterval = 300;
    m_introMessage1 = 1;
    m_introMessage2 = 1;
    m_dxfHalfWidthFonts.RemoveAll();
    m_resultsToTextWindow = 1;
    m_emptyLayersInList = 1;
    m_measureToTextWindow = 0;
    m_symbolLayerCurrent = 0;
    m_noPopupMenu = 1;
    m_noBeepOnSwitch = 0;
    m_noTipOnSwitch = 0;
    m_autoReturnToBoxSelection = 0;
    m_groupResetOneStep = 1;
    m_backupOnSave = 1;
    m_printOption3 = 0;
    m_printOption4 = 0;
    m_printOption5 = 0;
    m_printOption6 = 0;
    m_dimOption = 1;
    m_registryNoticeShown = 0;
    m_programFolderNoticeShown = 0;
    m_saveInterval = 1500;
    m_introMessage3 = 1;
    m_showTextSizeLines = 1;
    m_printOption7 = 0;
    m_textPrintScale = 1.0;
}

void CZelkApp::Serialize(CArchive& ar)
{
    CString version = m_programVersion;
    ExchangeField(ar, version);
    m_appElem.Serialize(ar);
    m_appText.Serialize(ar);
    m_appColor.Serialize(ar);
    m_atrCurrent.Serialize(ar);
    m_atrElem.Serialize(ar);
    m_atrReference.Serialize(ar);
    m_appFind.Serialize(ar);
    m_appDraw.Serialize(ar);
    m_appPath.Serialize(ar);
    m_appAcc.Serialize(ar);
    m_appCommand.Serialize(ar);

    if (ar.IsStoring()) {
        std::int32_t startTime = m_startTime;
        SerializeApplicationFields(ar, startTime);
        return;
    }

    // The current environment starts with the stored pen.
    CopyPen(m_atrCurrent, m_appElem);

    std::int32_t storedStartTime = 0;
    SerializeApplicationFields(ar, storedStartTime);
    ClampLoadedSettings();

    m_startupNoticeSuppressed = 1;
    if (static_cast<std::int64_t>(m_startTime) - storedStartTime > kNoticeRepeatSeconds) {
        m_introMessage1 = 1;
        m_introMessage3 = 1;
        m_startupNoticeSuppressed = 0;
    } else if (m_startTime == 0) {
        m_startupNoticeSuppressed = 0;
    }
}

void CZelkApp::SerializeApplicationFields(CArchive& ar, std::int32_t& startTime)
{
    // Written always in the newest layout; an older archive stops at its version's last group.
    const int version = ar.IsStoring() ? 9 : m_archiveVersion;
    ExchangeField(ar, startTime);
    ExchangeField(ar, m_recoveryInterval);
    ExchangeField(ar, m_reservedByte);
    ExchangeField(ar, m_historyLength);
    ExchangeField(ar, m_printOption1);
    ExchangeField(ar, m_printOption2);
    ExchangeField(ar, m_printRatio);
    ExchangeField(ar, m_slantedPrintOption);
    ExchangeField(ar, m_timerInterval);
    ExchangeField(ar, m_introMessage1);
    ExchangeField(ar, m_introMessage2);
    ExchangeField(ar, m_resultsToTextWindow);
    m_dxfHalfWidthFonts.Serialize(ar);
    ExchangeField(ar, m_emptyLayersInList);
    ExchangeField(ar, m_measureToTextWindow);
    if (version >= 6)
        ExchangeField(ar, m_symbolLayerCurrent);
    if (version >= 7) {
        ExchangeField(ar, m_noPopupMenu);
        ExchangeField(ar, m_noBeepOnSwitch);
        ExchangeField(ar, m_noTipOnSwitch);
    }
    if (version >= 8) {
        ExchangeField(ar, m_autoReturnToBoxSelection);
        for (int* option : {&m_printOption3, &m_printOption4, &m_printOption5, &m_printOption6})
            ExchangeField(ar, *option);
        ExchangeField(ar, m_dimOption);
        ExchangeField(ar, m_registryNoticeShown);
        ExchangeField(ar, m_programFolderNoticeShown);
        ExchangeField(ar, m_saveInterval);
        ExchangeField(ar, m_introMessage3);
        ExchangeField(ar, m_showTextSizeLines);
        ExchangeField(ar, m_printOption7);
        ExchangeField(ar, m_textPrintScale);
    }
    if (version >= 9) {
        ExchangeField(ar, m_groupResetOneStep);
        ExchangeField(ar, m_backupOnSave);
    }
}

void CZelkApp::ClampLoadedSettings()
{
    m_appElem.ClampLoaded();
    m_appText.ClampLoaded();
    m_appColor.ClampLoaded();
    m_appFind.ClampLoaded();
    m_appDraw.ClampLoaded();
    m_appPath.ClampLoaded();
    m_appAcc.ClampLoaded();
    ClampSetting(m_recoveryInterval, 1, 200);
    ClampSetting(m_historyLength, 1, 40);
    ClampSetting(m_printOption2, 1, 100);
    ClampSetting(m_printRatio, 0.1, 10.0);
    ClampSetting(m_timerInterval, 100, 1000);
    ClampSetting(m_saveInterval, 0, 3000);
    ClampSetting(m_textPrintScale, 0.1, 5.0);
}

BOOL CZelkApp::SaveSettings()
{
    // A full disk or a folder that cannot be written leaves the previous archive as it was.
    return SaveFileReplacing(ProgramFolder() + kArchiveNames[0].name, [this](const CString& temporary) {
        CFile file;
        if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite))
            return FALSE;
        return SerializeThroughFile(*this, file, CArchive::store);
    });
}

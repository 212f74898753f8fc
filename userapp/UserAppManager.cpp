// The registered user applications and their registration file.
#include "userapp/UserAppManager.h"

#include "app/ZelkApp.h"
#include "formats/BufferRoutines.h"
#include "platform/core/Arrays.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"

#include <cstring>

namespace {

constexpr int kSearchTextLimit = 255;

CString RegistrationFilePath()
{
    CString folder = g_pApp ? g_pApp->m_appPath.m_appFolder : CString(ProgramFolder() + "ZelkApp\\");
    return folder + "ZelkApp.txt";
}

CString Lowered(const CString& text)
{
    CString lower = text;
    lower.MakeLower();
    return lower;
}

}  // namespace

CUserAppManager::~CUserAppManager()
{
    if (!m_keepUnreadFile)
        WriteRegistrationFile();
}

void CUserAppManager::ReadRegistrationFile()
{
    m_previewCode = 0;
    const CString path = RegistrationFilePath();
    CStringArray lines;
    if (!ReadTextFileLines(lines, path)) {
        m_keepUnreadFile = _access(path, 0) == 0;
        AfxMessageBox("アプリケーション登録ファイル " + path + " を開けませんでした");
        return;
    }
    int badLine = 0;
    CStringArray fields;
    for (int i = 0; i < lines.GetSize(); ++i) {
        if (SplitString(lines[i], '/', fields) == 3) {
            auto app = std::make_unique<CUserAppRecord>();
            app->m_fileName = fields[0];
            app->m_name = fields[1];
            app->m_version = fields[2];
            m_apps.push_back(std::move(app));
        } else if (!lines[i].IsEmpty()) {
            badLine = i + 1;
            m_damagedLines.Add(lines[i]);
        }
    }
    if (badLine > 0) {
        CString message;
        message.Format("アプリケーション登録ファイルの %d 行目に書式に異常な部分があります", badLine);
        AfxMessageBox(message);
    }
}

void CUserAppManager::WriteRegistrationFile() const
{
    CStringArray lines;
    for (const auto& app : m_apps)
        lines.Add(app->m_fileName + "/" + app->m_name + "/" + app->m_version);
    for (int i = 0; i < m_damagedLines.GetSize(); ++i)
        lines.Add(m_damagedLines[i]);
    WriteTextFileLines(lines, RegistrationFilePath());
}

void CUserAppManager::ResetSelection()
{
    m_selectedEntry = 0;
    m_searchStart = 0;
    m_prompt.Empty();
    m_hint.Empty();
    m_previewCode = 0;
}

CUserAppRecord* CUserAppManager::GetAppRecord(int index) const
{
    if (index < 0 || index >= GetAppCount())
        return nullptr;
    return m_apps[static_cast<size_t>(index)].get();
}

CString CUserAppManager::GetAppName(int index) const
{
    const CUserAppRecord* app = GetAppRecord(index);
    return app ? app->m_name : CString();
}

CString CUserAppManager::GetAppFileName(int index) const
{
    const CUserAppRecord* app = GetAppRecord(index);
    return app ? app->m_fileName : CString();
}

CString CUserAppManager::GetAppVersion(int index) const
{
    const CUserAppRecord* app = GetAppRecord(index);
    return app ? app->m_version : CString();
}

int CUserAppManager::FindAppByName(const CString& name, int& deletedPassed) const
{
    deletedPassed = 0;
    for (int i = 0; i < GetAppCount(); ++i) {
        const CUserAppRecord& app = *m_apps[static_cast<size_t>(i)];
        if (app.m_editState == CUserAppRecord::kDeleted) {
            ++deletedPassed;
            continue;
        }
        if (app.m_name == name)
            return i;
    }
    return -1;
}

// Only single-byte letters change case, the text is cut on a character boundary and a match
// starts at a character: a trail byte that reads as a letter ("Ｂ" is 82 61) never matches.
int CUserAppManager::FindAppContaining(const CString& text, int start) const
{
    const int count = GetAppCount();
    if (start < 0 || start >= count)
        start = 0;
    CString key = Lowered(text);
    key = key.Left(MbSafeCutLength(key, key.GetLength(), kSearchTextLimit));
    for (int pass = 0; pass < 2; ++pass) {
        const int from = pass == 0 ? start : 0;
        const int to = pass == 0 ? count : start;
        for (int i = from; i < to; ++i)
            if (Lowered(m_apps[static_cast<size_t>(i)]->m_name).Find(key) >= 0)
                return i;
    }
    return -1;
}

void CUserAppManager::InsertApp(int position, const CString& fileName, const CString& name,
                                const CString& version)
{
    if (position < 0 || position > GetAppCount())
        return;
    auto app = std::make_unique<CUserAppRecord>();
    app->m_fileName = fileName;
    app->m_name = name;
    app->m_version = version;
    app->m_editState = CUserAppRecord::kAdded;
    m_apps.insert(m_apps.begin() + position, std::move(app));
}

void CUserAppManager::MarkAppDeleted(int index)
{
    if (CUserAppRecord* app = GetAppRecord(index))
        app->m_editState = CUserAppRecord::kDeleted;
}

void CUserAppManager::CommitEdits()
{
    for (int i = GetAppCount() - 1; i >= 0; --i) {
        CUserAppRecord& app = *m_apps[static_cast<size_t>(i)];
        if (app.m_editState == CUserAppRecord::kDeleted)
            m_apps.erase(m_apps.begin() + i);
        else if (app.m_editState == CUserAppRecord::kAdded)
            app.m_editState = CUserAppRecord::kRegistered;
    }
    m_keepUnreadFile = false;
}

void CUserAppManager::CancelEdits()
{
    for (int i = GetAppCount() - 1; i >= 0; --i) {
        CUserAppRecord& app = *m_apps[static_cast<size_t>(i)];
        if (app.m_editState == CUserAppRecord::kDeleted)
            app.m_editState = CUserAppRecord::kRegistered;
        else if (app.m_editState == CUserAppRecord::kAdded)
            m_apps.erase(m_apps.begin() + i);
    }
}


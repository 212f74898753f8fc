// CDocument: the data behind one or more views, with its title, path, modified flag and the
// framework's open / save / close protocol (SaveModified asks before discarding changes).
#pragma once

#include "platform/ui/CmdTarget.h"

#include <vector>

class CView;
class CDocTemplate;
class CFrameWnd;
class CArchive;
class CFile;
class CFileException;

struct __POSITION;
typedef __POSITION* POSITION;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    const std::vector<CView*>& Views() const { return m_viewList; }
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    virtual void OnChangedViewList();

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CObject* e, BOOL bSaving, UINT nIDPDefault);
    virtual void PreCloseFrame(CFrameWnd* pFrame) { (void)pFrame; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

protected:
    DECLARE_MESSAGE_MAP()
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
};

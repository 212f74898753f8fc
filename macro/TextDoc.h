// A text window's document: the text of the window's edit control moved in and out as raw bytes
// and as lists of lines, the window's file with its delayed save, and its ties to drawings.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/ui/Document.h"

#include <cstdint>

class CArchive;
class CCmdUI;
class CZelkDoc;

class CTextDoc : public CDocument {
    DECLARE_DYNCREATE(CTextDoc)
public:
    // The longest line GetLines collects; a longer one starts again empty.
    static constexpr int kLineMax = 1022;

    CTextDoc();
    explicit CTextDoc(int kind);
    ~CTextDoc() override;

    void Serialize(CArchive& ar) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    void OnCloseDocument() override;
    BOOL SaveModified() override;
    // The Yes of the close question: an opened file is written back, a new text goes through
    // Save As.
    BOOL DoFileSave() override;

    // Replaces the window's whole text by the lines (through the work file); 1 or 0.
    int SetLines(const CStringArray& lines);
    // The window's text as lines, appended to the list; 1 or 0.
    int GetLines(CStringArray& lines);
    // 1 when the window's text is not empty.
    int HasText();
    // No owner drawing and no multi-line input.
    void ClearDrawingLink();
    // The delayed write of File Save, run when the frame's timer fires; 1 when written.
    int SaveToFile();

    void OnFileSave();
    void OnFileSaveAs();
    // Save As: the window's text written to a chosen text or CSV file; 1 when written.
    int SaveAs();
    void OnFileClose();
    void OnUpdateFileSave(CCmdUI* pCmdUI);

    CString m_path;                     // the window's file, written by File Save
    CString m_fileTitle;                // its name with extension
    CZelkDoc* m_ownerDrawing = nullptr; // the drawing the window is tied to, not owned
    CZelkDoc* m_macroDrawing = nullptr; // the drawing macros from the window act on, not owned
    int m_multiLineInput = 0;           // 1 while the window collects a multi-line text
    std::int64_t m_fileTime = 0;        // modification time of the file when it was opened
    int m_kind = 0;                     // 0 text, 1 macro
    // 1 for a window the user made or opened (new text, open text): its text is the user's own
    // and is asked about before it is discarded, whatever drawing the window is tied to.
    // Listings and multi-line input windows belong to their drawing and close silently.
    int m_userText = 0;

protected:
    DECLARE_MESSAGE_MAP()

private:
    // Hands the lines of a multi-line input window to its drawing as texts to be placed.
    void HandOverMultiLineText(const CStringArray& lines);
    // The text of a document without a window (a headless run), in the edit control's form.
    CString m_windowlessText;
};

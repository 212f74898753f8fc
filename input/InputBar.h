// The state behind the input box: which history list it shows, the text entered and how an
// applied text is taken. The input box window reports to it. Every call that touches the box
// works without the main frame too (a headless drawing, the tests); the state then still moves.
#pragma once

#include "input/HistoryList.h"
#include "platform/core/String.h"

class CInputComboBox;
class CZelkDoc;

class CInputBar {
public:
    CInputBar();
    virtual ~CInputBar() = default;
    CInputBar(const CInputBar&) = delete;
    CInputBar& operator=(const CInputBar&) = delete;

    int m_currentList = 1;         // 1 numbers, 2 texts, 3 fonts, 5 user applications, 7 ... 11
    int m_previousList = 1;        // the list the box showed when it last lost the focus
    int m_selectedIndex = 0;       // the drop-down entry last chosen (list 8 reads its line code)
    int m_listEdited = 0;          // the current list was chosen from, edited or confirmed
    int m_focusLeftList = 0;       // the list the focus left; cleared after every routed input
    int m_imeWasOpen = 0;          // the next text input opens the input method again
    CString m_enteredText;
    CHistoryList m_lists[11];      // list n is m_lists[n - 1]; 8 holds the element listings

    CHistoryList& GetList(int n) { return m_lists[n - 1]; }

    // The default entries of lists 1-6 and 9 (-1: all of them).
    virtual void FillDefaultLists(int which);
    virtual void DeleteLists();
    // Shows a history list in the box; keepText leaves the box text, focus moves the focus to it.
    virtual void SelectList(int list, int keepText, int focus);
    // The text command's list and its drop-down, else list 1 as it is.
    void SelectListForCommand(int commandKind);
    // Takes the entered text as input; arrowCode 0 for Enter, 1-4 for Ctrl+arrows. 0 refuses.
    virtual int ApplyText(int arrowCode);
    // Enter or a Ctrl+arrow in the box: the entered text applied, then the guidance and the
    // preview refreshed for what it changed. 0 refused (list 1 shown again), 1 the focus goes
    // back to the drawing with list 1, 2 the box keeps the focus and its list.
    int ConfirmEnteredText(int arrowCode);
    virtual void RememberText();
    virtual void MarkListEdited()
    {
        m_listEdited = 1;
        GetList(m_currentList).m_touched = 1;
    }
    // The first value of the entered text; FALSE on a fault (the caret goes to it) or no value.
    BOOL EvaluateEnteredText(double& value);

    // The start routines of the input modes.
    virtual void EnterNumericMode(int virtualKey);
    // List 1 with the focus and the text in the box, selected.
    virtual void StartNumericInput(const CString& text);
    virtual void StartTextInput();
    virtual void StartFontInput();
    void StartMessageInput();
    void StartListingDisplay();
    void StartLineTypeList();
    void StartAttributeCommandInput();
    void StartAttributeSearchInput();
    void FillLayerList(CZelkDoc* doc);
    void StartLayerRename(const CString& name);
    // The templates of attribute-text commands (list 10) and of find conditions (list 11) from
    // the active drawing; the number of entries filled.
    virtual int FillAttributeCommandList();
    virtual int FillFindConditionList();

    // A drawing closes: the lists that point at it let go.
    void ForgetDocument(const CZelkDoc* doc);

    // The character a key starts numeric input with; empty for a key that starts none.
    static CString NumericKeyText(int virtualKey, bool shift);

protected:
    // The main frame's input box; null without a frame.
    static CInputComboBox* Box();
    // Puts the box text and moves the data exchange's copy with it.
    static void SetBoxText(const CString& text);
    static void ShowMessage(const CString& text);

private:
    int ApplyUserAppSearch();
    int ApplyAttributeCommand();
    int ApplyAttributeSearch();
    int ApplyListingLine();
    int ApplyLineWidth();
    void ShowTextInputMessage(const CString& head);
};

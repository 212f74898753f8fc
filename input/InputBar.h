// The state behind the input box: which history list it shows, the text entered and how an
// applied text is taken. The input box window reports to it; the lists come with the input hub.
#pragma once

#include "input/HistoryList.h"
#include "platform/core/String.h"

class CInputBar {
public:
    virtual ~CInputBar() = default;

    int m_currentList = 1;         // 1 numbers, 2 texts, 3 fonts, 5 user applications, 7 ... 11
    int m_previousList = 1;
    int m_selectedIndex = -1;
    int m_listEdited = 0;
    int m_focusLeftList = 0;       // the list the focus left; cleared after every routed input
    CString m_enteredText;
    CHistoryList m_lists[11];      // list n is m_lists[n - 1]; 8 holds the element listings

    CHistoryList& GetList(int n) { return m_lists[n - 1]; }

    virtual void FillDefaultLists(int which) { (void)which; }
    virtual void DeleteLists() {}
    // Shows a history list in the box; keepText leaves the box text, focus moves the focus to it.
    virtual void SelectList(int list, int keepText, int focus)
    {
        (void)keepText;
        (void)focus;
        m_currentList = list;
    }
    // Takes the entered text as input; arrowCode 0 for Enter, 1-4 for Ctrl+arrows. 0 refuses.
    virtual int ApplyText(int arrowCode);
    virtual void RememberText() {}
    virtual void MarkListEdited() { m_listEdited = 1; }
    virtual void StartFontInput() { SelectList(3, 0, 1); }
    // The templates of attribute-text commands (mode 10) and of find conditions (mode 11); the
    // number of entries filled.
    virtual int FillAttributeCommandList() { return 0; }
    virtual int FillFindConditionList() { return 0; }
    // List 1 with the focus and the text in the box, selected.
    virtual void StartNumericInput(const CString& text)
    {
        SelectList(1, 1, 1);
        m_enteredText = text;
    }
    virtual void StartTextInput() { SelectList(2, 0, 1); }
};

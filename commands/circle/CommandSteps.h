// The step records every command object begins with: the guidance pair, the token string with
// its saved copy, the point input and the typed value of each token position. N is the number
// of token positions (6 for the circle command, 5 for the line, loop, point and text commands).
// A plain base without virtual functions, so that a routine shared by several commands works on
// any of them through these members alone.
#pragma once

#include "document/ZelkDoc.h"
#include "input/InputPoint.h"
#include "input/PointEntry.h"
#include "macro/Quantity.h"
#include "platform/core/String.h"

template <int N>
class CCommandSteps {
public:
    static constexpr int kPositions = N;

    CString m_prompt;                  // status-bar guidance
    CString m_hint;                    // the view's hint line
    CString m_savedTokenString;        // copy taken after an input, before defaults are added
    CString m_tokenString;             // one letter per accepted input
    CInputPoint m_savedInputPoints[N]; // taken with the saved token string
    CInputPoint m_inputPoints[N];      // the point input of each token position
    CQuantity m_values[N];             // the typed value of each token position

    // Both point sets and the typed values back to their empty start.
    void ResetStepRecords()
    {
        for (CInputPoint& p : m_inputPoints)
            p.Reset();
        for (CInputPoint& p : m_savedInputPoints)
            p.Reset();
        for (CQuantity& v : m_values)
            v.Reset();
    }

    // The macro player's default marks: a step point flagged exactly 2 and any flagged typed
    // value lose their mark, in both point sets.
    void ClearStepMarks()
    {
        for (int i = 0; i < N; ++i) {
            if (m_inputPoints[i].flags == 2)
                m_inputPoints[i].flags = 0;
            if (m_savedInputPoints[i].flags == 2)
                m_savedInputPoints[i].flags = 0;
            if (m_values[i].flag != 0)
                m_values[i].flag = 0;
        }
    }

    // Back to no input: both token strings empty and every step record reset, the first step's
    // point at the base point.
    void ResetStepRecords(CPointD base)
    {
        m_savedTokenString.Empty();
        m_tokenString.Empty();
        ResetStepRecords();
        m_savedInputPoints[0].SetBoth(base);
        m_inputPoints[0].SetBoth(base);
    }

    // restore 0 saves the token string and the step points, 1 puts them back.
    void SaveOrRestoreStep(int restore)
    {
        if (restore == 0) {
            m_savedTokenString = m_tokenString;
            for (int i = 0; i < N; ++i)
                m_savedInputPoints[i].Assign(m_inputPoints[i]);
        } else {
            m_tokenString = m_savedTokenString;
            for (int i = 0; i < N; ++i)
                m_inputPoints[i].Assign(m_savedInputPoints[i]);
        }
    }

    // The drawing's temporary marks (its direction marks) are deleted and the list emptied.
    static void ClearTempMarks(CZelkDoc* doc)
    {
        if (!doc)
            return;
        for (int i = 0; i < doc->m_directionMarks.GetSize(); ++i)
            delete static_cast<CPointEntry*>(doc->m_directionMarks[i]);
        doc->m_directionMarks.RemoveAll();
    }

    // -1 for an empty token string.
    int GetLastTokenIndex() const { return m_tokenString.GetLength() - 1; }
};

// The macro interpreter: one run of the macro language (its lines, statement nodes, block stacks,
// results and queued drawing commands), and the lookups in the application's unit and variable
// tables. The application owns two: the script interpreter and the input interpreter.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

#include <cstdint>
#include <initializer_list>

class CUnit;
class CZelkDoc;

// Operator, neighbour and keyword lists of the scanning routines, in matching order.
using MacroTokenList = std::initializer_list<const char*>;

class CMacroInterpreter {
public:
    CMacroInterpreter();
    ~CMacroInterpreter();
    CMacroInterpreter(const CMacroInterpreter&) = delete;
    CMacroInterpreter& operator=(const CMacroInterpreter&) = delete;

    // Empties what one run builds; the block stacks, current node, depth, executor flags and
    // header text are left to the entry points.
    void Reset();

    void PlayCommandQueue() {}

    // Unit table (the application's; none without an application).
    static const CUnit* GetUnit(int index);
    static int FindUnitByName(const CString& text);
    static int FindUnitForQuantity(const CUnit& unit);

    // Variable table.
    static int FindVariable(const CString& name);
    static int AppendVariable(const CString& name, double value, const CUnit* unit);
    static int AssignNumericVariable(const CString& name, double value, const CUnit& unit, CString& message);

    // Scanning of macro text. Positions count bytes; a double-byte character is stepped over
    // whole, so its second byte is never taken for a quote, parenthesis or operator.
    static int HasTopLevelChar(const CString& text, const char* chars);
    static int FindTopLevelOperators(const CString& text, int length, MacroTokenList operators,
                                     MacroTokenList notAfter, MacroTokenList notBefore,
                                     CWordArray& positions, CWordArray& codes, int codeBase);
    static int StripEnclosingParens(CString& text);
    static int StripPiece(CString& text);
    static int TrimLeftCount(CString& text);
    static int TrimRightCount(CString& text);
    static int MatchKeyword(const CString& text, MacroTokenList keywords, int& index);
    static int IndexOfNode(const CPtrArray& nodes, const void* node);
    static void NormaliseExponentText(CString& text);
    void GetResultKinds(CWordArray& kinds) const;
    static int SplitUnitSuffix(CString& text, int& unitIndex);
    static int IsNumberText(const CString& text);
    static int CheckIdentifier(const CString& text);

    CZelkDoc* m_document;
    CPtrArray m_gatheredTexts;     // CElemCandidate*, owned
    CWordArray m_lineOrder;
    CStringArray m_lines;          // last line first
    CPtrArray m_statements;        // CMacroStatement*, owned, last line first
    CPtrArray m_results;           // CQuantity*, owned
    int m_currentNode;
    int m_depth;
    CArray<int, int> m_takenStack;
    CArray<int, int> m_kindStack;
    CArray<int, int> m_headStack;
    int m_seenAtDepth;
    int m_skipBlock;
    int m_forReentry;
    CString m_headerText;
    int m_silent;
    CPtrArray m_commandQueue;      // CMacroCommandItem*, owned
    int m_queuePosition;
    std::int16_t m_handInputCount;
};

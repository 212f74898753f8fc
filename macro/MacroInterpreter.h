// The macro interpreter: one run of the macro language (its lines, statement nodes, block stacks,
// results and queued drawing commands), and the lookups in the application's unit and variable
// tables. The application owns two: the script interpreter and the input interpreter.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

class CMacroStatement;
class CQuantity;
class CUnit;
class CZelkDoc;

// Operator, neighbour and keyword lists of the scanning routines, in matching order.
using MacroTokenList = std::initializer_list<const char*>;

// A piece [start, end) of a stripped statement text and the node code it gets.
struct MacroCut {
    int start;
    int end;
    int code;
};

class CMacroInterpreter {
public:
    CMacroInterpreter();
    ~CMacroInterpreter();
    CMacroInterpreter(const CMacroInterpreter&) = delete;
    CMacroInterpreter& operator=(const CMacroInterpreter&) = delete;

    // Empties what one run builds; the block stacks, current node, depth, executor flags and
    // header text are left to the entry points.
    void Reset();

    // Plays the queued drawing commands into the command objects; nonzero when the queue is
    // finished. A stand-in until the command objects take macro input: nothing is queued, and
    // nothing is reported finished either.
    int PlayCommandQueue() { return 0; }
    // Inputs the command objects stored in the current pass over the queue.
    std::int16_t m_inputCounter = 0;

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

    // Lines and their checks. Line indices are stored indices (0 is the last line).
    int PrepareDrawingText(CZelkDoc* doc);
    void GatherFlaggedTexts();
    int OrderTextsByHeight();
    void CopyTextsToLines();
    void BuildStatementNodes();
    int PreCheckLines(int& line, int& column);
    static int CheckForbiddenSpellings(const CString& text);
    static int CheckParenthesisCount(const CString& text);
    int CheckBraces(int& line, int& column, int report);
    int ReportSyntaxError(int node, int column, int mark);
    void MarkErrorInDrawing(int node, int column);

    // The parser: the statement nodes in, every node out (see the levels below).
    int Parse(CPtrArray& output, int& line, int& column);
    int SplitBlocks(CMacroStatement* node, int& added, CPtrArray& work);
    int SplitSeparators(CMacroStatement* node, int& added, CPtrArray& work);
    int SplitPowerSuffix(CMacroStatement* node, int& added, CPtrArray& work, int index);
    int SplitAssignment(CMacroStatement* node, int& added, CPtrArray& work, int index);
    int SplitConditional(CMacroStatement* node, int& added, CPtrArray& work, int index);
    int SplitLogical(CMacroStatement* node, int& added, CPtrArray& work, int index);
    int SplitBitwise(CMacroStatement* node, int& added, CPtrArray& work, int index);
    int SplitRelational(CMacroStatement* node, int& added, CPtrArray& work, int index);
    int SplitAdditive(CMacroStatement* node, int& added, CPtrArray& work, int index, int mode);
    int SplitMultiplicative(CMacroStatement* node, int& added, CPtrArray& work, int index);
    int SplitNot(CMacroStatement* node, int& added, CPtrArray& work, int index);
    int SplitKeyword(CMacroStatement* node, int& added, CPtrArray& work, int index);

    // Entry points. Macro text: 1 when the run completed. A typed expression: -1 with the
    // results, 0 without an active drawing, else the column of the fault.
    int RunLines(CZelkDoc* doc, const CStringArray& lines, bool play);
    int RunDrawingText(CZelkDoc* doc);
    int EvaluateExpression(const CString& text, CWordArray& kinds);
    int ParseTextAttributeSpec(const CString& text, double& height, double& width, int& alignment, int& italic,
                               int& underline, int& strikeOut, CString& faceName, int& mask);

    // Execution: -1 after a normal end, else the position report's result or the write-back's.
    int Execute(int drawingText, int writeBack, int play, int target);
    int WriteBackResults(int target);
    int EvaluateOperand(int index, CMacroStatement* node, double& value, CString& text, CUnit& unit, int drawingText);
    int CheckOperandRange(int index, int code, double value, int drawingText);
    static int ClassifyOperand(const CString& text, CString& message);
    static int CountLeadingBlanks(CString& text);
    static CQuantity* AppendNodeValue(CMacroStatement* node, double value, const CUnit& unit, int flags);
    static CQuantity* SetNodeValue(CMacroStatement* node, double value, const CUnit& unit, int flags, int slot);

    CMacroStatement* Statement(int index) const;
    static bool IsCommentStatement(const CMacroStatement* node);

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

private:
    struct LoopCounters {
        int whilePasses = 0;
        int forPasses = 0;
        bool jumped = false;
    };
    int Refuse(const CString& message, int index, int column, int drawingText);
    int ExecuteLeaf(int index, CMacroStatement* node, int drawingText);
    int FoldChildren(int index, CMacroStatement* node, int drawingText, LoopCounters& counters, int& next, bool& stop);
    int FoldOperator(int index, CMacroStatement* node, CMacroStatement* child, const CUnit& tested, int drawingText);
    int FoldPower(int index, CMacroStatement* node, CMacroStatement* child, int drawingText);
    int FoldAssignment(int index, CMacroStatement* node, CMacroStatement* child, CString& pending, int drawingText);
    int FoldBlockKeyword(int index, CMacroStatement* node, CMacroStatement* child, int drawingText,
                         LoopCounters& counters, int& next, bool& stop);
    void QueueCommand(CMacroStatement* child);
    int CloseBlock(LoopCounters& counters, int& next);
    bool CountPass(int kind, LoopCounters& counters);
    int FirstNodeOfLineOf(int head) const;
    void DeliverResults(const CStringArray& lines, int target);

    CMacroStatement* MakePiece(CMacroStatement* node, const CString& text, int code, int offset);
    int InsertCuts(CMacroStatement* node, const CString& stripped, int left, const std::vector<MacroCut>& cuts,
                   CPtrArray& work, int index);
    int CutFlat(CMacroStatement* node, int& added, CPtrArray& work, int index, const CString& stripped, int left,
                const std::vector<MacroCut>& cuts);
    int SplitUnitSuffixes(CPtrArray& work);
    int SweepLevels(CPtrArray& work, int& failing);
    // Parses the statements, which the parse result then replaces, and prepares a run.
    int ParseStatements(bool drawingText, int& line, int& column);
    void PrepareExecution();

    std::vector<CMacroStatement*> m_passPieces;   // pieces the running level call has made
};

// Box selection and group processing: the application's one processor, attached to the drawing
// being worked on, with the working element set of the selection and the operation's parameters.
// Its state is a set of flags (move, preset, the drawing's deform and group-processing flags,
// the application's box-selection flag), not one mode.
#pragma once

#include <cstdint>

#include "commands/circle/CommandSteps.h"
#include "elements/Line.h"
#include "input/ElemSet.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CArcs;
class CCircles;
class CConics;
class CCurves;
class CDataPoints;
class CGroup;
class CLines;
class CText;
class CTexts;
class CTypeFont;
class CZelkDoc;

class CGroupProcessor : public CCommandSteps<5> {
public:
    CZelkDoc* m_document = nullptr;  // none while idle
    int m_moveFlag = 0;              // 1 the operation moves the selection, 0 it copies
    // The drawing in which each step's point or element was given.
    CZelkDoc* m_stepDocuments[5] = {};
    CLine m_pickedLines[5];          // the line picked at each step (deform direction)
    // 1 the step's line is in the start-moving list, 2 in the end-moving list, 0 neither.
    std::uint8_t m_pickedLineClasses[5] = {};
    CString modePattern;             // the chosen operation
    CStringArray m_stepNotes;        // the recorder's argument text per step
    CWordArray m_stepValueMarks;     // the recorder's marks per value slot
    int m_macroPlay = 0;             // the macro interpreter feeds the inputs
    CPtrArray m_patternGroups;       // CPatternGroup, owned
    CElemSet m_elemSet;
    int m_preset = 0;                // the operation was chosen beforehand (menu, macro, loaded data)
    CStringArray m_acceptedPatterns;
    CString m_savedModePattern;      // the mode pattern before the first input chose another
    CString m_savedModeTokens;
    CString m_macroTargetPattern;    // the pattern a playing macro drives toward
    int m_macroWaitsForEnter = 0;    // a played macro waits for the box selection to be confirmed
    int m_running = 0;               // an operation of box selection is under way

    // What the input entry took last; the input steps read it.
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;

    explicit CGroupProcessor(CZelkDoc* doc = nullptr);
    ~CGroupProcessor();
    CGroupProcessor(const CGroupProcessor&) = delete;
    CGroupProcessor& operator=(const CGroupProcessor&) = delete;

    // ---- object and pattern table ---------------------------------------------------------
    // The set is a member made with the processor; this gives it its empty start.
    void CreateElemSet();
    void BuildPatternGroups();
    void BuildAcceptedPatterns();
    void FreePatternGroups();

    // ---- state ----------------------------------------------------------------------------
    // Back to the empty box selection; detach 1 also lets go of the drawing. The mode pattern
    // stays.
    void Reset(int detach);
    // The selection is collected: the application's box-selection flag, base point (0, 0).
    void EnterGroupMode();
    // Attaches the processor, and each of its steps, to a drawing.
    void AttachTo(CZelkDoc* doc);
    // Lets go of a drawing that is being freed: detached when it works on it, and no step keeps it.
    void ForgetDocument(const CZelkDoc* doc);
    // The input entry of group processing; it notes the input for the steps that take it.
    void OnInput(CZelkDoc* doc, int kind, int subCode);
    // The loaded symbol or user-application data is what is being copied.
    bool IsSymbolCopy() const;
    // The attached drawing is in its deform selection.
    bool IsDeform() const;

    // ---- guidance -------------------------------------------------------------------------
    void ShowGuidance();
    void GetMacroPrompts(const CString& pattern, CStringArray& prompts) const;
    // The preview of the current step comes with the step advance; none until then.
    int ShowRubberBand() { return 0; }

    // The key operations of group processing; the box selection stays.
    void ApplyPointConstraint() {}
    void ReleasePointConstraint() {}
    void OnNextSnapPoint() {}
    void StepBack(int steps) { (void)steps; }
    // Back to the first step: the inputs taken so far are dropped.
    void ResetToFirstStep() { m_tokenString.Empty(); }
    // The creation environment group processing replaced, given back.
    void RestoreCreationMode() {}
    void UpdateLengthInputFlag() {}

    // ---- the selection and the copies of its elements -------------------------------------
    // 0 nothing selected, 1 a selection, 2 a deform selection with crossing lines. The caller
    // empties the set first.
    int CollectSelection();
    // Each adds one element to the target drawing through its creation log, in the pen (of
    // this processor's drawing) given when the environment is the selected element's; the
    // target's block of the new element, none when nothing was added.
    CDataPoints* AddPointCopy(CZelkDoc* target, CPointD point, std::int16_t pen, std::int16_t& block,
                              std::int16_t& slot);
    CLines* AddLineCopy(CZelkDoc* target, CPointD start, CPointD end, std::int16_t pen, std::int16_t& block,
                        std::int16_t& slot);
    CCircles* AddCircleCopy(CZelkDoc* target, CPointD centre, double radius, std::int16_t pen,
                            std::int16_t& block, std::int16_t& slot);
    CArcs* AddArcCopy(CZelkDoc* target, CPointD centre, double radius, double start, double end,
                      std::int16_t pen, std::int16_t& block, std::int16_t& slot);
    CConics* AddConicCopy(CZelkDoc* target, CPointD centre, double majorRadius, double ratio, double start,
                          double end, double tilt, std::int16_t pen, std::int16_t& block, std::int16_t& slot);
    // alignment -1 keeps the current one; angle in degrees.
    CTexts* AddTextCopy(CZelkDoc* target, const CText& model, CPointD point, const CString& text,
                        const CTypeFont& font, int alignment, double angle, double sizeFactor,
                        std::int16_t layer, std::int16_t& block, std::int16_t& slot);

    // ---- layers and attribute strings of copies -------------------------------------------
    // The target layer of a source layer by the layer condition; the map (one word per source
    // layer, target + 1, 0 unmapped) caches it for one operation.
    std::int16_t MapLayer(CWordArray& layerMap, std::int16_t sourceLayer);
    void CopyPointAttributes(CZelkDoc* source, CZelkDoc* target, CDataPoints* sourceBlock, int sourceBlockIndex,
                             int sourceSlot, CDataPoints* copyBlock, int copyBlockIndex, int copySlot);
    void CopyLineAttributes(CZelkDoc* source, CZelkDoc* target, CLines* sourceBlock, int sourceBlockIndex,
                            int sourceSlot, CLines* copyBlock, int copyBlockIndex, int copySlot);
    void CopyCircleAttributes(CZelkDoc* source, CZelkDoc* target, CCircles* sourceBlock, int sourceBlockIndex,
                              int sourceSlot, CCircles* copyBlock, int copyBlockIndex, int copySlot);
    void CopyArcAttributes(CZelkDoc* source, CZelkDoc* target, CArcs* sourceBlock, int sourceBlockIndex,
                           int sourceSlot, CArcs* copyBlock, int copyBlockIndex, int copySlot);
    void CopyConicAttributes(CZelkDoc* source, CZelkDoc* target, CConics* sourceBlock, int sourceBlockIndex,
                             int sourceSlot, CConics* copyBlock, int copyBlockIndex, int copySlot);
    void CopyCurveAttributes(CZelkDoc* source, CZelkDoc* target, CCurves* sourceBlock, int sourceBlockIndex,
                             int sourceSlot, CCurves* copyBlock, int copyBlockIndex, int copySlot);
    void CopyTextAttributes(CZelkDoc* source, CZelkDoc* target, CTexts* sourceBlock, int sourceBlockIndex,
                            int sourceSlot, CTexts* copyBlock, int copyBlockIndex, int copySlot);
    void CopyGroupAttributes(CZelkDoc* source, CZelkDoc* target, CGroup* sourceGroup, int sourceGroupIndex,
                             CGroup* copyGroup, int copyGroupIndex);

    // ---- copy pitch -----------------------------------------------------------------------
    // The pitch of repeated copies from the given points of two steps.
    void SetCopyInterval(int first, int second);
};

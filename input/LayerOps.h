// Layer operations of the input hub: the write layer by number, name, pattern, pick or a fresh
// layer, renaming, and the per-view display of layers (the reference-layer setting).
#pragma once

#include "platform/core/String.h"

class CLayer;
class CZelkDoc;
class CZelkView;
class CPointD;

class CLayerOps {
public:
    // View display words: the redraw marks 128 and 129 pend until CommitLayerStates.
    static constexpr unsigned kShown = 0;
    static constexpr unsigned kHidden = 1;
    static constexpr unsigned kShownChanged = 128;
    static constexpr unsigned kHiddenChanged = 129;

    CLayerOps() = default;

    // The first layer no element or placed object refers to (deleted ones included) whose name
    // is exactly four digits; -1 when none.
    static int FindEmptyNumberedLayer(CZelkDoc* doc);

    // The write layer := index, shown in every view; none (nothing changed) for an index
    // outside the layer list.
    static CLayer* SetWriteLayer(CZelkDoc* doc, int index);
    static void ShowLayerInAllViews(CZelkDoc* doc, int index);
    // The view's word := 128 (show) or 129 (hide); none for an index outside the layer list.
    static CLayer* MarkLayerState(CZelkDoc* doc, CZelkView* view, int index, int show);
    static void CommitLayerStates(CZelkView* view);
    // The first layer whose word has bit 0 clear, reading pending words as they stand.
    static int FindFirstShownLayer(CZelkView* view);
    // Enter in the write-layer mode: an unused numbered layer or a new one.
    void NewWriteLayer(CZelkDoc* doc);

    // The input of the layer modes 33 to 35.
    void OnInput(CZelkDoc* doc, int kind, int subCode);
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
    void SetWriteLayerByText(CZelkDoc* doc);
    void SetWriteLayerFromPick(CZelkDoc* doc);
    void SetReferenceLayersByText(CZelkDoc* doc, CZelkView* view);
    void ToggleLayersOfPicked(CZelkDoc* doc, CZelkView* view);

    // The first layer shown in the view whose name names a work-print layer becomes the view's
    // print-frame layer; FALSE (the view's choice kept) when there is none.
    static int FindPrintFrameLayer(CZelkDoc* doc, CZelkView* view);
    // The frame of a work layer: the bounding box of its live lines of line type 2 as its
    // top-left and bottom-right corners; FALSE when the layer is no work layer or has none.
    static int GetWorkLayerExtent(CZelkDoc* doc, int layer, CPointD& topLeft, CPointD& bottomRight);
    // The elements on the layer, live ones or (deleted set) deleted ones, per kind: points,
    // lines, circles, arcs, conics, curves, texts, placed objects; the sum.
    static int CountElementsOnLayer(CZelkDoc* doc, int layer, int deleted, int& points, int& lines,
                                    int& circles, int& arcs, int& conics, int& curves, int& texts,
                                    int& objects);

private:
    // The write layer becomes the index and the line leaves the input box.
    void ApplyNamedWriteLayer(CZelkDoc* doc, int index, const char* head);
    // Fresh write layer with the message (without or with "を").
    void MakeFreshWriteLayer(CZelkDoc* doc, const char* tail, int beep);
    void RenameWriteLayer(CZelkDoc* doc, const CString& oldName, const CString& newName);
    // One rename of the reference-layer line; FALSE when the names are refused before a lookup.
    void RenameReferenceLayer(CZelkDoc* doc, CZelkView* view, const CString& oldName,
                              const CString& newName, int show, int& writeHidden);
    static void ClearInputLine();
};

// Layer operations of the input hub that look at the elements of a drawing.
#pragma once

class CLayer;
class CZelkDoc;
class CZelkView;
class CPointD;

class CLayerOps {
public:
    CLayerOps() = default;

    // The first layer no element or placed object refers to (deleted ones included) whose name
    // is exactly four digits; -1 when none.
    static int FindEmptyNumberedLayer(CZelkDoc* doc);
    // The live elements and the placed objects on the layer, by kind (each set to 0 first);
    // nonzero when any count is.
    static int CountLayerElements(CZelkDoc* doc, int layer, int reserved, int& points, int& lines,
                                  int& circles, int& arcs, int& conics, int& curves, int& texts,
                                  int& objects);

    // The input of the layer modes 33 to 35.
    void OnInput(CZelkDoc* doc, int kind, int subCode);
    // Enter in the write-layer mode: the layer named in the input box becomes the write layer.
    void NewWriteLayer(CZelkDoc* doc) { (void)doc; }
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
    // The first layer shown in the view whose name names a work-print layer becomes the view's
    // print-frame layer; FALSE (the view's choice kept) when there is none.
    static int FindPrintFrameLayer(CZelkDoc* doc, CZelkView* view);
    // The frame of a work layer: the bounding box of its live lines of line type 2 as its
    // top-left and bottom-right corners; FALSE when the layer is no work layer or has none.
    // The view's display words: 128 marks a layer that becomes shown, 129 one that becomes
    // hidden, until CommitLayerStates turns them into 0 and 1.
    static CLayer* MarkLayerState(CZelkDoc* doc, CZelkView* view, int layer, int show);
    static void CommitLayerStates(CZelkView* view);
    // The first layer whose word has bit 0 clear; -1 when none.
    static int FindFirstShownLayer(CZelkView* view);
    // The layer becomes the write layer and is shown in every view; none (nothing changed)
    // when the index is outside the layer list.
    static CLayer* SetWriteLayer(CZelkDoc* doc, int layer);
    static int GetWorkLayerExtent(CZelkDoc* doc, int layer, CPointD& topLeft, CPointD& bottomRight);
};

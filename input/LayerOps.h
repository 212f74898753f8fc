// Layer operations of the input hub that look at the elements of a drawing.
#pragma once

class CZelkDoc;
class CZelkView;
class CPointD;

class CLayerOps {
public:
    CLayerOps() = default;

    // The first layer no element or placed object refers to (deleted ones included) whose name
    // is exactly four digits; -1 when none.
    static int FindEmptyNumberedLayer(CZelkDoc* doc);

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
    static int GetWorkLayerExtent(CZelkDoc* doc, int layer, CPointD& topLeft, CPointD& bottomRight);
};

// Layer operations of the input hub that look at the elements of a drawing.
#pragma once

class CZelkDoc;

class CLayerOps {
public:
    CLayerOps() = default;

    // The first layer no element or placed object refers to (deleted ones included) whose name
    // is exactly four digits; -1 when none.
    static int FindEmptyNumberedLayer(CZelkDoc* doc);

    // The input of the layer modes 33 to 35.
    void OnInput(CZelkDoc* doc, int kind, int subCode);
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
};

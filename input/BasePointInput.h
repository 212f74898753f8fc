// The base-point mode: one point becomes the drawing's base point of numeric moves. It keeps
// no data of its own.
#pragma once

class CZelkDoc;

class CBasePointInput {
public:
    // The input of the base-point mode 38.
    void OnInput(CZelkDoc* doc, int kind, int subCode);
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
};

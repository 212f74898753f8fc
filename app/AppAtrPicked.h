// The layout shared by the two creation environments taken from an element: the selected
// element's (CAppAtrElem) and the reference element's (CAppAtrReference). Not archived.
#pragma once

#include "app/AppText.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CZelkDoc;

class CAppAtrPicked : public CObject {
public:
    ~CAppAtrPicked() override;
    void Serialize(CArchive& ar) override;

    // Makes this set's pen the creation pen, line type unchanged.
    void ApplyPen();
    void ApplyText();
    void SetLineWidth(short width);
    void SetLineType(int lineType);
    // Takes pen, layer and (for a text) the text form of the document's current pick candidate
    // and remembers the document; 0 when the pick list has no current candidate.
    int TakeFromPickedElement(CZelkDoc* document);

    CZelkDoc* m_document;
    COLORREF m_color;
    int m_lineType;
    short m_lineWidth;
    BYTE m_blurCount;
    BYTE m_blurRate;
    short m_layer;
    CAppText m_text;

protected:
    CAppAtrPicked(BYTE blurCount, BYTE blurRate);
};

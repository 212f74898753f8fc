// The log of the elements created by the running operation of a drawing, with the table sizes
// taken when the operation started.
#pragma once

class CZelkDoc;

class CCreationLog {
public:
    CZelkDoc* m_doc;
    int m_penCount;
    int m_fontCount;

    CCreationLog(CZelkDoc* doc, int penCount, int fontCount);
};

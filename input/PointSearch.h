// The snap-point search of a drawing.
#pragma once

class CFoundPoint;
class CZelkDoc;

class CPointSearch {
public:
    CZelkDoc* m_doc;

    explicit CPointSearch(CZelkDoc* doc);
    // The found point offered now; none until the search is built.
    CFoundPoint* GetCurrent() { return nullptr; }
};

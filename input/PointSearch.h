// The snap-point search of a drawing.
#pragma once

class CZelkDoc;

class CPointSearch {
public:
    CZelkDoc* m_doc;

    explicit CPointSearch(CZelkDoc* doc);
};

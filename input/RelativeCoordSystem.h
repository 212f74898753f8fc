// Input in the relative coordinate system of a drawing.
#pragma once

class CZelkDoc;

class CRelativeCoordSystem {
public:
    CZelkDoc* m_doc;

    explicit CRelativeCoordSystem(CZelkDoc* doc);
};

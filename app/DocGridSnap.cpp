// CDocGrid::SnapPoint: the snap in the drawing's relative coordinate system. Kept apart from the
// grid record so that the record alone does not pull in the document.
#include "app/DocGrid.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"

CPointD CDocGrid::SnapPoint(CZelkDoc* document, const CPointD& point) const
{
    if (!m_on || g_pApp->m_lastStatus == 17)
        return point;
    return document->RelativeToWorld(SnapToPitch(document->WorldToRelative(point)));
}

// Input in the relative coordinate system of a drawing.
#include "input/RelativeCoordSystem.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/ElemRef.h"
#include "input/InputEvent.h"
#include "input/PickList.h"

namespace {

const char* const kMsgNotAnAngle = "入力した値の単位が角度ではありません";

// Value classes of a typed number.
constexpr int kPlainNumber = 2;
constexpr int kRelativeNumber = 3;
constexpr int kAngle = 11;
constexpr int kRelativeAngle = 12;

} // namespace

CRelativeCoordSystem::CRelativeCoordSystem(CZelkDoc* doc) : m_doc(doc) {}

void CRelativeCoordSystem::OnInput(int kind, int subCode)
{
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    CZelkDoc* doc = m_doc;
    const CInputEvent& e = *doc->m_inputEvent;
    doc->EraseRelativeAxesInViews();
    switch (kind) {
    case 4: {
        doc->m_relOrigin = subCode == 0 ? e.point : e.relativePoint;
        CPointD none;
        none.Init(0, 0);
        doc->SetBasePoint(doc->m_relOrigin, none);
        break;
    }
    case 3:
        if (subCode == kPlainNumber || subCode == kAngle)
            doc->m_relAngle = e.value;
        else if (subCode == kRelativeNumber || subCode == kRelativeAngle)
            doc->m_relAngle += e.value;
        else if (g_pApp)
            g_pApp->ShowMessage(kMsgNotAnAngle, 1);
        break;
    case 6: {
        CElemRef ref;
        if (!doc->m_pickList->GetCurrent(ref))
            break;
        double angle = 0;
        if (ref.m_kind == ELEM_LINE) {
            if (const CLine* line = doc->GetLineElem(ref.m_block, ref.m_slot)) {
                angle = line->AngleDeg();
                const int where = doc->m_pickList->ClassifyPickPosition();
                if (where == 5 || where == 6)
                    angle += 180;
            }
        } else if (ref.m_kind == ELEM_TEXT) {
            if (const CText* text = doc->GetTextElem(ref.m_block, ref.m_slot)) {
                double length = 0;
                angle = PointsAngleDegLen(text->m_underlineStart, text->m_underlineEnd, length);
            }
        }
        doc->m_relAngle = angle;
        break;
    }
    default:
        break;
    }
    doc->RedrawOriginAndAxesInViews();
}

CPointD CRelativeCoordSystem::WorldToRelative(CPointD p) const
{
    return m_doc->WorldToRelative(p);
}

CPointD CRelativeCoordSystem::RelativeToWorld(CPointD p) const
{
    return m_doc->RelativeToWorld(p);
}

// Hatching of the extracted loops: parallel solid lines at the typed angle, the settings' pitch
// apart, one of them through the pass point, cut to the chords inside the loops and kept in one
// new group.
#include "commands/line/LoopCommand.h"

#include <cmath>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "commands/line/LoopMembers.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/ElemKey.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

CPointD Along(const CPointD& p, const CPointD& v, double t)
{
    CPointD q;
    q.Init(p.m_x + v.m_x * t, p.m_y + v.m_y * t);
    return q;
}

struct CChord {
    CPointD first, second;
};

} // namespace

int CLoopCommand::MakeHatching(int angleSlot, int pointSlot)
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    if (!doc || !app || !doc->m_creationLog || angleSlot < 0 || angleSlot >= 5 || pointSlot < 0 || pointSlot >= 5)
        return 0;
    const double theta = m_values[angleSlot].value;
    const double radians = theta * kPi / 180.0;
    CPointD normal, direction;
    normal.Init(-std::sin(radians), std::cos(radians));
    direction.Init(std::cos(radians), std::sin(radians));
    const CPointD pass = m_inputPoints[pointSlot].GetEffective(doc, 1);
    // A pitch outside the settings' range (a damaged settings file) makes no lines rather than
    // an endless or divided-by-zero count.
    const double pitch = app->m_appElem.m_hatchPitch;
    if (!(pitch > 0.0))
        return 0;

    double high = 0.0, low = 0.0;
    GetLoopsExtentAcross(pass, theta, high, low);
    const double k0 = std::trunc(std::fabs(high) / pitch);
    const double g = k0 * pitch;
    const CPointD first = Along(pass, normal, g);
    const double count = std::trunc((g - low) / pitch) + 1.0;

    std::vector<CChord> chords;
    std::vector<CPointD> crossings;
    for (double j = 0; j < count; j += 1.0) {
        const CPointD a = Along(first, normal, -j * pitch);
        if (!IntersectLineWithLoops(a, Along(a, direction, 100.0), crossings))
            continue;
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            CChord chord{ crossings[i], crossings[i + 1] };
            OrderPoints(chord.first, chord.second);
            // A pair of equal points (a touch) is no line.
            if (!PointsNearlyEqual(chord.first, chord.second))
                chords.push_back(chord);
        }
    }
    if (chords.empty())
        return 0;

    std::int16_t groupNumber = -1;
    CGroup* group = doc->m_creationLog->AddGroup(1, groupNumber, 1, 1);
    if (!group)
        return 0;
    CAppElem& settings = app->m_appElem;
    const short savedWidth = settings.m_lineWidth;
    const int savedType = settings.m_lineType;
    settings.m_lineWidth = 1;
    settings.m_lineType = 0;
    CLayerStep layer(doc, FirstMemberLayer(*this));
    for (const CChord& chord : chords) {
        std::int16_t block = -1, slot = -1;
        doc->m_creationLog->AddLine(chord.first, chord.second, 1, block, slot, 1, 1);
        JoinNewGroup(doc, group, groupNumber, ELEM_LINE, block, slot);
    }
    layer.Finish();
    settings.m_lineWidth = savedWidth;
    settings.m_lineType = savedType;
    return 1;
}

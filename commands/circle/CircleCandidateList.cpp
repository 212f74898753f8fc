// The list of solutions a construction with several answers keeps for Q and Shift+Q: ordered by
// how close each lies to where the user worked, without repeats, and in the arc command each arc
// followed by the rest of its circle.
#include "commands/circle/CircleCommand.h"

#include "commands/circle/CandidateList.h"

void CCircleCommand::InsertCandidate(double key, CPointD centre, double radius, CPointD angles)
{
    ::InsertCandidate(m_candidates, m_circleFlag == 1 ? 1 : 0, key, centre, radius, angles);
}

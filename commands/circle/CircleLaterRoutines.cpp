// The tangent constructions and the edits of circles, arcs and conics that the execute dispatch
// binds but that make nothing yet: each answers 0, which the dispatch takes as a refusal, so a
// complete pattern of theirs finishes without changing the drawing.
#include "commands/circle/CircleCommand.h"

int CCircleCommand::AddCircleByArcAngle(int, int, int)
{
    return 0;
}

int CCircleCommand::AddCircleByTwoPointsAndRadius(int, int, int)
{
    return 0;
}

int CCircleCommand::AddTangentCircleToLineThroughPoint(int, int, int)
{
    return 0;
}

int CCircleCommand::AddTangentCircleToCircleThroughPoint(int, int, int)
{
    return 0;
}

int CCircleCommand::AddTangentCircleAtLinePoint(int, int, int)
{
    return 0;
}

int CCircleCommand::AddTangentCircleAtCirclePoint(int, int, int)
{
    return 0;
}

int CCircleCommand::AddTangentCircleToTwoLines(int, int, int, int& changed)
{
    changed = 0;
    return 0;
}

int CCircleCommand::AddTangentCircleToLineAndCircle(int, int, int, int& changed)
{
    changed = 0;
    return 0;
}

int CCircleCommand::AddTangentCircleToTwoCircles(int, int, int, int& changed)
{
    changed = 0;
    return 0;
}

int CCircleCommand::MarkStartAtPoint(int)
{
    return 0;
}

int CCircleCommand::MarkStartAtAngle(int)
{
    return 0;
}

int CCircleCommand::MarkStartAtLineCrossing(int)
{
    return 0;
}

int CCircleCommand::MarkStartAtCircleCrossing(int)
{
    return 0;
}

int CCircleCommand::ChangeCircleRadius(int)
{
    return 0;
}

int CCircleCommand::CircleToArcByPoints(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByPointAndAngle(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByPointAndLine(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByPointAndCircle(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByAngles(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByAngleAndLine(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByAngleAndCircle(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByLines(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByLineAndCircle(int, int, int)
{
    return 0;
}

int CCircleCommand::CircleToArcByCircles(int, int, int)
{
    return 0;
}

int CCircleCommand::ChangeCircleAttributes()
{
    return 0;
}

int CCircleCommand::CircleToEllipseThroughPoint(int)
{
    return 0;
}

int CCircleCommand::CircleToEllipseByRatio(int)
{
    return 0;
}

int CCircleCommand::MoveArcEndToPoint(int, int, int)
{
    return 0;
}

int CCircleCommand::MoveArcEndToLine(int)
{
    return 0;
}

int CCircleCommand::MoveArcEndToCircle(int)
{
    return 0;
}

int CCircleCommand::MoveArcEndToAngle(int)
{
    return 0;
}

int CCircleCommand::ChangeArcRadius(int)
{
    return 0;
}

int CCircleCommand::CutArcByPoints(int, int)
{
    return 0;
}

int CCircleCommand::CutArcByPointAndLine(int, int)
{
    return 0;
}

int CCircleCommand::CutArcByPointAndCircle(int, int)
{
    return 0;
}

int CCircleCommand::CutArcByPointAndAngle(int, int)
{
    return 0;
}

int CCircleCommand::CutArcByLineAndAngle(int, int)
{
    return 0;
}

int CCircleCommand::CutArcByCircleAndAngle(int, int)
{
    return 0;
}

int CCircleCommand::CutArcByLines(int, int)
{
    return 0;
}

int CCircleCommand::CutArcByLineAndCircle(int, int)
{
    return 0;
}

int CCircleCommand::CutArcByCircles(int, int)
{
    return 0;
}

int CCircleCommand::ChangeArcAttributes()
{
    return 0;
}

int CCircleCommand::ArcToEllipticArcThroughPoint(int)
{
    return 0;
}

int CCircleCommand::ArcToEllipticArcByRatio(int)
{
    return 0;
}

int CCircleCommand::ConvertConicToArcCurve(int)
{
    return 0;
}

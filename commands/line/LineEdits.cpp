// The chamfers and the edits of an existing line. They come with their own constructions; until
// then each makes nothing and answers 0, so the execution leaves the drawing as it is.
#include "commands/line/LineCommand.h"

int CLineCommand::ChamferLines(int, int, int, int& trimmed)
{
    trimmed = 0;
    return 0;
}

int CLineCommand::ChamferLineAndCircle(int, int, int, int& trimmed)
{
    trimmed = 0;
    return 0;
}

int CLineCommand::ChamferCircles(int, int, int, int& trimmed)
{
    trimmed = 0;
    return 0;
}

int CLineCommand::ExtendLine(int, int, int, int)
{
    return 0;
}

int CLineCommand::AddLineToSourceGroup(std::int16_t, std::int16_t, std::int16_t, std::int16_t)
{
    return 0;
}

int CLineCommand::ChangeLineAngle(int, int, int)
{
    return 0;
}

int CLineCommand::ChangeLineLength(int, int, int)
{
    return 0;
}

int CLineCommand::CutLine(int, int, int, int, int, int, int)
{
    return 0;
}

int CLineCommand::ChangeLineAttributes()
{
    return 0;
}

// QUIBRA's application object: the dialogue that asks for a hexagon bolt's nominal diameter,
// length and thread length, and the figure of the bolt handed to the program for placing. The
// program calls DllCall with an event; the plug-in answers only with requests in the block.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/String.h"
#include "platform/ui/WinApp.h"

class UserAppBlock;
class UserAppBlockHolder;

class CBoltApp : public CWinApp {
public:
    CBoltApp();

    // One call of the program: event 0 start, 11 and 15 a typed number, 100 the requests were
    // executed, 101 they failed; other events are ignored.
    void OnEvent(UserAppBlockHolder* holder, int event);

    // The figure as transfer records in the slot's lists; TRUE when head and shank were built.
    BOOL BuildFigure(int slot, UserAppBlockHolder* holder);
    BOOL AddHead(int slot, UserAppBlockHolder* holder);
    BOOL AddShank(int slot, UserAppBlockHolder* holder);

    // The circle through three points: its centre, radius, and the directions of p1 and p3 seen
    // from the centre (degrees, start in x and end in y). FALSE when there is no circle.
    static BOOL ArcThroughPoints(const CPointD& p1, const CPointD& p2, const CPointD& p3,
                                 CPointD& centre, double& radius, CPointD& angles);
    // The crossing of the lines a1-a2 and b1-b2; FALSE when they are parallel.
    static BOOL IntersectLines(const CPointD& a1, const CPointD& a2, const CPointD& b1,
                               const CPointD& b2, CPointD& result);
    // The direction from a to b in degrees, in (-180, 180]; 0 for a zero vector.
    static double DirectionDeg(const CPointD& a, const CPointD& b);

    // The values as typed (millimetres) and the thick pen's width (tenths of a millimetre).
    double diameter = 4.0;
    double length = 15.0;
    double threadLength = 10.0;
    short thickPenWidth = 5;

    DECLARE_MESSAGE_MAP()

private:
    void WriteStartTexts(UserAppBlock& block);
    void TakeNumber(UserAppBlockHolder* holder, double v);
};

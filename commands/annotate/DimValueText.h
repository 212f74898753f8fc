// The value texts of the dimension kinds the command measures itself (chamfer, diameter and
// radius, angle) and the folding of a direction into a text angle that reads from left to right
// or upwards. Shared by the command's own steps and the deform of a selection; the standard
// dimension's value stays with its builder.
#pragma once

#include "platform/core/String.h"

class CAppElem;
class CArc;
class CLine;

// Lengths are divided by the drawing scale and rounded to the settings' value decimals.
CString ChamferValueText(const CLine& chamfer, double scale, const CAppElem& settings);
CString DiameterValueText(double radius, double scale, const CAppElem& settings);
CString RadiusValueText(double radius, double scale, const CAppElem& settings);
CString AngleValueText(double sweepDeg, const CAppElem& settings);
// A full circle (0° to 360°) is measured by its diameter, any arc by its radius.
bool IsFullCircle(const CArc& arc);
CString CircleOrArcValueText(const CArc& arc, double scale, const CAppElem& settings);
// A direction in degrees as a text angle: nearly 0 is 0, a negative one is taken once around,
// then folded.
double FoldedTextAngleDeg(double direction);

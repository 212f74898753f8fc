// Directions of line elements and of a text's underline, on top of the point-pair directions.
#pragma once

class CLine;
class CText;

double LineAngleRadLen(const CLine& line, double& length);
double LineAngleRad(const CLine& line);
double LineAngleDeg(const CLine& line);
// From the underline's first stored end to its second, as stored (the swap flag is not applied).
double TextLineAngleRadLen(const CText& text, double& length);

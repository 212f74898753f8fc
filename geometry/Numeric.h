// The numeric and string functions every comparison and every printed number rests on: rounding,
// the program-wide equality of doubles, number/text conversion, and small Shift-JIS string tools.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CStringArray;
class CWordArray;
class CPtrArray;
class CElemRef;

// The one value of pi every angle routine uses.
inline constexpr double PI = 3.141592653589793;

// trunc(log10 |v|) + 1, truncated toward zero; 0 for 0.
int DigitCount(double v);

// Rounding. n may be negative (rounding to tens, hundreds ...).
double RoundToDecimals(double x, int n);
double RoundToDecimalsByNextDigit(double x, int n);
void RoundPointToDecimals(CPointD& p, int n);
void RoundPointToDecimalsByNextDigit(CPointD& p, int n);
void RoundToSignificant(double& x, int n);
void RoundToSignificant15(double& x);
void RoundPointToSignificant(CPointD& p, int n);
void RoundPointToSignificant14(CPointD& p);
// Decimals inside the accuracy settings' range, significant digits outside it.
void RoundByRangeSetting(double& x, int n);
void RoundPointByRangeSetting(CPointD& p, int n);
double RoundedDifference8(double a, double b);
double RoundedDifference12(double a, double b);

// Equality (1/0).
int EqualWithinDecimals(double a, double b, int n);
int NearlyEqualOrLess(double a, double b, int& less);
int NearlyEqual(double a, double b);
int PointsNearlyEqual(const CPointD& p, const CPointD& q);
int PointsEqualWithinDecimals(const CPointD& p, const CPointD& q, int n);

// Numbers and text.
CString IntToString(int v);
CString IntRefToString(const int& v);
CString LongRefToString(const long& v);
CString DoubleRefToString(const double& v);
CString DoubleToString(double v);
double StringToDouble(const CString& text);
int StringToInt(const CString& text);
void UnpackLogFont(LOGFONT f, double& angle, double& height, double& width, int& italic,
                   int& underline, int& strikeOut, CString& face);
double DegToRad(double x);
double RadToDeg(double x);

// Strings (Shift-JIS bytes).
int IsNumericText(const CString& text);
void SplitTokens(CString text, const char* delimiters, const char* prefixes, CStringArray& out);
int SplitNumberAt(const CString& text, int pos, CString& before, CString& number, CString& rest);
void TrimBlanks(CString& s);
CString Concat10Strings(const CString& s1, const CString& s2, const CString& s3,
                        const CString& s4, const CString& s5, const CString& s6,
                        const CString& s7, const CString& s8, const CString& s9,
                        const CString& s10);
CString StripComments(CString text);
CString RemoveBlockComments(CString text);
int InsertSortedWord(CWordArray& list, WORD v);
int FindWord(const CWordArray& list, WORD v);
CElemRef* FindRefByBlockSlot(const CPtrArray& refs, short block, short slot, int& index);
int ContainsDoubleByteChar(const CString& text);

// The messages of the macro executor: operands, operators, functions, blocks and the run.
#pragma once

namespace macro_exec {

// Operands.
inline constexpr const char kNoOperand[] = "数値または変数がありません";
inline constexpr const char kUnclosedString[] = "文字列を示すダブルコーテーションが文字列の終端にありません";
inline constexpr const char kFunctionNameHead[] = "関数名と同じ綴りの文字 ";
inline constexpr const char kFunctionNameTail[] = " が関数のフォームではなく使われています";
inline constexpr const char kUnitOnUnitVariable[] = "単位付き変数に単位が付けられています";
inline constexpr const char kNotANumber[] = "変数・関数・単位ではないと思われる文字列に数値以外の文字が含まれています";
inline constexpr const char kDivideByZeroOperand[] = "０での割算はできません";
inline constexpr const char kAsinRange[] = "asin()の引数が -1～1 の範囲を越えています";
inline constexpr const char kAcosRange[] = "acos()の引数が -1～1 の範囲を越えています";
inline constexpr const char kSqrtNegativeOperand[] = "sqrt()の引数が負になっています";
inline constexpr const char kRgbNegative[] = "RGB()の引数が負になっています";
inline constexpr const char kRgbOver[] = "RGB()の引数が255を越えています";

// Folding.
inline constexpr const char kMissingTerm[] = "項が不足しています";
inline constexpr const char kMultiAssign[] = "複数項の代入演算(= += -= *= /=)はできません";
inline constexpr const char kMultiConditional[] = "複数項の条件演算(?:)はできません";
inline constexpr const char kMultiLogical[] = "複数項の論理演算(&& ||)はできません";
inline constexpr const char kMultiBitwise[] = "複数項のビット演算(& |)はできません";
inline constexpr const char kMultiRelational[] = "複数項の関係演算(< > <= >= == !=)はできません";
inline constexpr const char kMultiAdditive[] = "複数項の加減算(+ -)はできません";
inline constexpr const char kMultiMultiplicative[] = "複数項の乗除算(*)剰余算(%)はできません";
inline constexpr const char kMultiNot[] = "複数項の論理否定(!)はできません";
inline constexpr const char kMultiTrig[] = "複数項の三角関数演算はできません";
inline constexpr const char kMultiFabs[] = "複数項の絶対値演算fabs(a,b)はできません";
inline constexpr const char kMultiSqrt[] = "複数項の平方根sqrt(a,b)はできません";
inline constexpr const char kMultiPowArgument[] = "複数項の累乗pow((a,b),y)はできません";
inline constexpr const char kMultiPowForm[] = "複数項の累乗(a,b)yはできません";
inline constexpr const char kMultiIf[] = "複数項の条件判定if(a,b)はできません";
inline constexpr const char kMultiElseIf[] = "複数項の条件判定else if(a,b)はできません";
inline constexpr const char kMultiWhile[] = "複数項の条件判定while(a,b)はできません";

inline constexpr const char kAddDimension[] = "単位の次元の異なる値の加算(+)はできません";
inline constexpr const char kAddUnassigned[] = "値の代入されていない変数の加算(+)はできません";
inline constexpr const char kAddRefused[] = "次元の違う加算はできません。";
inline constexpr const char kSubtractUnassigned[] = "値の代入されていない変数の減算(-)はできません";
inline constexpr const char kSubtractDimension[] = "単位の次元の異なる値の減算(-)はできません";
inline constexpr const char kSubtractRefused[] = "次元の違う減算はできません。";
inline constexpr const char kRemainderUnassigned[] = "値の代入されていない変数の剰余算(%)はできません";
inline constexpr const char kMultiplyUnassigned[] = "値の代入されていない変数の乗算(*)はできません";
inline constexpr const char kDivideUnassigned[] = "値の代入されていない変数の割算(/)はできません";
inline constexpr const char kDivideByZero[] = "０での割算(/)はできません";
inline constexpr const char kRemainderByZero[] = "０での剰余算(%)はできません";
inline constexpr const char kRemainderDimension[] = "単位の次元の異なる値の剰余算(%)はできません";
inline constexpr const char kRelationDimension[] = "単位の次元の異なる値の関係演算(< > <= >= == !=)はできません";
inline constexpr const char kRelationUnassigned[] = "値の代入されていない変数の関係演算(< > <= >= == !=)はできません";
inline constexpr const char kLogicalUnassigned[] = "値の代入されていない変数の論理演算(&& ||)はできません";
inline constexpr const char kBitwiseUnassigned[] = "値の代入されていない変数のビット演算(& |)はできません";
inline constexpr const char kLogicalUnit[] = "単位のついた値の論理演算(&& ||)はできません";
inline constexpr const char kBitwiseUnit[] = "単位のついた値のビット演算(& |)はできません";
inline constexpr const char kNotUnassigned[] = "値の代入されていない変数の論理否定(!)はできません";
inline constexpr const char kNotUnit[] = "単位のある値の論理否定(!)はできません";
inline constexpr const char kConditionalUnassigned[] = "値の代入されていない変数の条件演算(?:)はできません";

// Functions: the unassigned and dimension messages of sin .. atan, in code order.
inline constexpr const char* const kTrigUnassigned[] = {
    "値の代入されていない変数のsin演算はできません",  "値の代入されていない変数のcos演算はできません",
    "値の代入されていない変数のtan演算はできません",  "値の代入されていない変数のasin演算はできません",
    "値の代入されていない変数のacos演算はできません", "値の代入されていない変数のatan演算はできません"};
inline constexpr const char* const kTrigDimension[] = {
    "単位の次元のある値のsin演算はできません",  "単位の次元のある値のcos演算はできません",
    "単位の次元のある値のtan演算はできません",  "単位の次元のある値のasin演算はできません",
    "単位の次元のある値のacos演算はできません", "単位の次元のある値のatan演算はできません"};
inline constexpr const char kFabsUnassigned[] = "値の代入されていない変数の絶対値fabs()はできません";
inline constexpr const char kSqrtUnassigned[] = "値の代入されていない変数の平方根sqrt()はできません";
inline constexpr const char kSqrtNegative[] = "平方根sqrt()の引数が負になっています";
inline constexpr const char kSqrtOddDimension[] = "平方根sqrt()で単位の次元に端数が出ます";

// The power forms: pow(x, y) first, (x)y second.
inline constexpr const char kPowArguments[] = "累乗pow(x,y)の引数は２つにしてください";
inline constexpr const char* const kPowZeroNegative[] = {"累乗pow(0,負値)の形式は避けてください",
                                                        "累乗(0)負値 の形式は避けてください"};
inline constexpr const char* const kPowNegativeFraction[] = {"負の小数点値の累乗(pow(負値,y)はできません",
                                                            "負の小数点値の累乗((負値)y)はできません"};
inline constexpr const char* const kPowTooLarge[] = {"累乗pow(x,y)は 2の64乗以上の結果値の計算はできません",
                                                    "2の64乗以上の結果値の累乗はできません"};
inline constexpr const char kPowExponentUnit[] = "累乗pow(x,y)のyに次元のある単位がついています";
inline constexpr const char* const kPowNoValue[] = {"累乗pow(x,y)に必要な数値がありません",
                                                   "累乗(x)yに必要な数値がありません"};
inline constexpr const char* const kPowFractionalDimension[] = {"累乗pow(x,y)で単位の次元に端数が出ます",
                                                               "累乗(x)yで単位の次元に端数が出ます"};
inline constexpr const char kRgbArguments[] = "色設定RGB(r,g,b)の引数は３つにしてください";
inline constexpr const char kRgbNegativeComponent[] = "負値の色成分 は避けてください";
inline constexpr const char kRgbComponentOver[] = "色成分値の上限は 255 です";

// Assignments and blocks.
inline constexpr const char kNumberToNumber[] = "数値に数値を代入することはできません";
inline constexpr const char kRemainderAssignDimension[] = "単位の次元の異なる値の剰余代入(%=)はできません";
inline constexpr const char kAddAssignDimension[] = "単位の次元の異なる値の加算代入(+=)はできません";
inline constexpr const char kSubtractAssignDimension[] = "単位の次元の異なる値の減算代入(-=)はできません";
inline constexpr const char kIfUnassigned[] = "値の代入されていない変数の条件判定 if() はできません";
inline constexpr const char kElseIfUnassigned[] = "値の代入されていない変数の条件判定 else if( ) はできません";
inline constexpr const char kElseIfWithoutIf[] = "else if 文が if 文と対応していません";
inline constexpr const char kElseWithoutIf[] = "else 文が if 文と対応していません";
inline constexpr const char kWhileUnassigned[] = "値の代入されていない変数の条件判定 while() はできません";
inline constexpr const char kForCondition[] = "第２項に値のない条件判定 for(a;;c) はできません";
inline constexpr const char kWhileReturnUnknown[] = "条件判定 while() の戻り位置が特定できません";
inline constexpr const char kWhileLimitHead[] = "while() ループが ";
inline constexpr const char kForLimitHead[] = "for() ループが ";
inline constexpr const char kLoopLimitTail[] = "回 を越えたので抜け出します";

// The run.
inline constexpr const char kHeaderNotFirst[] = "ZelkMacro001 が第一行になっていません。";
inline constexpr const char kNoDrawing[] = "Zelk入力画面が開いていないので、マクロは実行できません。";
inline constexpr const char kInterpreted[] = "解釈実行しました。";
inline constexpr const char kRecordingIncomplete[] = "マクロの記録は未完です。";

} // namespace macro_exec

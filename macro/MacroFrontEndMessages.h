// The messages of the macro front end: line checks, braces, output units and the parser.
#pragma once

namespace macro_text {

inline constexpr const char kNotUsable[] = " は使用できません";
inline constexpr const char kElseIfSpacing[] = " は else と if の間は半角スペースを一つだけ入れてください";
inline constexpr const char kParenthesisCount[] = "括弧()の数が合いません";
inline constexpr const char kTooManyClosingBraces[] = "閉じ括弧 }の数が多すぎます";
inline constexpr const char kTooFewClosingBraces[] = "閉じ括弧 }の数が不足です";
inline constexpr const char kSyntaxProblemLine[] = "行に構文の問題があります。";
inline constexpr const char kScopeProblemLine[] = "行にスコープの問題があります。";
inline constexpr const char kOutputUnitForm[] =
    "後尾の記述が出力単位指定の unit(登録単位名) のフォームに該当しません";
inline constexpr const char kUnitNotRegistered[] = "登録された単位ではありません";
inline constexpr const char kPositionLine[] = "行の";
inline constexpr const char kPositionColumn[] = "文字目に問題があります";
inline constexpr const char kSameHeight[] = "行目に位置の同じ式があり処理順序が判別できません";

inline constexpr const char kBraceInParentheses[] = "括弧( )の中に括弧{ }があります";
inline constexpr const char kTooFewOpening[] = "左括弧 ( の数が不足です";
inline constexpr const char kParenthesesWrong[] = "括弧 ( ) の数が正しくありません";
inline constexpr const char kLeadingAssignment[] = "先頭に代入記号(= += ･･･)があります";
inline constexpr const char kConditionalTooFew[] = "条件演算子(?:)の演算子の数が不足です";
inline constexpr const char kConditionalTooMany[] = "条件演算子(?:)の演算子の数が多すぎます";
inline constexpr const char kConditionalOrder[] = "条件演算子(?:)の演算子の順序が誤っています";
inline constexpr const char kLeadingConditional[] = "先頭に条件演算子(?:)があります";
inline constexpr const char kLeadingLogical[] = "先頭に論理演算子(&& ||)があります";
inline constexpr const char kLeadingBitwise[] = "先頭にビット演算子(& |)があります";
inline constexpr const char kLeadingRelational[] = "先頭に関係演算子(< > ･･･)があります";
inline constexpr const char kLeadingMultiplicative[] = "先頭に乗除記号(* / %)があります";

} // namespace macro_text

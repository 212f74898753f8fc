// What box selection and group processing tell the user at each step: the prompt and hint
// chosen from the token string, the mode pattern and the move, preset, symbol-copy and deform
// states, and the per-step prompts a recorded or played macro shows instead.
#include "commands/annotate/GroupProcessor.h"

#include <cstring>

#include "app/ZelkApp.h"
#include "commands/annotate/GroupGuidanceTexts.h"
#include "document/ZelkDoc.h"

namespace GroupTexts {

const char* const kInitialPrompt =
    "[箱選択] 【箱選択|要素選択】 選択終了【Enter|右ボタンクリック】で群処理へ 【DEL】 で消去";
const char* const kInitialHint = "[箱選択] 追加､除去要素を左ボタンで箱､クリック選択｡Enter|右ボタンで終了､DELで消去｡";
const char* const kBoxPrompt =
    "[箱選択] 【箱選択|要素選択】【(Ctrl+)点、点ドラッグ、Ctrl+Enter、X|Shift+T、(Shift+)G、色｜線種｜フォント、DEL】>"
    "(移動)コピー、ミラー(移動)、レイヤ移動、マルチ、グループ、属性、消去 ";
const char* const kBoxHint = "[箱選択] 追加､除去要素を左ボタンで箱､クリック選択｡右クリックでコピー、Ctrl+で移動、"
                             "Ctrl+Enterでレイヤ移動、マルチ、グループ、属性、消去。";
const char* const kDeformBoxPrompt = "[変形箱選択] 【箱選択|要素選択】【基準点】 方向変更 変形先位置点|長さ";
const char* const kDeformBoxHint = "[変形箱選択] 追加､除去要素を左ボタンで箱､クリック選択｡右クリックで変形の基準点";

} // namespace GroupTexts

namespace {

struct Pair {
    const char* prompt;
    const char* hint;
};

const char* const kBaseHint = "基準点を右クリックで入力します。";
const Pair kDeform = { "[変形] 【基準点】 方向変更 変形先位置点|長さ",
                       "変形の基準点を右クリックで入力します。デフォルトの方向がセットされますが変更できます。" };

// Start pairs.
const Pair kStartMove = { "[(回転)移動] 【基準点】 配置点", kBaseHint };
const Pair kStartSymbol = { "[シンボル] 【基準点】 配置点", kBaseHint };
const Pair kStartPreset = { "[(回転)コピー] 【基準点】 配置点", kBaseHint };
const Pair kStartPlain = { "[(回転)コピー|移動] 【基準点|Ctrl+基準点|Ctrl+Enter】 配置点|Ctrl+配置点",
                           "基準点を右クリックで入力します。Ctrl+点で移動、Ctrl+Enterでレイヤ移動" };
const char* const kMirrorStartHint = "軸の角度を、数値または右ドラッグで入力します。角度は次のステップで変更できます。";
const Pair kStartMirrorMove = { "[ミラー移動] 軸の【角度|点ドラッグ】 軸の通過点 実行Enter", kMirrorStartHint };
const Pair kStartMirrorPreset = { "[ミラーコピー] 軸の【角度|点ドラッグ】 軸の通過点 実行Enter", kMirrorStartHint };
const Pair kStartMirrorPlain = {
    "[ミラーコピー、ミラー移動] 軸の【角度|点ドラッグ】 軸の通過点|Ctrl+通過点　実行Enter",
    "軸の角度を、数値または右ドラッグで入力します。角度は次のステップでも変更できます。" };
const Pair kStartAttributes = { "[属性変更] 属性を変更して【Enter】",
                                "色や線種などの属性を変更してから、Enterで実行します。" };

// Placement pairs.
const char* const kPlaceTail = " 【配置点】 【角度|点ドラッグ|角度要素】 【数n】 【拡縮率r】 【ピッチ箱･サイズ箱はダブルクリック点】";
const char* const kPlaceMoveHint = "配置点を右クリックで入力すると移動。角度､数､拡縮率の更新可能。"
                                   "複数配置ピッチ箱始点･サイズ箱始点は右ダブルクリック。";
const char* const kPlaceCopyHint = "配置点を右クリックで入力するとコピー。角度､数､拡縮率の更新可能。"
                                   "複数配置ピッチ箱始点･サイズ箱始点は右ダブルクリック。";
const Pair kPlacePlain = {
    "[(回転)コピー|移動] 基準点 【配置点|Ctrl+配置点】 【角度|点ドラッグ|角度要素】 【数n】 【拡縮率r】 "
    "【ピッチ箱･サイズ箱はダブルクリック点】",
    "配置点を右クリックで入力するとコピー。Ctrl+配置点で移動。角度､数､拡縮率の更新可能。"
    "複数配置ピッチ箱始点･サイズ箱始点は右ダブルクリック。" };

// Later steps.
const Pair kPitchMove = { "[(回転)移動のピッチ設定、サイズ設定] ピッチ始点 【ピッチ点】 【サイズ箱終点ダブルクリック】",
                          "右クリックで複数配置のピッチを設定します。右ダブルクリックでサイズ箱終点となります。" };
const Pair kPitchCopy = { "[(回転)コピーのサイズ設定] ピッチ始点 【ピッチ点】 【サイズ箱終点ダブルクリック】",
                          "右クリックで複数配置のピッチを設定します。右ダブルクリックでサイズ箱が設定されます。" };
const Pair kDeformDirection = {
    "[変形] 基準点 【基準線分|角度|点ドラッグ】 【変形先位置点】",
    "変形方向は線分の左クリック､角度の入力で変更可能。変形位置点の右クリックで変形を実行します｡" };
const Pair kDeformLength = {
    "[変形] 基準点 【基準線分】 【長さ|変形先位置点】",
    "方向は線分の再入力で変更可能。長さの数値入力､変形位置点の右クリックで変形を実行。"
    "操作戻りは画面を空左クリックしてからスペースキー。" };
const char* const kAxisCopyHint = "[ミラーコピー] 軸の角度は再入力できます。通過点を右クリックすると軸の位置が決まります。";
const Pair kAxisMove = { "[ミラー移動] 【角度|角度要素|点ドラッグ】 【軸の通過点】 Enter",
                         "[ミラー移動] 軸の角度は再入力できます。通過点を右クリックすると軸の位置が決まります。" };
const Pair kAxisPreset = { "[ミラーコピー] 【角度|角度要素|点ドラッグ】 【軸の通過点】 Enter", kAxisCopyHint };
const Pair kAxisPlain = { "[ミラーコピー] 【角度|角度要素|点ドラッグ】 【(Ctrl+)軸の通過点】 Enter", kAxisCopyHint };
const char* const kPassCopyHint = "[ミラーコピー] 軸の角度は再入力､第２通過点の右クリックで変更可能｡Enterでミラーコピー実行｡";
const Pair kPassMove = { "[ミラー移動] 【角度|角度要素|点ドラッグ|第２通過点】【Enter】",
                         "[ミラー移動] 軸の角度は再入力､第２通過点の右クリックで変更可能。Enterでミラー移動を実行。" };
const Pair kPassPreset = { "[ミラーコピー] 軸の【角度|角度要素|点ドラッグ|第２通過点】【Enter】", kPassCopyHint };
const Pair kPassPlain = { "[ミラーコピー|移動] 軸の【角度|角度要素|点ドラッグ|第２通過点】【(Ctrl+)Enter】", kPassCopyHint };
const Pair kSecondPassMove = {
    "[ミラー移動] 軸の【角度|角度要素|点ドラッグ|第２通過点】【Enter】",
    "[ミラー移動] 軸の角度は再入力や第２通過点の右クリックで変更可能。Enterでミラー移動を実行。" };
const Pair kSecondPassCopy = { "[ミラーコピー] 軸の【角度|角度要素|点ドラッグ|第２通過点】【Enter】", kPassCopyHint };
const Pair kMultiText = { "[マルチテキスト] 【配置点】 【角度|点ドラッグ|角度要素】 【拡縮率r】 【ピッチ箱･サイズ箱はダブルクリック点】",
                          "配置点を右クリックで入力するとコピー。角度､拡縮率の更新可能。"
                          "複数配置ピッチ箱始点･サイズ箱始点は右ダブルクリック。" };
const Pair kMultiTextSize = { "[マルチテキストのサイズ設定] 【ピッチ点】 【箱終点ダブルクリック】",
                              "右クリックで文字列のピッチを設定します。右ダブルクリックでサイズ箱が設定されます。" };

const char* const kMacroPitch =
    "Macro[(回転)コピー|移動 のピッチ･サイズ設定] 基準点 設定始点 【ピッチ終点クリック】 【サイズ終点ダブルクリック】";
const char* const kMacroMultiPitch =
    "Macro[マルチテキストのピッチ･サイズ設定]  設定始点 【ピッチ終点クリック】 【サイズ終点ダブルクリック】";

// The macro prompts of a pattern's steps; step -1 stands for every step.
struct MacroPrompt {
    const char* pattern;
    int step;
    const char* prompt;
};

const MacroPrompt kMacroPrompts[] = {
    { "PP", 0, "Macro[(回転)コピー|移動] 【箱選択して(Ctrl+)基準点】角度|点ドラッグ|角度要素 数n 拡縮率r 設定点ダブルクリック 配置点" },
    { "PP", 1, "Macro[(回転)コピー|移動] 基準点  【角度|点ドラッグ|角度要素】【数n】【拡縮率r】【設定点ダブルクリック】【(Ctrl+)配置点】" },
    { "Y", -1, "Macro[レイヤ移動] 【箱選択して レイヤ条件を現／新に変更　Ctrl+Enter】" },
    { "ZLD", 0, "Macro[変形] 【変形の箱選択して基準点】 基準線分 変形位置点" },
    { "ZLD", 1, "Macro[変形] 基準点 【基準線分】 長さ|変形位置点" },
    { "ZLD", 2, "Macro[変形] 基準点 【基準線分】 【長さ|変形位置点】" },
    { "ZP", 0, "Macro[変形] 【変形の箱選択して基準点】 基準線分|角度|点ドラッグ 変形位置点" },
    { "ZP", 1, "Macro[変形] 基準点 【基準線分|角度|点ドラッグ】 【変形位置点】" },
    { "APQ", 0, "Macro[ミラーコピー|移動] 【箱選択して 軸の 角度|角度要素|点ドラッグ】 軸の通過点 実行Enter" },
    { "APQ", 1, "Macro[ミラーコピー|移動] 【軸の 角度|角度要素|点ドラッグ】 【軸の第１通過(Ctrl+)点】 実行Enter" },
    { "APQ", 2, "Macro[ミラーコピー|移動] 【軸の 角度|角度要素|点ドラッグ|第２通過点】 軸の通過点 【実行Enter】" },
    { "MP", 0, "Macro[マルチテキスト] 【Shift+T で文字列設定して 右上 X 印 でテキスト画面終了】 配置点　角度|点ドラッグ|角度要素　拡縮率r　ピッチ･サイズ始点" },
    { "MP", 1, "Macro[マルチテキスト]  文字列設定 【配置点】 【角度|点ドラッグ|角度要素】 【拡縮率r】 【ピッチ･サイズ始点ダブルクリック】" },
    { "G", 0, "Macro[グループ化] 【箱選択して G キー】" },
    { "g", 0, "Macro[グループ解除] 【箱選択して Shift+G キー】" },
    { "Q", 0, "Macro[属性変更] 【箱選択して 属性変更して Enter キー】" },
};

bool OneOf(const CString& s, std::initializer_list<const char*> list)
{
    for (const char* item : list)
        if (s == item)
            return true;
    return false;
}

} // namespace

void CGroupProcessor::ShowGuidance()
{
    if (!m_document)
        return;
    const CString& t = m_tokenString;
    const CString& m = modePattern;
    const bool symbol = IsSymbolCopy();
    const bool deform = IsDeform();
    auto set = [this](const Pair& p) {
        m_prompt = p.prompt;
        m_hint = p.hint;
    };
    if (m_macroPlay && !m.IsEmpty()) {
        m_prompt.Empty();
        const int n = t.GetLength();
        const int size = m_stepNotes.GetSize();
        if (t == "PB")
            m_prompt = kMacroPitch;
        else if (t == "MB")
            m_prompt = kMacroMultiPitch;
        else if (n == size && size > 0)
            m_prompt = m_stepNotes[0];
        else if (n < size)
            m_prompt = m_stepNotes[n];
        else if (OneOf(t, { "PBP", "PBB", "MBP", "MBB" }) && size > 1)
            m_prompt = m_stepNotes[1];
    } else {
        Pair start = { "", "" };
        if (m == "PP")
            start = m_moveFlag ? kStartMove : symbol ? kStartSymbol : m_preset ? kStartPreset : deform ? kDeform
                                                                                                     : kStartPlain;
        else if (m == "APQ")
            start = m_moveFlag ? kStartMirrorMove : m_preset ? kStartMirrorPreset : kStartMirrorPlain;
        else if (m == "ZP")
            start = kDeform;
        else if (m == "Q")
            start = kStartAttributes;
        if (t.IsEmpty() || OneOf(t, { "ZLD", "ZP", "APQ", "Q" })) {
            set(start);
        } else if (OneOf(t, { "P", "PP", "PBP", "PBB" })) {
            if (m == "PP") {
                const char* head = m_moveFlag ? (m_preset ? "[(回転)移動] 基準点" : "[(回転)移動] Ctrl+基準点")
                                   : symbol   ? "[シンボル] 基準点"
                                   : m_preset ? "[(回転)コピー] 基準点"
                                              : nullptr;
                if (head) {
                    m_prompt = CString(head) + kPlaceTail;
                    m_hint = m_moveFlag ? kPlaceMoveHint : kPlaceCopyHint;
                } else {
                    set(deform ? kDeform : kPlacePlain);
                }
            }
        } else if (t == "PB" && m == "PP") {
            set(m_moveFlag ? kPitchMove : kPitchCopy);
        } else if (t == "Z" && m == "ZP") {
            set(kDeformDirection);
        } else if (t == "ZL" && m == "ZP") {
            set(kDeformLength);
        } else if (m == "APQ" && t == "A") {
            set(m_moveFlag ? kAxisMove : m_preset ? kAxisPreset : kAxisPlain);
        } else if (m == "APQ" && t == "AP") {
            set(m_moveFlag ? kPassMove : m_preset ? kPassPreset : kPassPlain);
        } else if (m == "APQ" && t == "APP") {
            set(m_moveFlag ? kSecondPassMove : kSecondPassCopy);
        } else if (m == "MP" && OneOf(t, { "M", "MBP", "MBB" })) {
            set(kMultiText);
        } else if (m == "MP" && t == "MB") {
            set(kMultiTextSize);
        }
    }
    if (g_pApp)
        g_pApp->SetGuidance(m_document);
}

void CGroupProcessor::GetMacroPrompts(const CString& pattern, CStringArray& prompts) const
{
    const int n = pattern.GetLength();
    prompts.SetSize(n);
    for (int i = 0; i < n; ++i) {
        if (!prompts[i].IsEmpty())
            continue;
        for (const MacroPrompt& row : kMacroPrompts)
            if (pattern == row.pattern && (row.step == i || row.step == -1))
                prompts[i] = row.prompt;
    }
}

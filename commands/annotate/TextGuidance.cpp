// What the text command shows: the prompt and hint of every step, and the step prompts it
// offers the macro recorder.
#include "commands/annotate/TextCommand.h"

#include <initializer_list>

#include "app/ZelkApp.h"
#include "commands/circle/PatternTable.h"

namespace {

const char* const kEditPrompt = "[文字列編集]  【移動先の点】変更の【文字入力|文字列選択]  【数値ボタン：角度|角度要素】属性を変更して【Enter]  【移動する端点】　>>  移動, 文字･角度･属性･サイズの変更";
const char* const kEditHint = "[文字列編集] 点を右クリックで、文字は入力ボックスまたは文字列を左ボタンで選択し、角度は数値または要素の左ピックで、属性はフォントや色を選択してEnterします。";
const char* const kSizeStepPrompt = "[文字列サイズ変更] 移動する端点 【移動先点】";
const char* const kSizeAllHint = "[文字列サイズ変更] 移動先の点を右クリックで入力します。";
const char* const kSizeStepHint = "[文字列サイズ変更] 移動先の点を右クリックで入力。";
const char* const kAllPrompt = "[全文字列]  【文字入力|文字列選択]  【角度|角度要素|点ドラッグ]  【配置点]  【ダブル点】Enterキー 第２点 第２ダブル点　>>　文字列配置 連続文字列 箱配置文字列";
const char* const kAllHint = "[全文字列] 点なら右ボタン、ダブル点なら右ボタンダブルクリック、角度なら数値入力、角度要素なら左クリック。";
const char* const kBoxStartPrompt = "[連続文字列 / 箱配置文字列]  第１ダブル点 【ピッチ第２点|下方配置Enterキー]  【箱第２ダブル点】";
const char* const kBoxStartHint = "ピッチを右クリック点 または 均等下方配置にはEnterキー または 箱配置の対角点を右ダブルクリックで入力。";
const char* const kRunPrompt = "[連続文字列]  【第２以降の文字列]  【終了：Esc】";
const char* const kRunHint = "[連続文字列] 文字列を入力すると次々と均等に配置できます。Escで終了。";
const char* const kSinglePrompt = "[文字列配置] 【文字入力|文字列選択】 【角度|点ドラッグ|角度要素】 【配置点】";
const char* const kSingleHint = "[文字列配置] 配置点を右クリックで入力。文字列の左クリック選択と、角度入力ができます。";
const char* const kContinuousPrompt = "[連続文字列] 【文字入力|文字列選択】 【角度|角度要素】 【配置点】 ピッチ点|Enterキー 第２以降の文字列";
const char* const kContinuousHint = "[連続文字列] 第１の配置点を右クリックで入力。文字列の左クリック選択と、角度入力ができます。";
const char* const kBoxPrompt = "[箱配置文字列] 【文字入力|文字列選択】 【角度|角度要素】 箱の【第１点】 第２点";
const char* const kBoxHint = "[箱配置文字列] 箱の２つの対角点を右クリックで入力。文字列の左クリック選択と、角度入力ができます。";
const char* const kPitchPrompt = "[連続文字列] 【ピッチ点|下方配置Enterキー】第２以降の文字列";
const char* const kPitchHint = "[連続文字列] ピッチ点を右クリックで入力 または 均等下方配置にはEnterキーを入力します。";
const char* const kBoxSecondPrompt = "[箱配置文字列] 第１点 箱の【第２点】";
const char* const kBoxSecondHint = "[箱配置文字列] 対角点を右クリックで入力します。";
const char* const kNextTextPrompt = "[連続文字列] ピッチ第１配置点 ピッチ第２点|Enterキー【文字入力】";
const char* const kNextTextHint = "[連続文字列] 文字列を入力すると次々と均等に配置できます。";
const char* const kMovePrompt = "[文字列移動] 【移動先の点】";
const char* const kMoveHint = "[文字列移動] 移動先の点を右クリック。";
const char* const kChangePrompt = "[文字変更] 変更の【文字入力|文字列選択】";
const char* const kChangeHint = "[文字変更] 変更文字を入力するか、文字列を選択取得して、Enter。";
const char* const kAnglePrompt = "[角度変更] 【角度|角度要素|点ドラッグ】";
const char* const kAngleHint = "[角度変更] 変更角度を数値入力するか、線分か円(弧)か文字列を左クリックで選択するか、点ドラッグ。";
const char* const kAttributesPrompt = "[属性変更] 属性を変更して【Enter】";
const char* const kAttributesHint = "[属性変更] フォントや色を変更してから、Enter。";
const char* const kSizePrompt = "[文字列サイズ変更] 【移動する端点】 移動先点";
const char* const kSizeHint = "[文字列サイズ変更] 移動する端点を右クリックで入力。";

// The step prompts of a macro recording, by pattern; rows for edit patterns apply in edit mode.
struct MacroRow {
    std::initializer_list<const char*> patterns;
    int editFlag;
    std::initializer_list<const char*> texts;
};

const MacroRow kMacroRows[] = {
    { { "P" }, 0, { "Macro[文字列配置] 【文字入力|文字列選択]  【角度|角度要素|点ドラッグ]  【配置点】" } },
    { { "BPK" }, 0, { "Macro[連続文字列] 【文字入力|文字列選択】 【角度|角度要素】 【配置点】ピッチ点 文字列", "Macro[連続文字列] 【ピッチ点|Enterキー】 第２以降の文字列", "Macro[連続文字列] ピッチ点|Enterキー 【第２以降の文字列】" } },
    { { "BB" }, 0, { "Macro[箱配置文字列] 【文字入力|文字列選択]  【角度|角度要素】 【箱の第１点】 箱の第２点", "Macro[箱配置文字列] 箱の第１点 【箱の第２点】" } },
    { { "A" }, 0, { "Macro[文字列配置] 【角度|点ドラッグ|角度線分|角度円(弧)|角度文字列】" } },
    { { "#P" }, 1, { "Macro[文字列移動] 【移動する文字列】 移動先の点", "Macro[文字列移動]  移動する文字列 【移動先の点】" } },
    { { "#K", "#T" }, 1, { "Macro[文字変更] 【変更する文字列】 変更文字列入力|選択", "Macro[文字変更]  変更する文字列 【変更文字列入力|選択】" } },
    { { "#A", "#L", "#C" }, 1, { "Macro[角度変更] 【変更する文字列】 角度|角度線分|円(弧)", "Macro[角度変更]  変更する文字列 【角度|角度線分|円(弧)】" } },
    { { "#O", "#Q" }, 1, { "Macro[属性変更] 【変更する文字列】 属性を変更 Enter", "Macro[属性変更]  変更する文字列  【属性を変更]  【Enter】" } },
    { { "#SP", "#EP" }, 1, { "Macro[文字列サイズ変更] 【変更する文字列】 移動する端点 移動先点", "Macro[文字列サイズ変更] 変更する文字列 【移動する端点】 移動先点", "Macro[文字列サイズ変更] 変更する文字列 移動する端点 【移動先点】" } },
};

} // namespace

void CTextCommand::ShowGuidance()
{
    const CString& t = m_tokenString;
    const CString& m = m_modePattern;
    auto set = [&](const char* prompt, const char* hint) {
        m_prompt = prompt;
        m_hint = hint;
    };
    if (m_macroFlag) {
        m_prompt.Empty();
        int n = t.GetLength();
        if (n == m_stepTexts.GetSize())
            n = 0;
        if (n < m_stepTexts.GetSize())
            m_prompt = m_stepTexts[n];
    } else if (AllPatternsState()) {
        if (m_editFlag) {
            if (t == "#")
                set(kEditPrompt, kEditHint);
            else if (t == "#S" || t == "#E")
                set(kSizeStepPrompt, kSizeAllHint);
        } else if (t.IsEmpty() || IsOneOf(t, { "K", "A", "T", "L", "C", "P", "BB" })) {
            set(kAllPrompt, kAllHint);
        } else if (t == "B") {
            set(kBoxStartPrompt, kBoxStartHint);
        } else if (t == "BP" || t == "BPK") {
            set(kRunPrompt, kRunHint);
        }
    } else if (g_pApp && g_pApp->m_appCommand.m_textFlag) {
        const char* modePrompt = "";
        const char* modeHint = "";
        if (m == "P") {
            modePrompt = kSinglePrompt;
            modeHint = kSingleHint;
        } else if (m == "BPK") {
            modePrompt = kContinuousPrompt;
            modeHint = kContinuousHint;
        } else if (m == "BB") {
            modePrompt = kBoxPrompt;
            modeHint = kBoxHint;
        }
        if (!m_editFlag) {
            if (t.IsEmpty() || IsOneOf(t, { "K", "A", "T", "L", "C", "P" }))
                set(modePrompt, modeHint);
            else if (t == "B" && m == "BPK")
                set(kPitchPrompt, kPitchHint);
            else if (t == "B" && m == "BB")
                set(kBoxSecondPrompt, kBoxSecondHint);
            else if ((t == "BP" || t == "BPK") && m == "BPK")
                set(kNextTextPrompt, kNextTextHint);
            else if (t == "BB")
                m_prompt = modePrompt;
        } else if (t == "#") {
            if (m == "#P")
                set(kMovePrompt, kMoveHint);
            else if (m == "#T")
                set(kChangePrompt, kChangeHint);
            else if (m == "#A")
                set(kAnglePrompt, kAngleHint);
            else if (m == "#Q")
                set(kAttributesPrompt, kAttributesHint);
            else if (m == "#SP")
                set(kSizePrompt, kSizeHint);
        } else if (IsOneOf(t, { "#P", "#K", "#T", "#A", "#L", "#C", "#O", "#Q", "#SP", "#EP" })) {
            set("", "");
        } else if ((t == "#S" || t == "#E") && m == "#SP") {
            set(kSizeStepPrompt, kSizeStepHint);
        }
    }
    if (g_pApp)
        g_pApp->SetGuidance(m_doc);
}

void CTextCommand::GetMacroPrompts(const CString& pattern, CStringArray* prompts) const
{
    const MacroRow* row = nullptr;
    for (const MacroRow& r : kMacroRows) {
        for (const char* p : r.patterns)
            if (pattern == p && m_editFlag == r.editFlag)
                row = &r;
    }
    prompts->SetSize(pattern.GetLength());
    for (int i = 0; i < prompts->GetSize(); ++i) {
        if ((*prompts)[i].IsEmpty() && row && i < static_cast<int>(row->texts.size()))
            (*prompts)[i] = row->texts.begin()[i];
    }
}

// The typed input line and the typed line of text attributes (height, width, font). The
// numeric-input interpreter does the arithmetic and the units; this turns its list of terms into
// inputs.
#include "input/InputLineParser.h"

#include <vector>

#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "macro/MacroInterpreter.h"
#include "macro/Quantity.h"
#include "platform/core/Services.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

const char* const kFaultMiddle = " の ";
const char* const kFaultTail = " 文字目に問題があります。";
const char* const kMsgBadPointForm = "点入力のフォームが不適当です";
const char* const kMsgBadFontSpec = "フォント指定の文字列がフォーマット違反です";
const char* const kEchoTextHead = "文字の ";
const char* const kEchoAllSizes = "文字の 高さ 幅 フォント名 ";
const char* const kEchoChanged = "を変更しました";

// Value classes of the interpreter's terms.
enum : int {
    kOther = 0, kEmpty = 1, kPlain = 2, kPlainRel = 3, kCount = 4, kCountRel = 5, kLength = 6, kLengthRel = 7,
    kMoveX = 8, kMoveY = 9, kOffset = 10, kAngle = 11, kAngleRel = 12, kRatioRel = 13, kRatio = 14,
};

// A relative term's mark, as the interpreter leaves it in the quantity's kind.
enum : int { kMarkAdd = 4, kMarkSubtract = 5 };

// The two-byte units the normaliser folds, with their single-byte forms.
const struct {
    const char* wide;
    char narrow;
} kWideForms[] = {
    { "０", '0' }, { "１", '1' }, { "２", '2' }, { "３", '3' }, { "４", '4' }, { "５", '5' }, { "６", '6' },
    { "７", '7' }, { "８", '8' }, { "９", '9' }, { "．", '.' }, { "＋", '+' }, { "－", '-' }, { "＊", '*' },
    { "／", '/' }, { "（", '(' }, { "）", ')' },
};

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The full-width Latin letters follow one another in the code table.
bool FoldLetter(unsigned char lead, unsigned char trail, char& out)
{
    static const struct {
        const char* first;
        char narrow;
    } kAlphabets[] = { { "Ａ", 'A' }, { "ａ", 'a' } };
    for (const auto& alphabet : kAlphabets) {
        const auto l = static_cast<unsigned char>(alphabet.first[0]);
        const auto t = static_cast<unsigned char>(alphabet.first[1]);
        if (lead == l && trail >= t && trail < t + 26) {
            out = static_cast<char>(alphabet.narrow + (trail - t));
            return true;
        }
    }
    return false;
}

struct Term {
    double value;
    int mark;       // 0, kMarkAdd or kMarkSubtract
    int kind;       // the value class
    const CUnit* unit;
};

double Converted(const Term& t, double v)
{
    if (t.unit)
        t.unit->ScaleLengthAndMass(v);
    return v;
}

bool IsCoordinateClass(int kind)
{
    return kind == kEmpty || kind == kPlain || kind == kPlainRel || kind == kLength || kind == kLengthRel;
}

// The echo labels of the posted classes; the relative ones by their mark.
CString LabelOf(const Term& t)
{
    auto relative = [&](const char* add, const char* subtract) -> CString {
        if (t.mark == kMarkAdd)
            return add;
        if (t.mark == kMarkSubtract)
            return subtract;
        return CString();
    };
    switch (t.kind) {
    case kPlain: return "値";
    case kPlainRel: return relative("相対加算値", "相対減算値-");
    case kCount: return "数";
    case kCountRel: return relative("相対加算数", "相対減算数-");
    case kLength: return "長さ";
    case kLengthRel: return relative("相対加算長さ", "相対減算長さ-");
    case kAngle: return "角度";
    case kAngleRel: return relative("相対加算角度", "相対減算角度-");
    case kRatioRel: return relative("相対加算比率", "相対減算比率-");
    case kRatio: return "比率";
    default: return CString();
    }
}

void FocusBoxAt(int column)
{
    if (!g_pApp || !g_pApp->m_pMainFrame)
        return;
    CInputComboBox& box = g_pApp->m_pMainFrame->m_wndInputBar.m_inputBox;
    if (!box.GetSafeHwnd())
        return;
    box.SetFocus();
    box.SetEditSel(column, column);
}

// A coordinate of a typed point in the relative system.
double Coordinate(const Term& t, double base)
{
    const double v = Converted(t, t.value);
    if (t.kind == kEmpty)
        return base;
    if (t.mark == kMarkAdd)
        return base + v;
    if (t.mark == kMarkSubtract)
        return base - v;
    return v;
}

void MoveByArrow(CZelkView* view, const std::vector<Term>& terms, const std::vector<int>& pairs, int arrow,
                 double scale)
{
    bool haveAngle = false;
    double angle = 0.0;
    for (size_t i = 0; i < terms.size(); ++i) {
        const Term& t = terms[i];
        if (pairs[i] == 1) {
            const Term& u = terms[i + 1];
            auto part = [](const Term& c, bool& usable) {
                if (c.kind == kLength || c.kind == kPlain)
                    return Converted(c, c.value);
                if (c.kind != kEmpty)
                    usable = false;
                return 0.0;
            };
            bool usable = true;
            const double x = part(t, usable);
            const double y = part(u, usable);
            if (usable)
                view->MoveBasePointByVector(arrow, x, y);
            else
                g_pApp->ShowMessage(kMsgBadPointForm, 1);
            g_pApp->m_lastStatus = 1;
            ++i;
            continue;
        }
        if (t.kind == kAngle) {
            angle = Converted(t, t.value);
            haveAngle = true;
        } else if (t.kind == kLength || t.kind == kPlain) {
            const double length = Converted(t, t.value);
            if (haveAngle) {
                view->MoveBasePointPolar(arrow, angle, length);
                haveAngle = false;
            } else {
                view->MoveBasePointAlongAxis(arrow, length * scale);
            }
            g_pApp->m_lastStatus = 1;
        }
    }
}

} // namespace

CString NormaliseTypedLine(const CString& text)
{
    CString out;
    const int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(c) || i + 1 >= n) {
            out += static_cast<char>(c);
            continue;
        }
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        char narrow = 0;
        for (const auto& w : kWideForms) {
            if (static_cast<unsigned char>(w.wide[0]) == c && static_cast<unsigned char>(w.wide[1]) == trail)
                narrow = w.narrow;
        }
        if (narrow || FoldLetter(c, trail, narrow)) {
            out += narrow;
        } else {
            out += static_cast<char>(c);
            out += static_cast<char>(trail);
        }
        ++i;
    }
    out.Trim();
    return out;
}

BOOL ParseInputLine(CZelkDoc* doc, int arrow)
{
    CZelkApp* app = g_pApp;
    CZelkView* view = app ? app->m_activeView : nullptr;
    CInputBar* bar = app ? app->m_inputBar : nullptr;
    CMacroInterpreter* interpreter = app ? app->m_numericInterpreter : nullptr;
    if (!doc || !view || !bar || !interpreter)
        return FALSE;
    bar->m_enteredText = NormaliseTypedLine(bar->m_enteredText);
    CWordArray kinds;
    const int evaluated = interpreter->EvaluateExpression(bar->m_enteredText, kinds);
    if (evaluated != -1) {
        if (evaluated > 0) {
            AfxMessageBox(bar->m_enteredText + kFaultMiddle + IntToString(evaluated) + kFaultTail);
            FocusBoxAt(evaluated);
        }
        return FALSE;
    }
    std::vector<Term> terms;
    for (int i = 0; i < interpreter->m_results.GetSize() && i < kinds.GetSize(); ++i) {
        const auto* q = static_cast<const CQuantity*>(interpreter->m_results[i]);
        const int mark = q->kind == kMarkAdd || q->kind == kMarkSubtract ? q->kind : 0;
        terms.push_back({ q->value, mark, kinds[i], &q->unit });
    }
    if (terms.empty())
        return FALSE;

    // 1 marks the first term of a point, 2 its second.
    std::vector<int> pairs(terms.size(), 0);
    for (size_t i = 0; i + 1 < terms.size(); ++i) {
        if (IsCoordinateClass(terms[i].kind) && IsCoordinateClass(terms[i + 1].kind)) {
            pairs[i] = 1;
            pairs[i + 1] = 2;
            ++i;
        }
    }
    const double scale = doc->m_ratio;
    const bool scaled = scale != 1.0;
    if (arrow != 0) {
        MoveByArrow(view, terms, pairs, arrow, scale);
        return TRUE;
    }

    struct Posted {
        double value;
        int kind;
    };
    std::vector<Posted> posted;
    CString echo;
    const bool lengthExpected = app->m_interruptKind == 0 ? app->m_lengthInputMain != 0
                                                          : app->m_lengthInputInterrupt != 0;
    for (size_t i = 0; i < terms.size(); ++i) {
        const Term& t = terms[i];
        if (pairs[i] == 1) {
            CPointD relative;
            relative.Init(Coordinate(t, doc->m_refPoint.m_x), Coordinate(terms[i + 1], doc->m_refPoint.m_y));
            CPointD world = doc->RelativeToWorld(relative);
            const CString xy = DoubleToString(relative.m_x) + "," + DoubleToString(relative.m_y);
            if (scaled) {
                world.Init(world.m_x * scale, world.m_y * scale);
                echo = "点(" + xy + ")" + " 実点(" + DoubleToString(relative.m_x * scale) + "," +
                       DoubleToString(relative.m_y * scale) + ")";
            } else {
                echo = "点(" + xy + ") ";
            }
            doc->m_inputEvent->PostPointPair(world, relative, 17);
            const CLineCommand* line = doc->m_lineCmd;
            if (app->m_commandKind == 2 && line && line->m_modePattern == "PAPP" && line->m_tokenString.GetLength() == 1)
                doc->m_inputEvent->PostValue(doc->m_curAngle, 15);
            ++i;
            continue;
        }
        if (t.kind == kMoveX || t.kind == kMoveY || t.kind == kOffset) {
            double v = Converted(t, t.value);
            if (scaled)
                v *= scale;
            if (t.kind == kOffset)
                view->OffsetBasePoint(v);
            else
                view->MoveBasePointAlongAxis(t.kind == kMoveX ? 1 : 3, v);
            continue;
        }
        if (t.kind == kOther)
            continue;
        double v = t.value;
        const bool byScale = scaled && (t.kind == kLength || t.kind == kLengthRel ||
                                        (lengthExpected && (t.kind == kEmpty || t.kind == kPlain || t.kind == kPlainRel)));
        if (byScale)
            v *= scale;
        v = Converted(t, v);
        if (t.mark == kMarkSubtract &&
            (t.kind == kPlainRel || t.kind == kCountRel || t.kind == kLengthRel || t.kind == kAngleRel || t.kind == kRatioRel))
            v = -v;
        if (t.kind != kEmpty) {
            // The echo shows what was typed: a length at full size, a subtraction without its sign.
            double shown = byScale ? v / scale : v;
            if (t.mark == kMarkSubtract && shown < 0)
                shown = -shown;
            echo += LabelOf(t) + DoubleToString(shown);
        }
        posted.push_back({ v, t.kind });
    }
    if (!echo.IsEmpty())
        app->ShowMessage(echo, 0);
    for (const Posted& p : posted)
        doc->m_inputEvent->PostValue(p.value, p.kind);
    return TRUE;
}

BOOL ParseTextAttributes(CZelkDoc* doc)
{
    CZelkApp* app = g_pApp;
    CMacroInterpreter* interpreter = app ? app->m_numericInterpreter : nullptr;
    if (!doc || !interpreter || !app->m_inputBar)
        return FALSE;
    double height = 0.0;
    double width = 0.0;
    int anchor = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int mask = 0;
    CString face;
    if (interpreter->ParseTextAttributeSpec(app->m_inputBar->m_enteredText, height, width, anchor, italic, underline,
                                            strikeOut, face, mask) != -1) {
        app->ShowMessage(kMsgBadFontSpec, 1);
        return FALSE;
    }
    CInputEvent& event = *doc->m_inputEvent;
    CAppText& text = app->m_appText;
    CString echo = kEchoTextHead;
    if (mask & 1) {
        event.PostValue(height, 22);
        event.PostValue(height * 0.5, 24);
        echo += "高さ ";
        text.SetHeight(height);
        text.SetWidth(height * 0.5);
        text.StoreHeightInCurrent();
        text.StoreWidthInCurrent();
    }
    if (mask & 2) {
        event.PostValue(width, 24);
        echo += "幅 ";
        text.SetWidth(width);
        text.StoreWidthInCurrent();
    }
    if (mask & 4) {
        event.PostPointer(anchor, 26);
        echo += "配置基準 ";
        text.SetAnchor(anchor);
        text.StoreAnchorInCurrent();
    }
    struct Switch {
        int onBit;
        int offBit;
        int subCode;
        const char* on;
        const char* off;
        void (CAppText::*store)();
    };
    static const Switch kSwitches[] = {
        { 8, 16, 27, "傾斜 ", "非傾斜 ", &CAppText::StoreItalicInCurrent },
        { 32, 64, 28, "下線 ", "非下線 ", &CAppText::StoreUnderlineInCurrent },
        { 128, 256, 29, "取消線 ", "非取消線 ", &CAppText::StoreStrikeOutInCurrent },
    };
    for (const Switch& s : kSwitches) {
        if (!(mask & (s.onBit | s.offBit)))
            continue;
        const bool on = (mask & s.onBit) != 0;
        event.PostInt(on ? 1 : 0, s.subCode);
        echo += on ? s.on : s.off;
        (text.*s.store)();
    }
    if (mask & 512) {
        face.Trim();
        event.PostText(face, 30);
        echo += "フォント名 ";
        text.StoreFaceNameInCurrent();
    }
    if (echo != kEchoTextHead && echo != kEchoAllSizes)
        app->ShowMessage(echo + kEchoChanged, 0);
    app->UpdatePlacingTextBox(doc);
    return TRUE;
}

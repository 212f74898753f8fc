// The circle command's guidance pair: which row of the text tables the state selects. The pair
// is left as it was when no row matches, so that the texts of the previous step stay on screen.
#include "commands/circle/CircleCommand.h"

#include <cstring>

#include "app/ZelkApp.h"
#include "commands/circle/CircleGuidanceTexts.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"

namespace {

// A prompt with the radius text put where the table marks it.
CString WithRadius(const char* text, const CString& radius)
{
    CString out;
    for (const char* p = text; *p; ++p) {
        if (*p == kRadiusMark)
            out += radius;
        else
            out += *p;
    }
    return out;
}

bool Fits(signed char want, signed char have, signed char any)
{
    return want == any || want == have;
}

bool BeginsWith(const CString& s, char c)
{
    return !s.IsEmpty() && s.GetAt(0) == c;
}

} // namespace

struct CCircleTextPair {
    CString prompt;
    CString hint;
};

// The pairs a mode pattern gives as a whole, for one call.
struct CCircleWorkPairs {
    CCircleTextPair mode;
    CCircleTextPair radius;
    CCircleTextPair edit;
    CCircleTextPair outer;
    CCircleTextPair inner;
};

// The state the rows are chosen by, read once per call.
struct CCircleGuidanceState {
    signed char object;        // kCircleObject or kArcObject
    signed char guidance;      // kMenuGuidance or kAllPatternsGuidance
    signed char sign;          // of the count of the first position
    signed char signSecond;    // of the count of the second position
    signed char concentric;
    bool kindFlag;
    bool arcFlag;
    CString radius;
};

namespace {

void FillWorkPairs(const CString& mode, const CCircleGuidanceState& s, CCircleWorkPairs& w)
{
    if (!s.kindFlag)
        return;
    using namespace CircleTexts;
    for (int i = 0; i < kModePairCount; ++i) {
        const CCircleModePairRow& r = kModePairs[i];
        if (r.pair == 'A' && s.object == kArcObject)
            w.edit = { r.prompt, r.hint };
    }
    for (int i = 0; i < kModePairCount; ++i) {
        const CCircleModePairRow& r = kModePairs[i];
        if (!Fits(r.object, s.object, kAnyObject) || !Fits(r.guidance, s.guidance, kAnyGuidance))
            continue;
        const bool wholeKind = std::strlen(r.mode) == 1;
        // An edit row of one letter stands for every pattern of its kind, under all-patterns
        // guidance; under menu guidance the named pattern's row applies.
        const bool matches = wholeKind ? BeginsWith(mode, r.mode[0]) : mode == r.mode;
        if (!matches)
            continue;
        const CCircleTextPair pair{ WithRadius(r.prompt, s.radius), r.hint };
        switch (r.pair) {
        case 'M': w.mode = pair; break;
        case 'R': w.radius = pair; break;
        case 'E': w.edit = pair; break;
        case 'O': w.outer = pair; break;
        case 'I': w.inner = pair; break;
        case 'G':
            if (Fits(r.sign, s.sign, kAnySign))
                w.mode = pair;
            break;
        default: break;
        }
    }
}

} // namespace

void CCircleCommand::ShowGuidance()
{
    using namespace CircleTexts;
    CZelkApp* app = g_pApp;
    CCircleGuidanceState s;
    s.object = m_circleFlag == 1 ? kCircleObject : kArcObject;
    s.guidance = PopupMenuOff() && !ModeChosen() ? kAllPatternsGuidance : kMenuGuidance;
    s.sign = m_values[0].value > 0 ? kPositiveCount : kNonPositiveCount;
    s.signSecond = m_values[1].value > 0 ? kPositiveCount : kNonPositiveCount;
    s.concentric = m_concentricFlag ? kConcentricOn : kConcentricOff;
    s.kindFlag = OptionApplies() != 0;
    s.arcFlag = app && app->m_appCommand.m_arcFlag;
    s.radius = DoubleRefToString(m_values[0].value);

    CCircleWorkPairs w;
    FillWorkPairs(m_modePattern, s, w);

    auto take = [this](const CCircleTextPair& pair) {
        m_prompt = pair.prompt;
        m_hint = pair.hint;
    };
    const CCircleTextPair cleared;
    const CString& t = m_tokenString;

    if (m_macroFlag) {
        m_prompt = MacroStepNote(t, m_stepTexts);
    } else if (t.Find('%') >= 0) {
        const CString tail = t.Mid(t.Find('%'));
        for (int i = 0; i < kTailRowCount; ++i) {
            const CCircleEditRow& r = kTailRows[i];
            if (tail != r.tokens)
                continue;
            if (r.kind == 'E') {
                take(w.edit);
            } else if (r.kind == 'C') {
                take(BeginsWith(t, 'D') ? w.radius : w.mode);
            } else if (r.kind == 'T') {
                const bool modeOpen = !m_modePattern.IsEmpty() && !BeginsWith(m_modePattern, '%');
                if (s.arcFlag && (modeOpen || m_modePattern == r.mode))
                    take({ r.prompt, r.hint });
            }
            break;
        }
    } else if (m_editFlag) {
        for (int i = 0; i < kArcEditRowCount; ++i) {
            const CCircleEditRow& r = kArcEditRows[i];
            if (t != r.tokens)
                continue;
            if (r.needsArcFlag && !s.arcFlag)
                continue;
            if (*r.mode && m_modePattern != r.mode)
                continue;
            if (r.kind == 'E')
                take(w.edit);
            else if (r.kind == 'X')
                take(cleared);
            else
                take({ r.prompt, r.hint });
            break;
        }
    } else if (!t.IsEmpty()) {
        ShowStepGuidance(s, w);
    } else {
        take(w.mode);
        if (s.kindFlag && m_modePattern == "NPP") {
            take(cleared);
            if (s.guidance == kMenuGuidance) {
                for (int i = 0; i < kModePairCount; ++i)
                    if (kModePairs[i].pair == 'N')
                        take({ kModePairs[i].prompt, kModePairs[i].hint });
            }
        }
    }
    if (m_doc && app)
        app->SetGuidance(m_doc);
}

void CCircleCommand::ShowStepGuidance(const CCircleGuidanceState& s, const CCircleWorkPairs& w)
{
    using namespace CircleTexts;
    const CString& t = m_tokenString;
    char kind = 0;
    for (int i = 0; i < kStepKindCount; ++i)
        if (t == kStepKinds[i].tokens)
            kind = kStepKinds[i].kind;
    auto take = [this](const CCircleTextPair& pair) {
        m_prompt = pair.prompt;
        m_hint = pair.hint;
    };
    switch (kind) {
    case 'M': take(w.mode); return;
    case 'm':
        if (s.object == kCircleObject)
            take(w.mode);
        return;
    case 'R':
        if (s.object == kCircleObject)
            take(w.radius);
        return;
    case 'r': take(w.radius); return;
    case 'P': take(s.signSecond == kPositiveCount ? w.outer : w.inner); return;
    case 'L':
        if (s.kindFlag)
            take(CCircleTextPair());
        return;
    case 'T': break;
    default: return;
    }
    // Two points at the same spot make no construction step: the texts before them stay.
    if (t == "BP" &&
        PointsNearlyEqual(m_inputPoints[0].GetEffective(m_doc, 1), m_inputPoints[1].GetEffective(m_doc, 1)))
        return;
    for (int i = 0; i < kStepRowCount; ++i) {
        const CCircleStepRow& r = kStepRows[i];
        if (t != r.tokens)
            continue;
        if (*r.mode && (!s.kindFlag || m_modePattern != r.mode))
            continue;
        if (!Fits(r.object, s.object, kAnyObject) || !Fits(r.guidance, s.guidance, kAnyGuidance) ||
            !Fits(r.concentric, s.concentric, kAnyConcentric) || !Fits(r.sign, s.sign, kAnySign))
            continue;
        take(r.cleared ? CCircleTextPair() : CCircleTextPair{ WithRadius(r.prompt, s.radius), r.hint });
        return;
    }
}

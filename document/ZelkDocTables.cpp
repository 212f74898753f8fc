// The document's attribute tables: find-or-create of pens, fonts, layers and attribute strings,
// the name lookups over layers and attribute strings, and the color table with its DXF numbers.
#include <cmath>
#include <cstring>
#include <ctime>

#include "app/AppText.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "elements/Color.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Layer.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/Numeric.h"
#include "input/LayerOps.h"
#include "platform/core/Services.h"
#include "userapp/UserAppRecords.h"
#include "view/ZelkView.h"

namespace {

// Pen and font indexes travel as signed 16-bit values; a table beyond this would hand out
// negative indexes.
constexpr int kMaxTableIndex = 32767;

int StartsWith(const CString& s, const char* prefix)
{
    return s.Left(static_cast<int>(std::strlen(prefix))) == prefix;
}

}  // namespace

// ---- pens ------------------------------------------------------------------------------

void CZelkDoc::EnterPenInMaps(int pen)
{
    for (int m = 0; m < MAP_COUNT; ++m) {
        if (m == MAP_TEXT)
            continue;
        m_blockMaps[m].SetAtGrow(pen, NO_BLOCK);
    }
}

namespace {

constexpr size_t kPenKeySize = 12;

void PenKeyBytes(char (&key)[kPenKeySize], std::int32_t lineType, std::int16_t width,
                 COLORREF color, std::uint8_t blurCount, std::uint8_t blurRate)
{
    static_assert(sizeof lineType + sizeof width + sizeof color + 2 == kPenKeySize);
    std::memcpy(key, &lineType, sizeof lineType);
    std::memcpy(key + 4, &width, sizeof width);
    std::memcpy(key + 6, &color, sizeof color);
    key[10] = static_cast<char>(blurCount);
    key[11] = static_cast<char>(blurRate);
}

std::string PenKey(std::int32_t lineType, std::int16_t width, COLORREF color,
                   std::uint8_t blurCount, std::uint8_t blurRate)
{
    char key[kPenKeySize];
    PenKeyBytes(key, lineType, width, color, blurCount, blurRate);
    return std::string(key, sizeof key);
}

bool PenIs(const CTypePen* p, std::int32_t lineType, std::int16_t width, COLORREF color,
           std::uint8_t blurCount, std::uint8_t blurRate)
{
    return p && p->m_lineType == lineType && p->m_width == width && p->m_color == color &&
           p->m_blurCount == blurCount && p->m_blurRate == blurRate;
}

std::string LayerKey(const CString& name)
{
    std::string key(name.View());
    MbsUpper(key.data(), static_cast<int>(key.size()));
    return key;
}

}  // namespace

void CZelkDoc::IndexPens()
{
    m_penIndex.clear();
    const int count = m_pens.GetSize();
    for (int i = 0; i < count; ++i) {
        const CTypePen* p = GetPen(i);
        m_penIndex.emplace(
            PenKey(p->m_lineType, p->m_width, p->m_color, p->m_blurCount, p->m_blurRate), i);
    }
    m_penIndexedCount = count;
}

// The first pen with the five values, or -1. Every current-pen add asks, so the answer comes
// from the side index alone.
int CZelkDoc::FindPenIndexed(std::int32_t lineType, std::int16_t width, COLORREF color,
                             std::uint8_t blurCount, std::uint8_t blurRate)
{
    if (m_penIndexedCount != m_pens.GetSize())
        IndexPens();
    const std::string key = PenKey(lineType, width, color, blurCount, blurRate);
    auto it = m_penIndex.find(key);
    if (it == m_penIndex.end())
        return -1;
    if (PenIs(GetPen(it->second), lineType, width, color, blurCount, blurRate))
        return it->second;
    // The pen was changed in place without a word: the table as it stands answers.
    IndexPens();
    it = m_penIndex.find(key);
    return it == m_penIndex.end() ? -1 : it->second;
}

std::int16_t CZelkDoc::FindOrAddPen(std::int32_t lineType, std::int16_t width, COLORREF color,
                                    std::uint8_t blurCount, std::uint8_t blurRate)
{
    const int found = FindPenIndexed(lineType, width, color, blurCount, blurRate);
    if (found >= 0)
        return static_cast<std::int16_t>(found);
    if (m_pens.GetSize() > kMaxTableIndex) {
        DocShowMessage("ペンの登録数が上限を超えるため追加できません", 1);
        return -1;
    }
    CTypePen* pen = new CTypePen;
    pen->m_lineType = lineType;
    pen->m_width = width;
    pen->m_color = color;
    pen->m_blurCount = blurCount;
    pen->m_blurRate = blurRate;
    int index = m_pens.Add(pen);
    if (m_penIndexedCount == index) {
        m_penIndex.emplace(PenKey(lineType, width, color, blurCount, blurRate), index);
        m_penIndexedCount = index + 1;
    }
    EnterPenInMaps(index);
    return static_cast<std::int16_t>(index);
}

// ---- fonts -----------------------------------------------------------------------------

namespace {

// The values a font must hold exactly to match a description: the height, the description but
// for its height, width and orientation, and the width it holds (a font without one matches any).
FontIndexKey FontKey(const LOGFONT& g, std::int32_t height, std::int32_t width)
{
    FontIndexKey key;
    char* k = key.data();
    const std::int32_t escapement = g.lfEscapement;
    const std::int32_t weight = g.lfWeight;
    std::memcpy(k, &height, sizeof height);
    std::memcpy(k + 4, &escapement, sizeof escapement);
    std::memcpy(k + 8, &weight, sizeof weight);
    const BYTE bytes[8] = {g.lfItalic,        g.lfUnderline,     g.lfStrikeOut, g.lfCharSet,
                           g.lfOutPrecision, g.lfClipPrecision, g.lfQuality,   g.lfPitchAndFamily};
    std::memcpy(k + 12, bytes, sizeof bytes);
    std::memcpy(k + 20, g.lfFaceName, sizeof g.lfFaceName);
    std::memcpy(k + 20 + sizeof g.lfFaceName, &width, sizeof width);
    return key;
}

bool FontMatches(const CTypeFont* f, const CAppText& t, const LOGFONT& font, std::int32_t width,
                 std::int32_t height, std::uint8_t style1, double angle)
{
    const LOGFONT& g = f->m_logFont;
    // The height and the angle tell most fonts apart, so they are compared first.
    if (f->m_height != height || g.lfEscapement != font.lfEscapement)
        return false;
    bool form = false;
    if (t.m_formClass == 1 && f->m_style2 == 1 && std::fabs(f->m_angle - angle) < 0.1) {
        form = true;
    } else if (f->m_style1 == style1 && f->m_style2 == t.m_formClass &&
               f->m_style3 == t.m_direction && f->m_style4 == t.m_formOption1 &&
               f->m_style5 == t.m_formOption2 && std::fabs(f->m_angle - angle) < 0.1 &&
               std::fabs(f->m_spacing - t.m_charSpacing) < 0.1) {
        form = true;
        if ((f->m_style3 == 1 || f->m_style3 == 3 || f->m_style3 == 4) &&
            f->m_rightToLeft != t.m_rightToLeft)
            form = false;
    }
    if (!form)
        return false;
    return (f->m_width == 0 || f->m_width == width) && g.lfWeight == font.lfWeight &&
           g.lfItalic == font.lfItalic && g.lfUnderline == font.lfUnderline &&
           g.lfStrikeOut == font.lfStrikeOut && g.lfCharSet == font.lfCharSet &&
           g.lfOutPrecision == font.lfOutPrecision &&
           g.lfClipPrecision == font.lfClipPrecision && g.lfQuality == font.lfQuality &&
           g.lfPitchAndFamily == font.lfPitchAndFamily &&
           std::memcmp(g.lfFaceName, font.lfFaceName, sizeof(g.lfFaceName)) == 0;
}

}  // namespace

void CZelkDoc::IndexFonts()
{
    m_fontIndex.clear();
    const int count = m_fonts.GetSize();
    for (int i = 0; i < count; ++i) {
        const CTypeFont* f = GetFont(i);
        m_fontIndex[FontKey(f->m_logFont, f->m_height, f->m_width)].push_back(i);
    }
    m_fontIndexedCount = count;
}

// The first font that matches, or -1. Every text add asks, so the candidates come from the side
// index: the fonts that hold the values that must be equal and the asked width or none, taken
// from the two lists in table order.
std::int16_t CZelkDoc::FindFont(const LOGFONT& font, std::int32_t width, std::int32_t height,
                                std::uint8_t style1, double angle)
{
    if (m_fontIndexedCount != m_fonts.GetSize())
        IndexFonts();
    static const std::vector<int> kNone;
    const auto listOf = [&](std::int32_t w) -> const std::vector<int>& {
        auto it = m_fontIndex.find(FontKey(font, height, w));
        return it != m_fontIndex.end() ? it->second : kNone;
    };
    const std::vector<int>& sized = listOf(width);
    const std::vector<int>& unsized = width != 0 ? listOf(0) : kNone;
    const CAppText& t = DocTextSettings();
    auto a = sized.begin();
    auto b = unsized.begin();
    while (a != sized.end() || b != unsized.end()) {
        const int i = (b == unsized.end() || (a != sized.end() && *a < *b)) ? *a++ : *b++;
        if (FontMatches(GetFont(i), t, font, width, height, style1, angle))
            return static_cast<std::int16_t>(i);
    }
    return -1;
}

std::int16_t CZelkDoc::CreateFont(const LOGFONT& font, std::int32_t width, std::int32_t height,
                                  std::uint8_t style1, double angle, int current)
{
    if (m_fonts.GetSize() > kMaxTableIndex) {
        DocShowMessage("フォントの登録数が上限を超えるため追加できません", 1);
        return -1;
    }
    const CAppText& t = DocTextSettings();
    CTypeFont* f = new CTypeFont;
    int index = m_fonts.Add(f);
    m_blockMaps[MAP_TEXT].SetAtGrow(index, NO_BLOCK);
    f->m_height = height;
    f->m_width = width;
    f->m_logFont = font;
    if (width == 0 && !GetViews().empty()) {
        LOGFONT measured = font;
        if (current) {
            measured.lfHeight = 10 * measured.lfHeight;
        } else {
            measured.lfHeight = height;
            measured.lfWidth = 0;
        }
        SIZE extent{0, 0};
        if (GetViews().front()->MeasureTextExtent(measured, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", extent)) {
            f->m_width = extent.cx / 26;
            f->m_logFont.lfWidth = extent.cx / 260;
        }
    }
    f->m_style1 = current ? 1 : style1;
    f->m_style2 = t.m_formClass;
    f->m_style3 = t.m_direction;
    f->m_style4 = t.m_formOption1;
    f->m_style5 = t.m_formOption2;
    f->m_angle = angle;
    f->m_spacing = t.m_charSpacing;
    if (t.m_direction == 1 || t.m_direction == 3 || t.m_direction == 4)
        f->m_rightToLeft = t.m_rightToLeft;
    // Indexed under the width it holds once measured.
    if (m_fontIndexedCount == index) {
        m_fontIndex[FontKey(f->m_logFont, height, f->m_width)].push_back(index);
        m_fontIndexedCount = index + 1;
    }
    return static_cast<std::int16_t>(index);
}

std::int16_t CZelkDoc::FindOrAddFont(LOGFONT font, std::int32_t width, std::int32_t height,
                                     std::uint8_t style1, double angle)
{
    std::int16_t i = FindFont(font, width, height, style1, angle);
    if (i >= 0)
        return i;
    return CreateFont(font, width, height, style1, angle, 0);
}

std::int16_t CZelkDoc::FindOrAddCurrentFont(double angle)
{
    const CAppText& t = DocTextSettings();
    std::int16_t i = FindFont(t.m_logFont, t.m_widthTenths, t.m_heightTenths, 1, angle);
    if (i >= 0)
        return i;
    return CreateFont(t.m_logFont, t.m_widthTenths, t.m_heightTenths, 1, angle, 1);
}

// ---- holding the tables ----------------------------------------------------------------

void CZelkDoc::TablesChanged()
{
    m_penIndexedCount = -1;
    m_layerIndexedCount = -1;
    m_fontIndexedCount = -1;
}

void CZelkDoc::HoldTables()
{
    if (m_tablesHeld++ > 0)
        return;
    IndexPens();
    IndexLayers();
    IndexFonts();
}

void CZelkDoc::ReleaseTables()
{
    if (m_tablesHeld > 0)
        --m_tablesHeld;
}

// ---- layers ----------------------------------------------------------------------------

std::int16_t CZelkDoc::FindOrCreateLayer(const CString& name)
{
    int found = FindLayer(name);
    if (found != -1)
        return static_cast<std::int16_t>(found);

    CLayer* layer = new CLayer;
    int i = m_layers.Add(layer);
    if (!name.IsEmpty()) {
        layer->m_name = name;
    } else {
        layer->SetNumberName(i);
        for (int k = 0;; ++k) {
            if (k == 10) {
                std::int64_t now = Services().Time();
                if (now <= 0) {
                    AfxMessageBox(layer->m_name + " は、類似名称が10個以上あります。", MB_OK);
                    break;
                }
                AfxMessageBox(layer->m_name +
                                  " は、類似名称が10個以上あるので、日付時間のレイヤ名称にしました。",
                              MB_OK);
                std::time_t t = static_cast<std::time_t>(now);
                std::tm local = *std::localtime(&t);
                char buf[64];
                std::strftime(buf, sizeof buf, "%j_%H_%M_%S", &local);
                layer->m_name = buf;
                break;
            }
            int same = 0;
            for (int j = 0; j < m_layers.GetSize(); ++j)
                if (GetLayer(j)->m_name.CompareNoCase(layer->m_name) == 0)
                    ++same;
            if (same == 1)
                break;
            layer->m_name += "_";
        }
    }
    if (m_layerIndexedCount == i) {
        m_layerIndexedNames.push_back(layer->m_name.Std());
        m_layerIndex.emplace(LayerKey(layer->m_name), i);
        m_layerIndexedCount = i + 1;
    }
    for (CZelkView* v : GetViews())
        v->m_layerStates.SetAtGrow(i, 0);
    return static_cast<std::int16_t>(i);
}

std::int16_t CZelkDoc::GetLayerIndex(const CString& name)
{
    int i = FindLayer(name);
    if (i == -1)
        return FindOrCreateLayer(name);
    return static_cast<std::int16_t>(i);
}

std::int16_t CZelkDoc::LayerIndexFromList(int i, const CStringArray& names)
{
    if (i < 0 || i >= names.GetSize())
        return m_writeLayer;
    return GetLayerIndex(names[i]);
}

std::int16_t CZelkDoc::PenIndexFromList(int i, const CPtrArray& pens)
{
    const auto* r = i >= 0 && i < pens.GetSize() ? static_cast<const UserAppPenRecord*>(pens[i]) : nullptr;
    if (r)
        return FindOrAddPen(r->m_lineType, r->m_width, r->m_color, r->m_blurCount, r->m_blurRate);
    const DocPenValues v = DocCreationPen();
    return FindOrAddPen(v.lineType, v.width, v.color, v.blurCount, v.blurRate);
}

std::int16_t CZelkDoc::FontIndexFromList(int i, const CPtrArray& fonts)
{
    const auto* r = i >= 0 && i < fonts.GetSize() ? static_cast<const UserAppFontRecord*>(fonts[i]) : nullptr;
    if (r)
        return FindOrAddFont(r->m_logFont, r->m_width, r->m_height, r->m_style1, r->m_angle);
    const CAppText& t = DocTextSettings();
    return FindOrAddFont(t.m_logFont, t.m_widthTenths, t.m_heightTenths, 1, t.m_slantAngle);
}

void CZelkDoc::IndexLayers()
{
    m_layerIndex.clear();
    m_layerIndexedNames.clear();
    const int count = m_layers.GetSize();
    for (int i = 0; i < count; ++i) {
        const CString& n = GetLayer(i)->m_name;
        m_layerIndexedNames.push_back(n.Std());
        m_layerIndex.emplace(LayerKey(n), i);
    }
    m_layerIndexedCount = count;
}

// The most called lookup of the document, answered by the side index. The upper-cased key
// matches exactly the names that compare equal without regard to case, because upper-casing
// steps over the second bytes of double-byte characters as the comparison does; so a hit holds
// while the layer keeps the name it was indexed under.
int CZelkDoc::FindLayer(const CString& name)
{
    if (name.IsEmpty())
        return CLayerOps::FindEmptyNumberedLayer(this);
    // A name with a NUL inside is compared only up to it, which the index cannot answer.
    const char* sought = name;
    if (std::strlen(sought) != static_cast<size_t>(name.GetLength())) {
        for (int i = 0; i < m_layers.GetSize(); ++i)
            if (GetLayer(i)->m_name.CompareNoCase(sought) == 0)
                return i;
        return -1;
    }
    if (m_layerIndexedCount != m_layers.GetSize())
        IndexLayers();
    const std::string key = LayerKey(name);
    auto it = m_layerIndex.find(key);
    if (it == m_layerIndex.end())
        return -1;
    if (const CLayer* layer = GetLayer(it->second);
        layer && layer->m_name.View() == m_layerIndexedNames[static_cast<size_t>(it->second)])
        return it->second;
    // Renamed in place without a word: the table as it stands answers.
    IndexLayers();
    it = m_layerIndex.find(key);
    return it == m_layerIndex.end() ? -1 : it->second;
}

namespace {

// The pieces of a layer pattern: each "*" and "?" a piece of its own, wherever it stands, and
// the texts between them.
void SplitLayerPattern(const CString& upper, CStringArray& tokens)
{
    CStringArray pieces;
    SplitTokens(upper, "", "*?", pieces);
    for (int i = 0; i < pieces.GetSize(); ++i) {
        CString rest = pieces[i];
        while (!rest.IsEmpty()) {
            const int at = rest.FindOneOf("*?");
            if (at < 0) {
                tokens.Add(rest);
                break;
            }
            if (at > 0)
                tokens.Add(rest.Left(at));
            tokens.Add(rest.Mid(at, 1));
            rest = rest.Mid(at + 1);
        }
    }
}

bool IsWildcard(const CString& token)
{
    return token == "*" || token == "?";
}

} // namespace

// A plain text matches any name holding it. Once the pattern holds a wildcard, a text it begins
// with must begin the name ("WORK*" is every name starting with WORK, "*WORK" every name holding
// it); a text after "?" must follow right there, one after "*" anywhere later. Characters left
// over at the end of a name do not matter.
int CZelkDoc::FindLayersByPattern(const CString& pattern, CWordArray& found)
{
    CString upper = pattern;
    upper.MakeUpper();
    CStringArray tokens;
    SplitLayerPattern(upper, tokens);
    bool hasWildcard = false;
    for (int t = 0; t < tokens.GetSize(); ++t)
        hasWildcard = hasWildcard || IsWildcard(tokens[t]);
    const int startMode = hasWildcard && !IsWildcard(tokens[0]) ? 2 : 0;

    int count = 0;
    for (int i = 0; i < m_layers.GetSize(); ++i) {
        CString rest = GetLayer(i)->m_name;
        rest.MakeUpper();
        int mode = startMode;
        bool match = true;
        for (int t = 0; t < tokens.GetSize() && match; ++t) {
            const CString& token = tokens[t];
            if (token == "*") {
                mode = 1;
            } else if (token == "?") {
                rest = rest.GetLength() > 0 ? rest.Mid(1) : CString();
                mode = 2;
            } else {
                const int at = rest.Find(token);
                match = at >= 0 && (mode != 2 || at == 0);
                if (match)
                    rest = rest.Mid(at + token.GetLength());
            }
        }
        if (match) {
            found.Add(static_cast<WORD>(i));
            ++count;
        }
    }
    return count;
}

void CZelkDoc::GetLayerNames(CStringArray& names) const
{
    for (int i = 0; i < m_layers.GetSize(); ++i)
        names.Add(GetLayer(i)->m_name);
}

int ValidateLayerName(const CString& name)
{
    CString n = name;
    n.MakeUpper();
    TrimBlanks(n);
    const char* reserved = "rename,rn は予約語でレイヤ名称の先頭には使用できません";
    const char* message = nullptr;
    if (StartsWith(n, "RENAME") || n == "RN")
        message = reserved;
    else if (n == "+" || n == "-")
        message = "+ - は予約語でレイヤ名称には使用できません";
    else if (StartsWith(n, "+") || StartsWith(n, "-"))
        message = "+ - はレイヤ名称の先頭には使用できません";
    else if (n.Find('*') >= 0 || n.Find('?') >= 0)
        message = "* ? は予約語でレイヤ名称の一部には使用できません";
    else if (n.Find(",") >= 0 || n.Find("､") >= 0 || n.Find("，") >= 0 || n.Find("、") >= 0)
        message = "区切り文字 ,､，、はレイヤ名称には使用できません";
    if (!message)
        return 1;
    DocShowMessage(message, 1);
    return 0;
}

// ---- attribute strings -----------------------------------------------------------------

void CZelkDoc::GetAttributeStringNames(CStringArray& names) const
{
    for (int i = 0; i < m_attrStrings.GetSize(); ++i)
        names.Add(GetString(i)->m_text);
}

CDataString* CZelkDoc::FindAttributeString(const CString& text, int& index) const
{
    CString wanted = StartsWith(text, "//") ? text.Mid(2) : text;
    for (int i = 0; i < m_attrStrings.GetSize(); ++i) {
        CDataString* s = GetString(i);
        CString have = StartsWith(s->m_text, "//") ? s->m_text.Mid(2) : s->m_text;
        if (have.CompareNoCase(wanted) == 0) {
            index = i;
            return s;
        }
    }
    index = -1;
    return nullptr;
}

CDataString* CZelkDoc::FindOrAddAttributeString(CString& entry, int& index, int& mode)
{
    // Positions are taken on the trimmed entry, so that the upper-cased copy and the entry line
    // up even when the user typed leading blanks.
    CString trimmed = entry;
    trimmed.Trim();
    CString upper = trimmed;
    upper.MakeUpper();

    mode = 0;
    CString name = entry;
    CString newName;
    if (StartsWith(upper, "//")) {
        mode = 1;
        name = trimmed.Mid(2);
    } else if (StartsWith(upper, "RESET")) {
        mode = 2;
        name = trimmed.Mid(5);
    } else if (StartsWith(upper, "RS")) {
        mode = 2;
        name = trimmed.Mid(2);
    } else if (StartsWith(upper, "RENAME") || StartsWith(upper, "RN")) {
        mode = 3;
    }
    if (mode == 1 || mode == 2)
        TrimBlanks(name);

    if (mode == 3) {
        int sep = upper.ReverseFind(',');
        if (sep < 0)
            sep = upper.Find("､");
        if (sep < 0) {
            DocShowMessage("変更名を示す区切り文字 , または ､ がありません", 1);
            return nullptr;
        }
        int keyword = StartsWith(upper, "RENAME") ? 6 : 2;
        name = trimmed.Mid(keyword, sep - keyword);
        int inner = name.Find(',');
        if (inner < 0)
            inner = name.Find("､");
        if (inner >= 0)
            name = name.Mid(inner + 1);
        newName = trimmed.Mid(sep + 1);
        TrimBlanks(name);
        TrimBlanks(newName);
        if (name.IsEmpty()) {
            DocShowMessage("変更前の属性文字がありません", 1);
            return nullptr;
        }
        if (newName.IsEmpty()) {
            DocShowMessage("変更後の属性文字がありません", 1);
            return nullptr;
        }
    } else {
        if (upper.Find(',') >= 0 || upper.Find("､") >= 0) {
            DocShowMessage("属性文字に comma や 句点 は使用できません", 1);
            return nullptr;
        }
        int last = upper.GetLength() - 1;
        int posL = upper.Find('L');
        if (posL >= 0 && posL == last && IsNumericText(trimmed.Left(posL))) {
            DocShowMessage("属性文字に 数字L の文字列は使用できません", 1);
            return nullptr;
        }
        int posD = upper.Find('D');
        if (posD >= 0 && posD == last && IsNumericText(trimmed.Left(posD))) {
            DocShowMessage("属性文字に 数字D の文字列は使用できません", 1);
            return nullptr;
        }
    }

    CDataString* s = FindAttributeString(name, index);
    if (s) {
        switch (mode) {
        case 0:
            s->m_state = STATE_LIVE;
            s->m_text = name;
            break;
        case 1:
            s->m_state = STATE_DELETED;
            s->m_text = "//" + name;
            break;
        case 2:
            s->m_state = STATE_LIVE;
            break;
        default:
            if (StartsWith(s->m_text, "//") && !StartsWith(newName, "//"))
                s->m_text = "//" + newName;
            else
                s->m_text = newName;
            break;
        }
        return s;
    }
    switch (mode) {
    case 0: {
        entry.Trim();
        CDataString* added = new CDataString(entry);
        added->m_state = STATE_LIVE;
        index = m_attrStrings.Add(added);
        return added;
    }
    case 1:
        DocShowMessage("削除に該当する文字属性はありません", 1);
        break;
    case 2:
        DocShowMessage("解除に該当する文字属性はありません", 1);
        break;
    default:
        DocShowMessage("変更に該当する文字属性はありません", 1);
        break;
    }
    return nullptr;
}

// ---- colors ----------------------------------------------------------------------------

COLORREF CZelkDoc::GetColorValue(int position)
{
    // A DXF color number is 0..256; anything else (a damaged file) must not grow the table.
    if (position < 0 || position > 256)
        return DocDefaultColor();
    if (position >= m_colors.GetSize()) {
        CColor* c = new CColor;
        c->m_color = DocDefaultColor();
        m_colors.SetAtGrow(position, c);
        return c->m_color;
    }
    CColor* c = GetColor(position);
    if (!c) {
        c = new CColor;
        c->m_color = 0;
        m_colors.SetAt(position, c);
    }
    return c->m_color;
}

int CZelkDoc::ColorToDxfIndex(COLORREF color) const
{
    static const int kDxf[14] = {7, 1, 243, 3, 124, 5, 130, 2, 220, 8, 9, 213, 54, 162};
    for (int i = 0; i < 14; ++i)
        if (DocStandardColor(i) == color)
            return kDxf[i];
    if (GetRValue(color) == 0 && GetGValue(color) == 0 && GetBValue(color) == 0)
        return 18;
    return 256;
}

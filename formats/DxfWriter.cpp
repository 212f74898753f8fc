// DXF R12 export: the computed header variables, the LAYER table and the entities of the layers
// displayed in the active drawing view. Lines, circles, arcs and texts become their entities;
// ellipses and curves become runs of LINE entities.
#include "formats/DxfWriter.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/Numeric.h"
#include "platform/core/File.h"
#include "platform/core/Runtime.h"
#include "view/ZelkView.h"

#include <cmath>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

// The line and its end, written as a text string: a NUL inside the text ends what is written
// there, line end included.
void WriteDxfLine(CStdioFile& file, const char* text, int length)
{
    const size_t n = length > 0 ? static_cast<size_t>(length) : 0;
    const void* nul = n ? std::memchr(text, '\0', n) : nullptr;
    if (nul) {
        file.Write(text, static_cast<UINT>(static_cast<const char*>(nul) - text));
        return;
    }
    // A line of the usual length goes out with its end in one write.
    char joined[256];
    if (n < sizeof joined) {
        std::memcpy(joined, text, n);
        joined[n] = '\n';
        file.Write(joined, static_cast<UINT>(n + 1));
        return;
    }
    file.Write(text, static_cast<UINT>(n));
    file.Write("\n", 1);
}

void WriteDxfLine(CStdioFile& file, const CString& text)
{
    WriteDxfLine(file, text.GetString(), text.GetLength());
}

CString DxfInt6(int value)
{
    return FormatString("%6d", value);
}

const char* DxfLineTypeName(int lineType, const char* other)
{
    switch (lineType) {
    case 0: return "CONTINUOUS";
    case 1: return "DASHED";
    case 2: return "DOT";
    case 3: return "CENTER";
    case 4: return "PHANTOM";
    default: return other;
    }
}

namespace {

constexpr double kPi = 3.141592653589793;

void Put(CStdioFile& f, const char* text)
{
    WriteDxfLine(f, text, static_cast<int>(std::strlen(text)));
}

void Pair(CStdioFile& f, const char* code, const CString& value)
{
    Put(f, code);
    WriteDxfLine(f, value);
}

CString Gcvt(double v, int digits)
{
    char buffer[_CVTBUFSIZE];
    return CString(_gcvt(v, digits, buffer));
}

CString G9(double v)
{
    return Gcvt(v, 9);
}

CString Int7(int v)
{
    return FormatString("%7d", v);
}

// A name or text cut to at most n bytes without splitting a double-byte character.
CString CutBytes(const CString& s, int n)
{
    return s.Left(MbSafeCutLength(s, s.GetLength(), n));
}

// Whether an element's layer is exported: inside the table and displayed in the active view.
struct LayerFilter {
    int layerCount;
    const CZelkView* view;

    bool Passes(int layer, int state) const
    {
        if (layer < 0 || layer >= layerCount)
            return false;
        if (state & (0x04 | 0x08))
            return false;
        if (!view || view->m_showAllLayers)
            return true;
        if (layer >= view->m_layerStates.GetSize())
            return true;
        return view->m_layerStates.GetAt(layer) != 1;
    }
};

// The line type and color carried from block to block, whatever the kind.
struct BlockPen {
    CString lineType = "CONTINUOUS";
    int color = 0;

    void Take(const CZelkDoc& doc, int penIndex)
    {
        if (penIndex < 0 || penIndex >= doc.m_pens.GetSize())
            return;
        const auto* pen = static_cast<const CTypePen*>(doc.m_pens.GetAt(penIndex));
        lineType = DxfLineTypeName(pen->m_lineType, "CONTINUOUS");
        color = doc.ColorToDxfIndex(pen->m_color);
    }
};

CString LayerNameForEntity(const CZelkDoc& doc, int layer)
{
    const auto* l = static_cast<const CLayer*>(doc.m_layers.GetAt(layer));
    return CutBytes(l->m_name, 48);
}

void PutLineEntity(CStdioFile& f, const CString& layer, const BlockPen& pen, const CPointD& a, const CPointD& b)
{
    Pair(f, "  0", "LINE");
    Pair(f, "  8", layer);
    Pair(f, "  6", pen.lineType);
    Pair(f, " 62", Int7(pen.color));
    Pair(f, " 10", G9(a.m_x));
    Pair(f, " 20", G9(a.m_y));
    Pair(f, " 11", G9(b.m_x));
    Pair(f, " 21", G9(b.m_y));
}

void PutPolylineAsLines(CStdioFile& f, const CString& layer, const BlockPen& pen, const std::vector<CPointD>& points)
{
    for (size_t i = 0; i + 1 < points.size(); ++i)
        PutLineEntity(f, layer, pen, points[i], points[i + 1]);
}

// The Julian date of now, or false when the clock gives no positive time.
bool JulianDate(double& jd)
{
    std::time_t now = CrtTime(nullptr);
    if (now <= 0)
        return false;
    std::tm* t = CrtLocaltime(&now);
    if (!t)
        return false;
    int y = t->tm_year + 1900;
    jd = 2451546.0 + 365.0 * (y - 2000) + static_cast<double>((y - 2000) / 4) + t->tm_yday +
         (t->tm_hour * 3600 + t->tm_min * 60 + t->tm_sec) / 86400.0;
    return true;
}

struct TextPlacement {
    int h72, v73;
    double fx, fy;
};

TextPlacement PlacementOf(int alignment)
{
    switch (alignment) {
    case 8: return {0, 0, 0.0, 0.0};
    case 14: return {1, 0, 0.5, 0.0};
    case 10: return {2, 0, 1.0, 0.0};
    case 32: return {0, 2, 0.0, 0.5};
    case 38: return {1, 2, 0.5, 0.5};
    case 34: return {2, 2, 1.0, 0.5};
    case 0: return {0, 3, 0.0, 1.0};
    case 6: return {1, 3, 0.5, 1.0};
    case 2: return {2, 3, 1.0, 1.0};
    default: return {0, 1, 0.0, 0.0};
    }
}

// The first "Φ", or else the first "φ", becomes the DXF diameter code.
void ReplaceDiameterSign(CString& text)
{
    static const char* const signs[] = {"Φ", "φ"};
    for (const char* sign : signs) {
        int at = text.Find(sign);
        if (at >= 0) {
            text = text.Left(at) + "\\U+2205" + text.Mid(at + static_cast<int>(std::strlen(sign)));
            return;
        }
    }
}

void WriteHeaderAndTables(CZelkDoc& doc, CStdioFile& f)
{
    CRectD e = doc.m_extents;
    double w = e.m_right - e.m_left;
    double h = e.m_top - e.m_bottom;
    if (w < 1.414 * h)
        e.m_right = e.m_left + 1.414 * h;
    else
        e.m_top = e.m_bottom + w * 0.7072135785007072;

    Pair(f, "  0", "SECTION");
    Pair(f, "  2", "HEADER");
    Pair(f, "  9", "$ACADVER");
    Pair(f, "  1", "AC1009");
    double jd;
    if (JulianDate(jd)) {
        CString date = Gcvt(jd, 13);
        Pair(f, "  9", "$TDCREATE");
        Pair(f, " 40", date);
        Pair(f, "  9", "$TDUPDATE");
        Pair(f, " 40", date);
    }
    Pair(f, "  9", "$TDINDWG");
    Pair(f, " 40", "0.0");
    Pair(f, "  9", "$TDUSRTIMER");
    Pair(f, " 40", "0.0");
    Pair(f, "  9", "$USRTIMER");
    Pair(f, " 70", "     1");
    Pair(f, "  9", "$EXTMIN");
    Pair(f, " 10", G9(e.m_left));
    Pair(f, " 20", G9(e.m_bottom));
    Pair(f, " 30", "0.0");
    Pair(f, "  9", "$EXTMAX");
    Pair(f, " 10", G9(e.m_right));
    Pair(f, " 20", G9(e.m_top));
    Pair(f, " 30", "0.0");
    Pair(f, "  9", "$LIMMIN");
    Pair(f, " 10", G9(e.m_left));
    Pair(f, " 20", G9(e.m_bottom));
    Pair(f, "  9", "$LIMMAX");
    Pair(f, " 10", G9(e.m_right));
    Pair(f, " 20", G9(e.m_top));
    Pair(f, "  9", "$CLAYER");
    if (doc.m_layers.GetSize() > 0)
        Pair(f, "  8", CutBytes(static_cast<CLayer*>(doc.m_layers.GetAt(0))->m_name, 258));
    else
        Pair(f, "  8", "0");

    doc.WriteDxfFixedHeaderAndTables(f);

    int layers = doc.m_layers.GetSize();
    Pair(f, "  0", "TABLE");
    Pair(f, "  2", "LAYER");
    Pair(f, " 70", DxfInt6(layers));
    for (int i = 0; i < layers; ++i) {
        Pair(f, "  0", "LAYER");
        Pair(f, "  2", CutBytes(static_cast<CLayer*>(doc.m_layers.GetAt(i))->m_name, 258));
        Pair(f, " 70", "     0");
        Pair(f, " 62", "     7");
        Pair(f, "  6", "CONTINUOUS");
    }
    Pair(f, "  0", "ENDTAB");
    Pair(f, "  0", "ENDSEC");
}

// Calls put(element) for every element of the blocks that the filter lets through, with the
// pen taken from each block first.
template <class Blocks, class Put>
void ForEachWritten(CZelkDoc& doc, const CObArray& blocks, BlockPen& pen,
                    const LayerFilter& filter, Put put)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const auto* block = static_cast<const Blocks*>(blocks.GetAt(b));
        pen.Take(doc, block->m_pen);
        for (int s = 0; s < block->m_count; ++s) {
            const auto& e = block->m_slots[s];
            if (filter.Passes(e.m_layer, e.m_state))
                put(e);
        }
    }
}

void WriteEntities(CZelkDoc& doc, CStdioFile& f)
{
    Pair(f, "  0", "SECTION");
    Pair(f, "  2", "ENTITIES");

    const CZelkView* view = g_pApp ? g_pApp->m_activeView : nullptr;
    LayerFilter filter{doc.m_layers.GetSize(), view};
    int fontCount = doc.m_fonts.GetSize();

    bool halfWidth = false;
    for (int b = 0; b < doc.m_textBlocks.GetSize() && g_pApp; ++b) {
        const auto* block = static_cast<const CTexts*>(doc.m_textBlocks.GetAt(b));
        if (block->m_pen >= 0 && block->m_pen < fontCount) {
            const auto* font = static_cast<const CTypeFont*>(doc.m_fonts.GetAt(block->m_pen));
            if (g_pApp->IsHalfWidthDxfFont(CString(font->m_logFont.lfFaceName)))
                halfWidth = true;
        }
    }

    BlockPen pen;
    ForEachWritten<CLines>(doc, doc.m_lineBlocks, pen, filter, [&](const CLine& l) {
        PutLineEntity(f, LayerNameForEntity(doc, l.m_layer), pen, l.m_start, l.m_end);
    });
    ForEachWritten<CCircles>(doc, doc.m_circleBlocks, pen, filter, [&](const CCircle& c) {
        Pair(f, "  0", "CIRCLE");
        Pair(f, "  8", LayerNameForEntity(doc, c.m_layer));
        Pair(f, "  6", pen.lineType);
        Pair(f, " 62", Int7(pen.color));
        Pair(f, " 10", G9(c.m_centre.m_x));
        Pair(f, " 20", G9(c.m_centre.m_y));
        Pair(f, " 40", G9(c.m_radius));
    });
    ForEachWritten<CArcs>(doc, doc.m_arcBlocks, pen, filter, [&](const CArc& a) {
        double start = a.m_startAngle;
        double end = a.m_endAngle;
        if (NearlyEqual(end, 360.0)) {
            end = 360.0;
        } else if (end > 360.0) {
            start -= 360.0;
            end -= 360.0;
        }
        Pair(f, "  0", "ARC");
        Pair(f, "  8", LayerNameForEntity(doc, a.m_layer));
        Pair(f, "  6", pen.lineType);
        Pair(f, " 62", Int7(pen.color));
        Pair(f, " 10", G9(a.m_centre.m_x));
        Pair(f, " 20", G9(a.m_centre.m_y));
        Pair(f, " 40", G9(a.m_radius));
        Pair(f, " 50", G9(start));
        Pair(f, " 51", G9(end));
    });
    ForEachWritten<CConics>(doc, doc.m_conicBlocks, pen, filter, [&](const CConic& c) {
        PutPolylineAsLines(f, LayerNameForEntity(doc, c.m_layer), pen, c.m_polyline);
    });
    ForEachWritten<CCurves>(doc, doc.m_curveBlocks, pen, filter, [&](const CCurve& c) {
        PutPolylineAsLines(f, LayerNameForEntity(doc, c.m_layer), pen, c.m_points);
    });

    for (int b = 0; b < doc.m_textBlocks.GetSize(); ++b) {
        const auto* block = static_cast<const CTexts*>(doc.m_textBlocks.GetAt(b));
        // A block whose font is missing writes its texts 2.5 high, unrotated, in the standard
        // style with a width factor of 1.
        double height = 2.5;
        double rotation = 0.0;
        double charWidth = 0.0;
        double factor = 1.0;
        CString style = "STANDARD";
        if (block->m_pen >= 0 && block->m_pen < fontCount) {
            const auto* font = static_cast<const CTypeFont*>(doc.m_fonts.GetAt(block->m_pen));
            height = font->m_height * 0.1;
            rotation = -font->m_logFont.lfEscapement * 0.1;
            charWidth = font->m_width * 0.1;
            style = CString(font->m_logFont.lfFaceName, static_cast<int>(strnlen(font->m_logFont.lfFaceName, LF_FACESIZE)));
            // A font without height would give an infinite factor.
            factor = font->m_height != 0 ? static_cast<double>(font->m_width) / font->m_height : 1.0;
        }
        CString heightText = Gcvt(height, 2);
        CString rotationText = Gcvt(rotation, 4);
        double t = rotation * kPi / 180.0;
        for (int s = 0; s < block->m_count; ++s) {
            const CText& x = block->m_slots[s];
            if (!filter.Passes(x.m_layer, x.m_state))
                continue;
            TextPlacement pl = PlacementOf(x.m_alignment);
            bool doubled = halfWidth && ContainsDoubleByteChar(x.m_text);
            CString factorText = Gcvt(doubled ? factor * 2.0 : factor, 3);
            CString text = x.m_text;
            ReplaceDiameterSign(text);
            if (text.GetLength() > 1024)
                text = CutBytes(text, 1023);
            double len = text.GetLength() * charWidth;
            double ix = x.m_point.m_x + pl.fx * (-len * std::cos(t)) + pl.fy * (height * std::sin(t));
            double iy = x.m_point.m_y + pl.fx * (-len * std::sin(t)) + pl.fy * (-height * std::cos(t));
            Pair(f, "  0", "TEXT");
            Pair(f, "  8", LayerNameForEntity(doc, x.m_layer));
            Pair(f, " 62", Int7(doc.ColorToDxfIndex(x.m_color)));
            Pair(f, " 10", G9(ix));
            Pair(f, " 20", G9(iy));
            Pair(f, " 40", heightText);
            Pair(f, " 41", factorText);
            Pair(f, "  1", text);
            Pair(f, " 50", rotationText);
            Pair(f, "  7", style);
            Pair(f, " 72", DxfInt6(pl.h72));
            Pair(f, " 73", DxfInt6(pl.v73));
            Pair(f, " 11", G9(x.m_point.m_x));
            Pair(f, " 21", G9(x.m_point.m_y));
        }
    }

    Pair(f, "  0", "ENDSEC");
    Pair(f, "  0", "EOF");
}

} // namespace

namespace {

// The export file. Written bytes gather in a block and go out in one write, each line feed made
// CR LF here as the text mode makes it, so the file holds the same bytes.
class CDxfExportFile : public CStdioFile {
public:
    BOOL Open(LPCTSTR name, UINT flags, CFileException* error = nullptr) override
    {
        m_text = (flags & CFile::typeText) != 0;
        const UINT binary = (flags & ~static_cast<UINT>(CFile::typeText)) | CFile::typeBinary;
        return CStdioFile::Open(name, m_text ? binary : flags, error);
    }
    void Write(const void* bytes, UINT count) override
    {
        if (count == 0)
            return;
        const char* p = static_cast<const char*>(bytes);
        // A line feed takes two bytes in text mode, so the block has room for twice the count.
        Reserve(m_used + (m_text ? 2 : 1) * static_cast<size_t>(count));
        char* out = m_buffer.get() + m_used;
        if (!m_text) {
            std::memcpy(out, p, count);
            out += count;
        } else {
            for (const char* end = p + count; p < end; ++p) {
                if (*p == '\n')
                    *out++ = '\r';
                *out++ = *p;
            }
        }
        m_used = static_cast<size_t>(out - m_buffer.get());
        if (m_used >= kBlock)
            WritePending();
    }
    void Flush() override
    {
        WritePending();
        CStdioFile::Flush();
    }
    void Close() override
    {
        WritePending();
        CStdioFile::Close();
    }
    void Abort() override
    {
        m_used = 0;
        CStdioFile::Abort();
    }

private:
    static constexpr size_t kBlock = 1 << 16;

    void Reserve(size_t size)
    {
        if (size <= m_capacity)
            return;
        const size_t capacity = size > 2 * kBlock ? size : 2 * kBlock;
        std::unique_ptr<char[]> buffer(new char[capacity]);
        if (m_used > 0)
            std::memcpy(buffer.get(), m_buffer.get(), m_used);
        m_buffer = std::move(buffer);
        m_capacity = capacity;
    }

    // What was gathered is let go of before the write, which may throw.
    void WritePending()
    {
        const size_t used = m_used;
        m_used = 0;
        if (used > 0)
            CStdioFile::Write(m_buffer.get(), static_cast<UINT>(used));
    }

    bool m_text = false;
    std::unique_ptr<char[]> m_buffer;
    size_t m_used = 0;
    size_t m_capacity = 0;
};

}  // namespace

BOOL CZelkDoc::WriteDxfFile(const CString& path)
{
    // The file is written beside the target and put in its place only when complete, so a
    // failed export never destroys the previous file.
    return SaveFileReplacing(path, [this](const CString& temporary) {
        CDxfExportFile file;
        if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeText))
            return FALSE;
        try {
            WriteHeaderAndTables(*this, file);
            WriteEntities(*this, file);
            file.Close();
        } catch (CFileException&) {
            file.Abort();
            return FALSE;
        }
        return TRUE;
    });
}

// Generated DXF files of many entities, written straight to disk: a file of plain lines, and a
// mixed file of lines, circles, arcs, Japanese texts and closed polylines with bulges on a few
// layers, colors and line types. The same seed always gives the same bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace gendxf {

// A small generator whose sequence is fixed by its seed on every platform.
class Sequence {
public:
    explicit Sequence(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    // A coordinate in -5000 .. 5000 with 0 to 6 decimals.
    double Coord() { return (static_cast<double>(Below(10000000)) - 5000000.0) / 1000.0; }

private:
    std::uint64_t m_state;
};

class Writer {
public:
    explicit Writer(const std::string& path) : m_file(std::fopen(path.c_str(), "wb")) {}
    ~Writer()
    {
        if (m_file)
            std::fclose(m_file);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    bool Ok() const { return m_file != nullptr; }

    void Pair(const char* code, const char* value) { std::fprintf(m_file, "%s\r\n%s\r\n", code, value); }
    void Num(const char* code, double v, int style)
    {
        // Writers differ: fixed decimals, shortest form, whole numbers.
        switch (style % 3) {
        case 0:
            std::fprintf(m_file, "%s\r\n%.6f\r\n", code, v);
            break;
        case 1:
            std::fprintf(m_file, "%s\r\n%.15g\r\n", code, v);
            break;
        default:
            std::fprintf(m_file, "%s\r\n%.3f\r\n", code, v);
            break;
        }
    }
    void Begin()
    {
        Pair("  0", "SECTION");
        Pair("  2", "HEADER");
        Pair("  9", "$ACADVER");
        Pair("  1", "AC1009");
        Pair("  0", "ENDSEC");
        Pair("  0", "SECTION");
        Pair("  2", "TABLES");
        Pair("  0", "TABLE");
        Pair("  2", "LTYPE");
        Pair(" 70", "     1");
        Pair("  0", "LTYPE");
        Pair("  2", "DASHED");
        Pair(" 70", "     0");
        Pair("  3", "__ __ __");
        Pair(" 72", "    65");
        Pair(" 73", "     2");
        Pair(" 40", "9.525");
        Pair(" 49", "6.35");
        Pair(" 49", "-3.175");
        Pair("  0", "ENDTAB");
        Pair("  0", "ENDSEC");
        Pair("  0", "SECTION");
        Pair("  2", "ENTITIES");
    }
    void End()
    {
        Pair("  0", "ENDSEC");
        Pair("  0", "EOF");
    }

private:
    std::FILE* m_file;
};

// n LINE entities on layer 0, coordinates with four decimals.
inline bool WriteLines(const std::string& path, int n)
{
    Writer w(path);
    if (!w.Ok())
        return false;
    Sequence s(1);
    w.Begin();
    for (int i = 0; i < n; ++i) {
        w.Pair("  0", "LINE");
        w.Pair("  8", "0");
        w.Pair(" 62", "     7");
        for (const char* code : {" 10", " 20", " 30", " 11", " 21", " 31"}) {
            const double v = code[2] == '0' && code[1] == '3' ? 0.0 : s.Coord();
            w.Num(code, v, 0);
        }
    }
    w.End();
    return true;
}

// n entities of five kinds in turn: LINE, CIRCLE, ARC, TEXT and a closed POLYLINE of four
// vertices with bulges (which gives four elements).
inline bool WriteMixed(const std::string& path, int n)
{
    static const char* const kLayers[] = {"0", "WALL", "壁", "寸法", "Dim-2"};
    static const char* const kTexts[] = {"文字列ABC", "寸法 1200", "ｶﾀｶﾅ", "W", "部屋 %d"};
    Writer w(path);
    if (!w.Ok())
        return false;
    Sequence s(7);
    w.Begin();
    char buffer[64];
    for (int i = 0; i < n; ++i) {
        const int style = s.Below(3);
        const char* layer = kLayers[s.Below(5)];
        std::snprintf(buffer, sizeof buffer, "%6d", 1 + s.Below(7));
        const std::string color = buffer;
        const bool dashed = s.Below(4) == 0;
        auto head = [&](const char* kind) {
            w.Pair("  0", kind);
            w.Pair("  8", layer);
            if (dashed)
                w.Pair("  6", "DASHED");
            w.Pair(" 62", color.c_str());
        };
        switch (i % 5) {
        case 0:
            head("LINE");
            w.Num(" 10", s.Coord(), style);
            w.Num(" 20", s.Coord(), style);
            w.Num(" 11", s.Coord(), style);
            w.Num(" 21", s.Coord(), style);
            break;
        case 1:
            head("CIRCLE");
            w.Num(" 10", s.Coord(), style);
            w.Num(" 20", s.Coord(), style);
            w.Num(" 40", 0.5 + s.Below(100000) / 97.0, style);
            break;
        case 2:
            head("ARC");
            w.Num(" 10", s.Coord(), style);
            w.Num(" 20", s.Coord(), style);
            w.Num(" 40", 0.5 + s.Below(100000) / 97.0, style);
            w.Num(" 50", s.Below(720000) / 1000.0 - 360.0, style);
            w.Num(" 51", s.Below(720000) / 1000.0 - 360.0, style);
            break;
        case 3: {
            head("TEXT");
            w.Num(" 10", s.Coord(), style);
            w.Num(" 20", s.Coord(), style);
            w.Num(" 40", 1.0 + s.Below(80) / 8.0, style);
            std::snprintf(buffer, sizeof buffer, kTexts[s.Below(5)], i);
            w.Pair("  1", buffer);
            w.Num(" 50", s.Below(8) * 45.0, 1);
            if (s.Below(2)) {
                w.Pair("  7", "ＭＳ ゴシック");
                w.Num(" 41", 0.5 + s.Below(4) / 4.0, 1);
            }
            const int justify = s.Below(6);
            if (justify) {
                std::snprintf(buffer, sizeof buffer, "%6d", justify);
                w.Pair(" 72", buffer);
                w.Num(" 11", s.Coord(), style);
                w.Num(" 21", s.Coord(), style);
            }
            break;
        }
        default: {
            head("POLYLINE");
            w.Pair(" 66", "     1");
            w.Pair(" 70", "     1");
            const double x = s.Coord(), y = s.Coord();
            const double dx = 1 + s.Below(5000) / 10.0, dy = 1 + s.Below(5000) / 10.0;
            const double xs[4] = {x, x + dx, x + dx, x}, ys[4] = {y, y, y + dy, y + dy};
            for (int v = 0; v < 4; ++v) {
                w.Pair("  0", "VERTEX");
                w.Pair("  8", layer);
                w.Num(" 10", xs[v], style);
                w.Num(" 20", ys[v], style);
                if (s.Below(3) == 0)
                    w.Num(" 42", (s.Below(2000) - 1000) / 1000.0, 1);
            }
            w.Pair("  0", "SEQEND");
            w.Pair("  8", layer);
            break;
        }
        }
    }
    w.End();
    return true;
}

}  // namespace gendxf

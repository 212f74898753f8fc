// The DXF import: one pass over a DXF file held in memory that adds its line types, block
// definitions and entities to a drawing document as elements, layers, pens, fonts, color
// records, blocks and insertion records.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "document/ByteKeyHash.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CBlock;
class CZelkDoc;

// The pen line type of the first line-type record named so; 0 (solid) when none is.
int DxfLineTypeOf(const CObArray& styles, const CString& name);

// The text alignment code of a TEXT's horizontal justification (group 72): centred 14, right
// 10, aligned and middle 38, left, fit and anything else 8.
int DxfJustifyToAlign(const CString& justify);

// A number of a DXF value line, as the C library's atof reads it.
double DxfAtof(const char* text);

// A whole number of a DXF value line, as the C library's atoi reads it.
int DxfAtoi(const char* text);

// The longest line the reader takes: the longest text the DXF export writes whole.
constexpr int kDxfLineMax = 1024;

// Reads one line of a DXF buffer into a buffer of kDxfLineMax + 1 bytes: up to CR LF, a bare LF
// or a bare CR, at most kDxfLineMax bytes. 1 when a line end closed it; 0 at the end of the data
// or when no line end follows within kDxfLineMax bytes (reading then goes on two bytes after
// the first 1023 of them).
int ReadDxfLine(const BYTE* data, int length, int& position, char* line,
                int* textLength = nullptr);
// The same, given the bytes from position on (available of them, every one up to the end of the
// data or at least kDxfLineMax + 2). textLength, when given, receives the length of the line as
// a C string (up to its first NUL byte).
int ReadDxfLineFrom(const BYTE* from, int available, int length, int& position, char* line,
                    int* textLength = nullptr);
// The same for the common line, given at least 24 bytes from position on: a line of fewer than
// sixteen bytes, none of them a control byte, ended by CR or LF. False, with nothing changed,
// for any other line.
bool ReadShortDxfLine(const BYTE* from, int position, int& nextPosition, char* line,
                      int& textLength);

// The bytes of a DXF file as the reader comes to them, front to back.
class CDxfSource {
public:
    virtual ~CDxfSource() = default;
    // The bytes from position on: at least the longest line and two bytes more, or all up to the
    // end of the data. available receives how many there are; the pointer stays good until the
    // next call. Positions never go back.
    virtual const BYTE* From(int position, int& available) = 0;
    // The length of the data.
    virtual int Length() const = 0;
};

class CDxfReader {
public:
    // layerReplaced is set to 1 (never to 0) when an entity's layer name was refused.
    CDxfReader(CZelkDoc* doc, const BYTE* data, int length, int* layerReplaced);
    CDxfReader(CZelkDoc* doc, CDxfSource& source, int* layerReplaced);
    ~CDxfReader();
    CDxfReader(const CDxfReader&) = delete;
    CDxfReader& operator=(const CDxfReader&) = delete;

    // 1 when the end of the data was reached, 0 when the data ended inside a value the import
    // cannot do without.
    int Run();

    const CObArray& LineTypes() const { return m_styles; }
    // Whether the data held a section at all: data without one (a binary file, an empty file)
    // is no DXF, however its name ends.
    bool SectionSeen() const { return m_sectionSeen; }
    // The entities this import passed over because it does not know their kind: each kind's
    // name and how many of it, in the order the kinds were first met.
    const std::vector<std::pair<CString, int>>& SkippedEntities() const { return m_skipped; }

private:
    enum Flow { kGo, kStop, kFail };
    struct Attr {
        std::int16_t layer = 0;
        int lineType = 0;
        COLORREF color = 0;
        std::int16_t pen = -1;
    };

    int ReadLine();
    int ReadLineInWindow();
    int Code() const;
    bool LineIs(const char* text) const;

    // Sections.
    bool TablesLoop();
    int LineTypeLoop();
    Flow BlocksLoop();
    Flow EntitiesLoop();
    Flow CollectGroup(int code, bool inBlock);
    Flow ValueCut(int code, bool inBlock);
    void Dispatch(const CString& name, bool inBlock);
    void ResetGroups();
    void NoteSkipped(const CString& name);
    void FinishEntity(const CString& name, bool inBlock);
    void StartEntity(const CString& name, bool inBlock);
    void ClearEntityState();

    // Completion of the pending entity.
    void Complete(bool inBlock);
    Attr Resolve(bool lineType, bool pen, bool inBlock);
    void CompletePolyline(bool inBlock);
    void FinishPolyline(bool inBlock);
    void Segment(const CPointD& p, const CPointD& q, const CString& bulge, bool widths,
                 const Attr& attr, bool inBlock);
    void EmitPoint(const CPointD& p, const Attr& a, bool inBlock);
    void EmitLine(const CPointD& p, const CPointD& q, const Attr& a, bool inBlock);
    void EmitCircle(const CPointD& c, double r, const Attr& a, bool inBlock);
    void EmitArc(const CPointD& c, double r, double start, double end, const Attr& a,
                 bool inBlock);
    std::int16_t FontFor(const LOGFONT& font, int width, int height, double angle);
    void AddEntityText();
    void AddBlockText();
    void CopyInsertIntoBlock();
    void ExpandInsert(bool dimension);

    // Blocks by name.
    int FindBlock(const CString& name) const;
    void NameCurrentBlock(const CString& name);
    CBlock* BlockAt(int i) const;

    CString& G(int code) { return m_groups[code]; }
    CPointD PointOf(int x, int y) { return CPointD().Init(Atof(G(x)), Atof(G(y))); }
    // Numbers of groups; one that is not finite reads as 0. INSERT and DIMENSION take theirs
    // through the runtime's reading.
    static double Atof(const CString& s);
    static double InsertNumber(const CString& s);
    static int Atoi(const CString& s);

    CZelkDoc* m_doc;
    const BYTE* m_data;
    int m_length;
    CDxfSource* m_source = nullptr;
    int m_position = 0;
    int* m_layerReplaced;
    std::int16_t m_defaultLayer = -1;
    // Layers of the names accepted so far, and pens by line type and color, found once each.
    std::unordered_map<std::string, std::int16_t> m_layerOfName;
    std::unordered_map<std::uint64_t, std::int16_t> m_penOf;
    // A text's font description as its bytes, kept without a string of its own for each text.
    using FontKey = std::array<char, sizeof(LOGFONT) + 2 * sizeof(int) + sizeof(double)>;
    std::unordered_map<FontKey, std::int16_t, ByteKeyHash<std::tuple_size_v<FontKey>>> m_fontOf;
    // Kinds (point, line, circle, arc, text) the drawing refused because it holds all the
    // blocks it can: insertions expand no more of them, so a file of nested insertions cannot
    // keep the import going for every element it would have made.
    std::array<bool, 5> m_kindFull{};
    char m_line[kDxfLineMax + 1] = {};
    int m_lineLength = 0;   // of m_line as a C string
    // The bytes the source last gave: positions m_windowStart up to m_windowEnd, and the length
    // of the data then. Lines inside it are read without asking the source again.
    const BYTE* m_window = nullptr;
    int m_windowStart = 0;
    int m_windowEnd = 0;
    int m_windowLength = 0;

    CObArray m_styles;   // CuStyle
    std::unordered_map<std::string, int> m_styleIndex;

    // Collected group values of the pending entity, by group code.
    std::array<CString, 240> m_groups;
    // Codes collected since the groups were last reset: only these can hold a value to empty.
    std::array<bool, 240> m_collected{};
    std::vector<int> m_collectedCodes;
    bool m_defaultsSet = false;   // groups 7, 43, 210, 220 and 230 hold their defaults
    int m_kind = 0;
    int m_blockIndex = -1;
    // Polyline state.
    int m_closed = 0;
    int m_vertex = 0;
    CString m_firstX, m_firstY;
    CString m_prevBulge;
    double m_defaultStartWidth = 0.0, m_defaultEndWidth = 0.0;
    double m_startWidth = 0.0, m_endWidth = 0.0;
    // Block definitions.
    int m_inBlock = 0;
    int m_currentBlock = -1;
    // Set once the current block's first entity starts: from then on the block's own name and
    // base point are settled, and groups of entities the reader does not know are passed over.
    bool m_blockEntitySeen = false;
    int m_importStart = 0;
    std::unordered_map<std::string, int> m_earlierBlocks;   // first of each name, earlier imports
    std::unordered_map<std::string, int> m_importBlocks;    // first of each name, this import
    bool m_sectionSeen = false;
    std::vector<std::pair<CString, int>> m_skipped;
    std::unordered_map<std::string, size_t> m_skippedIndex;
};

// The fixed part of every exported DXF file: the header variables after $CLAYER (constants and
// a few from the current settings and the drawing's scale), and the tables LTYPE, STYLE, VIEW,
// UCS, APPID and DIMSTYLE. The LAYER table and the end of TABLES follow in the writer.
#include "formats/DxfWriter.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "platform/core/File.h"

#include <cstring>
#include <initializer_list>
#include <utility>

namespace {

using Pairs = std::initializer_list<std::pair<const char*, CString>>;

void Put(CStdioFile& f, const CString& text)
{
    WriteDxfLine(f, text);
}

void Pairs_(CStdioFile& f, Pairs pairs)
{
    for (const auto& p : pairs) {
        Put(f, p.first);
        Put(f, p.second);
    }
}

void Variable(CStdioFile& f, const char* name, Pairs pairs)
{
    Put(f, "  9");
    Put(f, name);
    Pairs_(f, pairs);
}

// "0." followed by one "0" per decimal place.
CString ZeroWithDecimals(int decimals)
{
    CString s("0.");
    for (int i = 0; i < decimals; ++i)
        s += '0';
    return s;
}

struct LineTypeEntry {
    const char* name;
    const char* flags;
    const char* description;
    const char* dashCount;
    const char* patternLength;
    std::initializer_list<const char*> dashes;
};

void Table(CStdioFile& f, const char* name, const char* count)
{
    Pairs_(f, {{"  0", "TABLE"}, {"  2", name}, {" 70", count}});
}

} // namespace

void CZelkDoc::WriteDxfFixedHeaderAndTables(CStdioFile& f)
{
    const CZelkApp& app = *g_pApp;
    const double textHeight = app.m_appText.m_heightTenths * 0.1;
    const int color = ColorToDxfIndex(app.m_appElem.m_color);
    const CString colorText = DxfInt6(color);
    const CString rounding = ZeroWithDecimals(app.m_appElem.m_dimDecimals);
    const double scale = m_ratio;

    CString precision = DoubleToString(app.m_appAcc.m_digits2);
    while (precision.GetLength() < 7)
        precision.Insert(0, ' ');

    Variable(f, "$INSBASE", {{" 10", "0.0"}, {" 20", "0.0"}, {" 30", "0.0"}});
    Variable(f, "$ORTHOMODE", {{" 70", "     0"}});
    Variable(f, "$REGENMODE", {{" 70", "     1"}});
    Variable(f, "$FILLMODE", {{" 70", "     1"}});
    Variable(f, "$QTEXTMODE", {{" 70", "     0"}});
    Variable(f, "$MIRRTEXT", {{" 70", "     0"}});
    Variable(f, "$DRAGMODE", {{" 70", "     2"}});
    Variable(f, "$LTSCALE", {{" 40", "1.0"}});
    Variable(f, "$OSMODE", {{" 70", "     0"}});
    Variable(f, "$ATTMODE", {{" 70", "     1"}});
    Variable(f, "$TEXTSIZE", {{" 40", DoubleToString(textHeight)}});
    Variable(f, "$TRACEWID", {{" 40", DoubleToString(app.m_appElem.m_thickWidth * 0.1)}});
    Variable(f, "$TEXTSTYLE", {{"  7", "STANDARD"}});
    Variable(f, "$CELTYPE", {{"  6", DxfLineTypeName(app.m_appElem.m_lineType, "BYLAYER")}});
    Variable(f, "$CECOLOR", {{" 62", colorText}});
    Variable(f, "$DIMSCALE", {{" 40", DoubleToString(scale)}});
    Variable(f, "$DIMASZ", {{" 40", DoubleToString(app.m_appElem.m_arrowLength)}});
    Variable(f, "$DIMEXO", {{" 40", "0.625"}});
    Variable(f, "$DIMDLI", {{" 40", DoubleToString(textHeight)}});
    Variable(f, "$DIMRND", {{" 40", rounding}});
    Variable(f, "$DIMDLE", {{" 40", DoubleToString(app.m_appElem.m_dimExtension)}});
    Variable(f, "$DIMEXE", {{" 40", DoubleToString(app.m_appElem.m_extOvershoot)}});
    Variable(f, "$DIMTP", {{" 40", "0.0"}});
    Variable(f, "$DIMTM", {{" 40", "0.0"}});
    Variable(f, "$DIMTXT", {{" 40", DoubleToString(textHeight)}});
    Variable(f, "$DIMCEN", {{" 40", "2.5"}});
    Variable(f, "$DIMTSZ", {{" 40", "0.0"}});
    Variable(f, "$DIMTOL", {{" 70", "     0"}});
    Variable(f, "$DIMLIM", {{" 70", "     0"}});
    Variable(f, "$DIMTIH", {{" 70", "     0"}});
    Variable(f, "$DIMTOH", {{" 70", "     0"}});
    Variable(f, "$DIMSE1", {{" 70", "     1"}});
    Variable(f, "$DIMSE2", {{" 70", "     1"}});
    Variable(f, "$DIMTAD", {{" 70", "     1"}});
    Variable(f, "$DIMZIN", {{" 70", "     8"}});
    Variable(f, "$DIMBLK", {{"  1", ""}});
    Variable(f, "$DIMASO", {{" 70", "     1"}});
    Variable(f, "$DIMSHO", {{" 70", "     1"}});
    Variable(f, "$DIMPOST", {{"  1", ""}});
    Variable(f, "$DIMAPOST", {{"  1", ""}});
    Variable(f, "$DIMALT", {{" 70", "     0"}});
    Variable(f, "$DIMALTD", {{" 70", "     4"}});
    Variable(f, "$DIMALTF", {{" 40", "0.0394"}});
    Variable(f, "$DIMLFAC", {{" 40", scale != 0.0 ? DoubleToString(1.0 / scale) : CString("1")}});
    Variable(f, "$DIMTOFL", {{" 70", "     1"}});
    Variable(f, "$DIMTVP", {{" 40", "0.0"}});
    Variable(f, "$DIMTIX", {{" 70", "     0"}});
    Variable(f, "$DIMSOXD", {{" 70", "     0"}});
    Variable(f, "$DIMSAH", {{" 70", "     0"}});
    Variable(f, "$DIMBLK1", {{"  1", ""}});
    Variable(f, "$DIMBLK2", {{"  1", ""}});
    Variable(f, "$DIMSTYLE", {{"  2", "STANDARD"}});
    Variable(f, "$DIMCLRD", {{" 70", colorText}});
    Variable(f, "$DIMCLRE", {{" 70", colorText}});
    Variable(f, "$DIMCLRT", {{" 70", colorText}});
    Variable(f, "$DIMTFAC", {{" 40", "1.0"}});
    Variable(f, "$DIMGAP", {{" 40", "0.0"}});
    Variable(f, "$LUNITS", {{" 70", "     2"}});
    Variable(f, "$LUPREC", {{" 70", precision}});
    Variable(f, "$SKETCHINC", {{" 40", "1.0"}});
    Variable(f, "$FILLETRAD", {{" 40", "10.0"}});
    Variable(f, "$AUNITS", {{" 70", "     0"}});
    // An integer variable: independent readers refuse a decimal text here.
    Variable(f, "$AUPREC", {{" 70", "     0"}});
    Variable(f, "$MENU", {{"  1", "ACAD"}});
    Variable(f, "$ELEVATION", {{" 40", "0.0"}});
    Variable(f, "$PELEVATION", {{" 40", "0.0"}});
    Variable(f, "$THICKNESS", {{" 40", "0.0"}});
    Variable(f, "$LIMCHECK", {{" 70", "     0"}});
    Variable(f, "$BLIPMODE", {{" 70", "     0"}});
    Variable(f, "$CHAMFERA", {{" 40", "10.0"}});
    Variable(f, "$CHAMFERB", {{" 40", "10.0"}});
    Variable(f, "$SKPOLY", {{" 70", "     0"}});
    Variable(f, "$ANGBASE", {{" 50", "0.0"}});
    Variable(f, "$ANGDIR", {{" 70", "     0"}});
    Variable(f, "$PDMODE", {{" 70", "     0"}});
    Variable(f, "$PDSIZE", {{" 40", "0.0"}});
    Variable(f, "$PLINEWID", {{" 40", "0.0"}});
    Variable(f, "$COORDS", {{" 70", "     1"}});
    Variable(f, "$SPLFRAME", {{" 70", "     0"}});
    Variable(f, "$SPLINETYPE", {{" 70", "     6"}});
    Variable(f, "$SPLINESEGS", {{" 70", "     8"}});
    Variable(f, "$ATTDIA", {{" 70", "     0"}});
    Variable(f, "$ATTREQ", {{" 70", "     1"}});
    Variable(f, "$SURFTAB1", {{" 70", "     6"}});
    Variable(f, "$SURFTAB2", {{" 70", "     6"}});
    Variable(f, "$SURFTYPE", {{" 70", "     6"}});
    Variable(f, "$SURFU", {{" 70", "     6"}});
    Variable(f, "$SURFV", {{" 70", "     6"}});
    Variable(f, "$UCSNAME", {{"  2", ""}});
    Variable(f, "$UCSORG", {{" 10", "0.0"}, {" 20", "0.0"}, {" 30", "0.0"}});
    Variable(f, "$UCSXDIR", {{" 10", "1.0"}, {" 20", "0.0"}, {" 30", "0.0"}});
    Variable(f, "$UCSYDIR", {{" 10", "0.0"}, {" 20", "1.0"}, {" 30", "0.0"}});
    Variable(f, "$PUCSNAME", {{"  2", ""}});
    Variable(f, "$PUCSORG", {{" 10", "0.0"}, {" 20", "0.0"}, {" 30", "0.0"}});
    Variable(f, "$PUCSXDIR", {{" 10", "1.0"}, {" 20", "0.0"}, {" 30", "0.0"}});
    Variable(f, "$PUCSYDIR", {{" 10", "0.0"}, {" 20", "1.0"}, {" 30", "0.0"}});
    for (int i = 1; i <= 5; ++i)
        Variable(f, FormatString("$USERI%d", i), {{" 70", "     0"}});
    for (int i = 1; i <= 5; ++i)
        Variable(f, FormatString("$USERR%d", i), {{" 40", "0.0"}});
    Variable(f, "$WORLDVIEW", {{" 70", "     1"}});
    Variable(f, "$SHADEDGE", {{" 70", "     3"}});
    Variable(f, "$SHADEDIF", {{" 70", "    70"}});
    Variable(f, "$TILEMODE", {{" 70", "     1"}});
    Variable(f, "$MAXACTVP", {{" 70", "    48"}});
    Variable(f, "$PLIMCHECK", {{" 70", "     0"}});
    Variable(f, "$PEXTMIN", {{" 10", "1.000000E+020"}, {" 20", "1.000000E+020"}, {" 30", "1.000000E+020"}});
    Variable(f, "$PEXTMAX", {{" 10", "-1.000000E+020"}, {" 20", "-1.000000E+020"}, {" 30", "-1.000000E+020"}});
    Variable(f, "$PLIMMIN", {{" 10", "0.0"}, {" 20", "0.0"}});
    Variable(f, "$PLIMMAX", {{" 10", "420.0"}, {" 20", "297.0"}});
    Variable(f, "$UNITMODE", {{" 70", "     0"}});
    Variable(f, "$VISRETAIN", {{" 70", "     1"}});
    Variable(f, "$PLINEGEN", {{" 70", "     0"}});
    Variable(f, "$PSLTSCALE", {{" 70", "     1"}});
    Pairs_(f, {{"  0", "ENDSEC"}, {"  0", "SECTION"}, {"  2", "TABLES"}});

    static const LineTypeEntry lineTypes[] = {
        {"CONTINUOUS", "     0", "_____________", "     0", "0.0", {}},
        {"DASHED", "    64", "__ __ __ __ __  ", "     2", "3.5", {"2.5", "-1.0"}},
        {"CENTER", "    64", "___ . ___ . ___ ", "     4", "10.0", {"7.0", "-1.0", "1.0", "-1.0"}},
        {"PHANTOM", "    64", "___ . . ___ . . ___ ", "     6", "12.0", {"7.0", "-1.0", "1.0", "-1.0", "1.0", "-1.0"}},
        {"DOT", "    64", ". . . . . . . . .    ", "     2", "2.5", {"0.6", "-1.9"}},
    };
    Table(f, "LTYPE", "     5");
    for (const auto& lt : lineTypes) {
        Pairs_(f, {{"  0", "LTYPE"}, {"  2", lt.name}, {" 70", lt.flags}, {"  3", lt.description},
                   {" 72", "    65"}, {" 73", lt.dashCount}, {" 40", lt.patternLength}});
        for (const char* dash : lt.dashes)
            Pairs_(f, {{" 49", dash}});
    }
    Pairs_(f, {{"  0", "ENDTAB"}});

    Table(f, "STYLE", "     1");
    Pairs_(f, {{"  0", "STYLE"}, {"  2", "STANDARD"}, {" 70", "     0"}, {" 40", "0.0"}, {" 41", "1.0"},
               {" 50", "0.0"}, {" 71", "     0"}, {" 42", DoubleToString(textHeight)}, {"  3", "TXT"},
               {"  4", ""}, {"  0", "ENDTAB"}});

    for (const char* empty : {"VIEW", "UCS"}) {
        Table(f, empty, "     0");
        Pairs_(f, {{"  0", "ENDTAB"}});
    }

    Table(f, "APPID", "     1");
    Pairs_(f, {{"  0", "APPID"}, {"  2", "Zelk"}, {" 70", "     0"}, {"  0", "ENDTAB"}});

    Table(f, "DIMSTYLE", "     1");
    Pairs_(f, {{"  0", "DIMSTYLE"}, {"  2", "STANDARD"}, {" 70", "     0"},
               {"  3", ""}, {"  4", ""}, {"  5", ""}, {"  6", ""}, {"  7", ""},
               {" 40", "1.0"}, {" 41", "0.18"}, {" 42", "0.0625"}, {" 43", "0.38"}, {" 44", "0.18"},
               {" 45", "0.0"}, {" 46", "0.0"}, {" 47", "0.0"}, {" 48", "0.0"},
               {"140", "0.18"}, {"141", "0.09"}, {"142", "0.0"}, {"143", "25.4"}, {"144", "1.0"},
               {"145", "0.0"}, {"146", "1.0"}, {"147", "0.09"},
               {" 71", "     0"}, {" 72", "     0"}, {" 73", "     1"}, {" 74", "     1"},
               {" 75", "     0"}, {" 76", "     0"}, {" 77", "     0"}, {" 78", "     0"},
               {"170", "     0"}, {"171", "     2"}, {"172", "     0"}, {"173", "     0"},
               {"174", "     0"}, {"175", "     0"}, {"176", "     0"}, {"177", "     0"},
               {"178", "     0"}, {"  0", "ENDTAB"}});
}

// The definition files read at start-up from the program folder: units, variables and paper
// sheets. A missing file or a faulty line never stops start-up; faults are reported in one
// message per kind, with line numbers counted from 0.
#include "app/ZelkApp.h"

#include "formats/BufferRoutines.h"
#include "geometry/Numeric.h"
#include "macro/BuiltInUnits.h"
#include "macro/MacroVariable.h"
#include "macro/Unit.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"

namespace {

constexpr int kUnitFieldCount = 2 + CUnit::kDimensions;
constexpr int kVariableFieldCount = 5;
constexpr double kPi = 3.141592653589793;

const char kUnitFileMissing[] = "単位定義ファイル ZelkUnit.txt を開けませんでした";
const char kUnitFilePrefix[] = "単位定義ファイル ZelkUnit.txt の ";
const char kUnitBadLines[] =
    "行はパラメータの数が不足か過剰、または比率と次元の項に数値以外の文字が使われています。";
const char kUnitDuplicates[] = "行に重複した単位表記があります。";
const char kVariableFileMissing[] = "変数定義ファイル Variable.txt を開けませんでした";
// The first prefix has always lacked a character; it is kept as users know it.
const char kVariableBadPrefix[] = "変数義ファイル Variable.txt の ";
const char kVariableBadLines[] =
    "行はパラメータの数が不足か過剰、または値に数値以外の文字を使用、または未登録単位が使用されています。";
const char kVariableDuplicatePrefix[] = "変数定義ファイル Variable.txt の ";
const char kVariableDuplicates[] = "行に重複した変数表記があります";
const char kSheetFileMissing[] = "印刷用紙有効範囲定義ファィル ZelSheet.txt を開けませんでした";

// The trimmed line when it carries an entry, with its comments removed; FALSE for empty and
// comment lines.
BOOL EntryText(CString line, CString& entry)
{
    line.Trim();
    if (line.IsEmpty() || line.Left(2) == "//")
        return FALSE;
    entry = StripComments(line);
    return TRUE;
}

CString Field(const CStringArray& fields, int index)
{
    CString f = fields[index];
    f.Trim();
    return f;
}

void ReportLines(const char* prefix, const CDWordArray& lineNumbers, const char* suffix)
{
    if (lineNumbers.GetSize() == 0)
        return;
    CString text = prefix;
    for (int i = 0; i < static_cast<int>(lineNumbers.GetSize()); ++i)
        text += FormatString("%d ", static_cast<int>(lineNumbers[i]));
    text += suffix;
    AfxMessageBox(text);
}

// A message naming a definition file, with the file named by its whole path: a user who is
// told that a file is missing or faulty needs to know which folder it was looked for in.
CString WithWholePath(const char* text, const char* fileName)
{
    CString message = text;
    message.Replace(fileName, ProgramFolder() + fileName);
    return message;
}

const CUnit* FindUnit(const CPtrArray& table, const CString& name)
{
    for (int i = 0; i < static_cast<int>(table.GetSize()); ++i) {
        const CUnit* unit = static_cast<const CUnit*>(table[i]);
        if (unit->name == name)
            return unit;
    }
    return nullptr;
}

BOOL HasVariable(const CPtrArray& table, const CString& name)
{
    for (int i = 0; i < static_cast<int>(table.GetSize()); ++i) {
        if (static_cast<const CMacroVariable*>(table[i])->name == name)
            return TRUE;
    }
    return FALSE;
}

// The messages of one definition file: the missing file, and the prefix and suffix around the
// numbers of its faulty and of its duplicate lines.
struct DefinitionFileTexts {
    const char* missing;
    const char* badPrefix;
    const char* badSuffix;
    const char* duplicatePrefix;
    const char* duplicateSuffix;
};

// Reads a definition file of one entry a line, `fieldCount` comma-separated fields with the
// entry's name first. A line whose name `isDefined` already knows is a duplicate; a line with
// another field count, or whose fields `add` refuses (FALSE), is faulty. Both kinds are
// reported once the whole file is read.
template <class IsDefined, class Add>
void ReadDefinitionFile(const char* fileName, int fieldCount, const DefinitionFileTexts& texts,
                        IsDefined isDefined, Add add)
{
    CStringArray lines;
    if (!ReadTextFileLines(lines, ProgramFolder() + fileName)) {
        AfxMessageBox(WithWholePath(texts.missing, fileName));
        return;
    }
    CDWordArray badLines;
    CDWordArray duplicates;
    CStringArray fields;
    for (int i = 0; i < static_cast<int>(lines.GetSize()); ++i) {
        CString entry;
        if (!EntryText(lines[i], entry))
            continue;
        if (SplitString(entry, ',', fields) != fieldCount) {
            badLines.Add(i);
            continue;
        }
        const CString name = StripComments(fields[0]);
        if (isDefined(name))
            duplicates.Add(i);
        else if (!add(name, fields))
            badLines.Add(i);
    }
    ReportLines(WithWholePath(texts.badPrefix, fileName), badLines, texts.badSuffix);
    ReportLines(WithWholePath(texts.duplicatePrefix, fileName), duplicates, texts.duplicateSuffix);
}

} // namespace

void CZelkApp::BuildUnitTable(BOOL readFile)
{
    AppendBuiltInUnits(m_unitTable);
    if (readFile)
        ReadUnitFile();
    ReadUnitFileLines();
}

void CZelkApp::ReadUnitFile()
{
    const DefinitionFileTexts texts = {kUnitFileMissing, kUnitFilePrefix, kUnitBadLines,
                                       kUnitFilePrefix, kUnitDuplicates};
    ReadDefinitionFile(
        "ZelkUnit.txt", kUnitFieldCount, texts,
        [this](const CString& name) { return FindUnit(m_unitTable, name) != nullptr; },
        [this](const CString& name, const CStringArray& fields) {
            for (int f = 1; f < kUnitFieldCount; ++f) {
                if (!IsNumericText(Field(fields, f)))
                    return FALSE;
            }
            int exponents[CUnit::kDimensions];
            for (int d = 0; d < CUnit::kDimensions; ++d)
                exponents[d] = StringToInt(Field(fields, 2 + d));
            m_unitTable.Add(new CUnit(name, StringToDouble(Field(fields, 1)), exponents));
            return TRUE;
        });
}

void CZelkApp::ReadUnitFileLines()
{
    CStringArray lines;
    if (!ReadTextFileLines(lines, ProgramFolder() + "ZelkUnit.txt")) {
        AfxMessageBox(WithWholePath(kUnitFileMissing, "ZelkUnit.txt"));
        return;
    }
    m_unitFileLines.Add("//角度");
    m_unitFileLines.Add("deg");
    m_unitFileLines.Add("rad");
    CStringArray fields;
    for (int i = 0; i < static_cast<int>(lines.GetSize()); ++i) {
        CString line = lines[i];
        line.Trim();
        if (line.Left(9) == "//Class//") {
            // A class header opens a group: "//Class//" + name is listed as "//" + name.
            const CString header = line.Mid(7);
            m_unitFileLines.Add("");
            m_unitFileLines.Add(header);
            if (header == "//長さ")
                m_unitFileLines.Add("mm");
            continue;
        }
        CString entry;
        if (!EntryText(line, entry))
            continue;
        if (SplitString(entry, ',', fields) >= 1)
            m_unitFileLines.Add(StripComments(fields[0]));
    }
}

void CZelkApp::AddPiConstant()
{
    m_variableTable.Add(new CMacroVariable("pi", kPi, CUnit(), 0, "π"));
}

void CZelkApp::ReadVariableFile()
{
    const DefinitionFileTexts texts = {kVariableFileMissing, kVariableBadPrefix,
                                       kVariableBadLines, kVariableDuplicatePrefix,
                                       kVariableDuplicates};
    ReadDefinitionFile(
        "Variable.txt", kVariableFieldCount, texts,
        [this](const CString& name) { return HasVariable(m_variableTable, name) != FALSE; },
        [this](const CString& name, const CStringArray& fields) {
            const CString value = Field(fields, 1);
            if (!IsNumericText(value))
                return FALSE;
            const CString unitName = Field(fields, 2);
            const CUnit* unit = nullptr;
            if (!unitName.IsEmpty()) {
                unit = FindUnit(m_unitTable, unitName);
                if (!unit)
                    return FALSE;
            }
            m_variableTable.Add(new CMacroVariable(name, StringToDouble(value),
                                                   unit ? *unit : CUnit(),
                                                   Field(fields, 3) == "F" ? 0 : 1,
                                                   Field(fields, 4)));
            return TRUE;
        });
}

void CZelkApp::ReadSheetFile()
{
    CStringArray lines;
    if (!ReadTextFileLines(lines, ProgramFolder() + "ZelSheet.txt")) {
        AfxMessageBox(WithWholePath(kSheetFileMissing, "ZelSheet.txt"));
        return;
    }
    for (int i = 0; i < static_cast<int>(lines.GetSize()); ++i) {
        CString entry;
        if (EntryText(lines[i], entry))
            m_sheetNames.Add(entry);
    }
}

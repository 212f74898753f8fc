// The line command's rubber band: the data of the figure the views draw under the pointer for
// the token string in progress, and the code that names the figure.
#include "commands/line/LineCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/PatternTable.h"
#include "commands/line/LineGuidanceTexts.h"
#include "document/ZelkDoc.h"

int CLineCommand::ShowRubberBand()
{
    CZelkDoc* doc = m_doc;
    if (!doc)
        return 0;
    int single = 0, complete = 0;
    const int position = ClassifyTokens(single, complete);
    if (position >= 0 && position < kPositions)
        doc->m_inputPoint.Assign(m_inputPoints[position]);
    return m_editFlag ? EditPreview() : CreationPreview();
}

int CLineCommand::CreationPreview()
{
    CZelkDoc* doc = m_doc;
    const CString& t = m_tokenString;
    auto point = [&](int i) { return m_inputPoints[i].GetEffective(doc, 1); };
    auto value = [&](int i) { return m_values[i].value; };
    const int last = t.GetLength() - 1;

    if (t == "P") {
        doc->m_previewPointA = point(0);
        return 1;
    }
    if (t == "S") {
        doc->m_previewPointA = point(last);
        return 1;
    }
    if (IsOneOf(t, { "A", "APPP", "APPD" })) {
        doc->m_previewAngle = doc->m_absAngle;
        return 4;
    }
    if (IsOneOf(t, { "PA", "PAP", "AP", "APP" }))
        return 8;
    if (IsOneOf(t, { "SA", "SAN" })) {
        doc->m_previewPointA = point(0);
        doc->m_previewAngle = doc->m_absAngle;
        return 10;
    }
    if (IsOneOf(t, { "SD", "SDN" })) {
        doc->m_previewPointA = point(0);
        doc->m_previewLength = value(1);
        return 11;
    }
    if (IsOneOf(t, { "L", "LN", "LP", "LD", "LNP", "LND" })) {
        doc->m_previewLines[0].Assign(m_pickedLines[0]);
        if (m_macroFlag && (m_macroPattern == "LANP" || m_macroPattern == "LANHP")) {
            doc->m_previewAngle = m_pickedLines[0].AngleDeg() + 90.0;
            return 9;
        }
        return 6;
    }
    if (IsOneOf(t, { "LA", "LAN", "LNA" })) {
        doc->m_previewAngle = value(t == "LNA" ? 2 : 1);
        doc->m_previewLines[0].Assign(m_pickedLines[0]);
        return 9;
    }
    if (IsOneOf(t, { "LNAH", "LANH" })) {
        doc->m_previewPointA = point(3);
        doc->m_previewAngle = value(t == "LNAH" ? 2 : 1);
        return 10;
    }
    if (t == "C") {
        doc->m_previewCircles[0].Assign(m_pickedCircles[0]);
        doc->m_pickPoint1 = m_pickPoints[0];
        return 12;
    }
    if (IsOneOf(t, { "D", "DA", "DP", "DAP", "DL", "DC", "DLL", "DLC", "DCL", "DCC" })) {
        doc->m_previewLength = value(0);
        return 5;
    }
    if (t == "B" || t == "BA") {
        doc->m_previewAngle = t == "B" ? doc->m_relAngle : value(1);
        doc->m_previewPointA = point(0);
        return 42;
    }
    return 0;
}

int CLineCommand::EditPreview()
{
    CZelkDoc* doc = m_doc;
    if (m_editBlock < 0 || m_editSlot < 0)
        return 0;
    const CLine* line = doc->GetLineElem(m_editBlock, m_editSlot);
    if (!line)
        return 0;
    const CString& t = m_tokenString;
    // The cut and the length change show the line's start with the line's direction.
    auto fromStart = [&]() {
        doc->m_previewPointC = line->m_start;
        doc->m_absAngle = line->AngleDeg();
        return 8;
    };
    if (t == "#") {
        if (LineMultiCommand() && IsOneOf(m_modePattern, { "#AP", "#DP", "#Q" }))
            return 0;
        if (LineMultiCommand() && m_modePattern == "#pp")
            return fromStart();
        doc->m_absAngle = line->AngleDeg();
        doc->m_previewAngle = doc->m_absAngle;
        doc->m_previewPointA = m_editPickPosition <= 4 ? line->m_end : line->m_start;
        return 10;
    }
    if (t == "#S" || t == "#E") {
        doc->m_previewPointA = m_inputPoints[t.GetLength() - 1].GetEffective(doc, 1);
        return 1;
    }
    if (t == "#A") {
        doc->m_previewLines[0].Assign(*line);
        return 7;
    }
    if (t == "#D")
        return fromStart();
    if (IsOneOf(t, { "#p", "#l", "#c" })) {
        if (g_pApp)
            g_pApp->ShowMessage(LineTexts::kCutModeMessage, 0);
        return fromStart();
    }
    return 0;
}

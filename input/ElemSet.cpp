// CElemSet: the new texts waiting to be placed.
#include "input/ElemSet.h"

#include "elements/Text.h"

CElemSet::CElemSet() : angle(0.0), scale(1.0), operationCount(1), textsLaidOut(0)
{
}

CElemSet::~CElemSet()
{
    Clear();
}

void CElemSet::Clear()
{
    for (int i = 0; i < texts.GetSize(); ++i)
        delete static_cast<CText*>(texts[i]);
    texts.RemoveAll();
    basePoint.Init(0.0, 0.0);
    angle = 0.0;
    scale = 1.0;
    operationCount = 1;
    linePitch.Init(0.0, 0.0);
    textsLaidOut = 0;
}

void CElemSet::AddTextLines(const CStringArray& lines)
{
    for (int i = 0; i < lines.GetSize(); ++i) {
        auto* text = new CText;
        text->m_text = lines[i];
        text->m_point.Init(basePoint.m_x + i * linePitch.m_x, basePoint.m_y + i * linePitch.m_y);
        texts.Add(text);
    }
    textsLaidOut = 1;
}

// The log of the elements created by the running operation of a drawing.
#include "document/CreationLog.h"

CCreationLog::CCreationLog(CZelkDoc* doc, int penCount, int fontCount)
    : m_doc(doc), m_penCount(penCount), m_fontCount(fontCount)
{
}

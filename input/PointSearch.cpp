// The snap-point search of a drawing.
#include "input/PointSearch.h"

CPointSearch::CPointSearch(CZelkDoc* doc) : m_doc(doc) {}

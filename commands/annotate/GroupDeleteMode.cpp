// The group-delete command of a drawing.
#include "commands/annotate/GroupDeleteMode.h"

CGroupDeleteMode::CGroupDeleteMode(CZelkDoc* doc) : m_doc(doc) {}

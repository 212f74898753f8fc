// Holds the group-delete prompt of a drawing.
#include "commands/annotate/GroupModeHelper.h"

CGroupModeHelper::CGroupModeHelper(CZelkDoc* doc)
    : m_doc(doc), m_prompt("[群削除] 要素を選択 or DEL or 操作戻りでモード解除")
{
}

// The chain of nested groups above an element and its trimming by the group-selection
// settings: what every element's selection asks of the document.
#include <vector>

#include "document/ZelkDoc.h"
#include "elements/ElementSettings.h"
#include "elements/Group.h"

int CZelkDoc::GetGroupChain(int group, CWordArray& chain)
{
    if (group < 0 || group >= m_groups.GetSize())
        return 0;
    chain.Add(static_cast<WORD>(group));
    int current = group;
    for (int step = 0; step < 10; step++) {
        const int parent = GetGroup(current)->m_parent;
        if (parent == -1)
            break;
        // A parent beyond the list is looked at again until the steps are used up.
        if (parent < 0 || parent >= m_groups.GetSize())
            continue;
        chain.InsertAt(0, static_cast<WORD>(parent));
        current = parent;
    }
    return 1;
}

void CZelkDoc::FilterGroupChain(std::int16_t& verdict, CWordArray& chain)
{
    const int plainSetting = GroupSelectionSetting();
    const int dimensionSetting = DimensionSelectionSetting();
    std::vector<bool> remove(static_cast<size_t>(chain.GetSize()), false);
    int kept = 0;
    for (int i = 0; i < chain.GetSize(); i++) {
        CGroup* group = GetGroup(chain.GetAt(i));
        const int kind = group != nullptr ? group->m_kind : -1;
        const bool plain = kind == CGroup::KIND_PLAIN;
        const bool dimension = kind >= CGroup::KIND_LINEAR && kind <= CGroup::KIND_BALLOON;
        if (kind == CGroup::KIND_NOTATION) {
            verdict = 1;
            continue;
        }
        if (!plain && !dimension)
            continue;
        const int setting = plain ? plainSetting : dimensionSetting;
        if (setting == 1) {
            verdict = 1;
            if (plain)
                kept++;
        } else if (setting == 2) {
            // A plain group is given up for its members only at the innermost level.
            if (kept == 0 && (!plain || i == chain.GetSize() - 1)) {
                chain.RemoveAll();
                return;
            }
            remove[static_cast<size_t>(i)] = true;
        } else if (setting == 3) {
            if (kept == 0) {
                chain.RemoveAll();
                verdict = 0;
                return;
            }
            remove[static_cast<size_t>(i)] = true;
        }
    }
    for (int i = chain.GetSize() - 1; i >= 0; i--)
        if (remove[static_cast<size_t>(i)])
            chain.RemoveAt(i);
}

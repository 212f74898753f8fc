// The drawing document: owner of the attribute tables, the groups, the element blocks of every
// kind and the undo history. For now it holds only what the element classes use: the tables
// and block lists, the group chain of an element and its trimming by the selection settings.
#pragma once

#include <cstdint>

#include "platform/core/Arrays.h"

class CUndoHistory;

class CZelkDoc {
public:
    CObArray m_colors;        // CColor
    CObArray m_pens;          // CTypePen
    CObArray m_fonts;         // CTypeFont
    CObArray m_groups;        // CGroup; a group's number is its index here
    CObArray m_layers;        // CLayer
    CObArray m_attrStrings;   // CDataString
    CObArray m_pointBlocks;   // CDataPoints
    CObArray m_lineBlocks;    // CLines
    CObArray m_circleBlocks;  // CCircles
    CObArray m_arcBlocks;     // CArcs
    CObArray m_textBlocks;    // CTexts
    CObArray m_conicBlocks;   // CConics
    CObArray m_curveBlocks;   // CCurves
    CUndoHistory* m_undoHistory;

    CZelkDoc();
    CZelkDoc(const CZelkDoc&) = delete;
    CZelkDoc& operator=(const CZelkDoc&) = delete;
    virtual ~CZelkDoc();

    // Appends the group and its ancestors (at most 10 parent steps), outermost first; 0 for a
    // number outside the group list.
    int GetGroupChain(int group, CWordArray& chain);
    // Trims the chain by the group-selection settings; verdict becomes 1 (take the groups
    // left), 0 (take nothing) or stays (take the element alone).
    void FilterGroupChain(std::int16_t& verdict, CWordArray& chain);

    // Frees every table, group and block.
    void DeleteContents();
};

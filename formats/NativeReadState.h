// What one read of a native drawing file keeps besides the document: the translation of the
// file's layer, pen, font, attribute-string and group numbers to the document's, and where the
// document's contents stood before the read, so that only what the read added is linked up.
#pragma once

#include <cstdint>
#include <vector>

struct CNativeReadState {
    std::vector<std::int16_t> m_layerMap;
    std::vector<std::int16_t> m_penMap;
    std::vector<std::int16_t> m_fontMap;
    // File string number -> document string number, -1 when the entry added none.
    std::vector<int> m_stringMap;
    // Groups and placed objects the document held before the read: the file's group numbers
    // are offset by the first.
    int m_groupBase = 0;
    int m_objectBase = 0;
    // Used-slot counts of the document's blocks before the read, per block array in the order
    // points, lines, circles, arcs, conics, curves, texts.
    std::vector<int> m_blockCounts[7];
};

// Seeded mutation run over the element block archives: whatever the bytes, loading a block
// either succeeds or throws the archive exception; it never reads or allocates out of bounds.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "tests/elements/ElementTestSupport.h"
#include "tests/fuzz/FuzzKnobs.h"

namespace {

// A block with some slots in use, attribute lists, texts and curve points, so that the
// mutations reach every kind of field.
Bytes Seed(const std::function<CObject*()>& make)
{
    std::unique_ptr<CObject> block(make());
    if (auto* curves = dynamic_cast<CCurves*>(block.get())) {
        curves->m_count = 2;
        CPointD p;
        for (int i = 0; i < 4; i++)
            curves->m_slots[1].m_points.push_back(p.Init(i, i * i));
        curves->m_slots[1].m_attrStrings.Add(3);
    } else if (auto* texts = dynamic_cast<CTexts*>(block.get())) {
        texts->m_count = 3;
        texts->m_slots[2].m_text = "寸法値 12.5";
        texts->m_slots[2].m_attrStrings.Add(1);
    } else if (auto* lines = dynamic_cast<CLines*>(block.get())) {
        lines->m_count = 1;
        lines->m_slots[0].m_attrStrings.Add(0);
        lines->m_slots[0].m_attrStrings.Add(7);
    }
    return StoreBytes(*block);
}

}  // namespace

TEST(ElementArchiveFuzz, MutatedBlocksLoadOrThrowTheArchiveException)
{
    const std::vector<std::function<CObject*()>> makers = {
        [] { return new CDataPoints; }, [] { return new CLines; },  [] { return new CCircles; },
        [] { return new CArcs; },       [] { return new CConics; }, [] { return new CCurves; },
        [] { return new CTexts; },      [] { return new CTypeFont; },
    };
    std::mt19937 random(fuzz_knobs::Seed(20261210));
    for (const auto& make : makers) {
        const Bytes seed = Seed(make);
        for (int round = 0; round < fuzz_knobs::Rounds(200); round++) {
            Bytes bytes = seed;
            const int edits = 1 + static_cast<int>(random() % 8);
            for (int e = 0; e < edits; e++) {
                const size_t at = random() % bytes.size();
                switch (random() % 4) {
                case 0: bytes[at] = static_cast<std::uint8_t>(random()); break;
                case 1: bytes[at] = 0xFF; break;
                case 2: bytes.resize(at + 1); break;   // cut short
                default: bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
                }
            }
            std::unique_ptr<CObject> block(make());
            try {
                LoadBytes(*block, bytes);
            } catch (const CArchiveException&) {
            }
        }
    }
}

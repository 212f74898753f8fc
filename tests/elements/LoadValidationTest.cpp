// What loading refuses: counts outside the blocks, counts beyond the data, and indices outside
// the document's tables. Each refusal is the archive exception, so an open fails with its
// message instead of reading past a block or reserving memory for data that is not there.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curve.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "tests/elements/ElementTestSupport.h"

TEST(LoadValidation, UsedCountOutsideTheBlockIsRefused)
{
    struct Case {
        const char* name;
        std::function<CObject*()> make;
        int lead;        // bytes before the used count
        int capacity;
    };
    const std::vector<Case> cases = {
        {"points", [] { return new CDataPoints; }, 0, 100},
        {"lines", [] { return new CLines; }, 1, 100},
        {"circles", [] { return new CCircles; }, 0, 100},
        {"arcs", [] { return new CArcs; }, 0, 100},
        {"texts", [] { return new CTexts; }, 0, 10},
        {"ellipses", [] { return new CConics; }, 0, 10},
        {"curves", [] { return new CCurves; }, 0, 10},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CObject> block(c.make());
        const Bytes good = StoreBytes(*block);
        for (int count : {c.capacity + 1, -1, 32767}) {
            Bytes bad = good;
            bad[c.lead] = static_cast<std::uint8_t>(count & 0xFF);
            bad[c.lead + 1] = static_cast<std::uint8_t>((count >> 8) & 0xFF);
            std::unique_ptr<CObject> loaded(c.make());
            EXPECT_THROW(LoadBytes(*loaded, bad), CArchiveException) << c.name << " " << count;
        }
        Bytes full = good;
        full[c.lead] = static_cast<std::uint8_t>(c.capacity);
        std::unique_ptr<CObject> loaded(c.make());
        EXPECT_NO_THROW(LoadBytes(*loaded, full)) << c.name;
    }
}

TEST(LoadValidation, CountsBeyondTheRemainingBytesEndInTheArchiveException)
{
    // A curve claiming 2^31 points, and an attribute list claiming 2^31 entries, each followed
    // by a single point's worth of bytes.
    const Bytes curve = Packer().U8(1).U8(0).U8(1).I16(0).I16(-1).I16(0).I16(0xFFFF)
                            .I32(0x7FFFFFFF).Point(1, 2).bytes;
    CCurve loadedCurve;
    EXPECT_THROW(LoadBytes(loadedCurve, curve), CArchiveException);

    const Bytes list = Packer().U8(1).U8(0).Point(1, 2).I16(0).I16(-1).I16(0).I16(0xFFFF)
                           .I32(0x7FFFFFFF).I16(1).I16(2).bytes;
    CDataPoint loadedPoint;
    EXPECT_THROW(LoadBytes(loadedPoint, list), CArchiveException);
}

TEST(LoadValidation, IndicesAreCheckedAgainstTheTables)
{
    // Tables of 2 pens, 3 layers, 4 groups and 5 attribute strings.
    struct Case {
        const char* name;
        std::function<void(CLines&)> damage;
        bool valid;
    };
    const std::vector<Case> cases = {
        {"defaults", [](CLines&) {}, true},
        {"last of each table", [](CLines& b) {
             b.m_pen = 1; b.m_slots[0].m_layer = 2; b.m_slots[0].m_group = 3;
             b.m_slots[0].m_attrStrings.Add(4);
         }, true},
        {"pen beyond", [](CLines& b) { b.m_pen = 2; }, false},
        {"negative pen", [](CLines& b) { b.m_pen = -1; }, false},
        {"layer beyond", [](CLines& b) { b.m_slots[1].m_layer = 3; }, false},
        {"negative layer", [](CLines& b) { b.m_slots[0].m_layer = -1; }, false},
        {"group beyond", [](CLines& b) { b.m_slots[0].m_group = 4; }, false},
        {"group -2", [](CLines& b) { b.m_slots[0].m_group = -2; }, false},
        {"attribute beyond", [](CLines& b) { b.m_slots[1].m_attrStrings.Add(5); }, false},
        {"unused slot is not looked at", [](CLines& b) { b.m_slots[2].m_layer = 99; }, true},
    };
    for (const Case& c : cases) {
        CLines block;
        block.m_count = 2;
        c.damage(block);
        if (c.valid)
            EXPECT_NO_THROW(block.CheckIndices(2, 3, 4, 5)) << c.name;
        else
            EXPECT_THROW(block.CheckIndices(2, 3, 4, 5), CArchiveException) << c.name;
    }
}

TEST(LoadValidation, EveryBlockKindChecksItsSlots)
{
    CDataPoints points;
    points.m_count = 1;
    points.m_slots[0].m_layer = 7;
    EXPECT_THROW(points.CheckIndices(1, 1, 0, 0), CArchiveException);
    CCircles circles;
    circles.m_count = 1;
    circles.m_slots[0].m_group = 0;
    EXPECT_THROW(circles.CheckIndices(1, 1, 0, 0), CArchiveException);
    CArcs arcs;
    arcs.m_count = 1;
    arcs.m_slots[0].m_attrStrings.Add(0);
    EXPECT_THROW(arcs.CheckIndices(1, 1, 0, 0), CArchiveException);
    CTexts texts;
    texts.m_pen = 1;
    EXPECT_THROW(texts.CheckIndices(1, 1, 0, 0), CArchiveException);
    CConics conics;
    conics.m_count = 10;
    conics.m_slots[9].m_layer = 1;
    EXPECT_THROW(conics.CheckIndices(1, 1, 0, 0), CArchiveException);
    CCurves curves;
    curves.m_count = 1;
    EXPECT_NO_THROW(curves.CheckIndices(1, 1, 0, 0));
}

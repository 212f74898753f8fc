// Reading the lines of a DXF buffer: every line, position and line end on seeded buffers full of
// CR, LF, NUL and other control bytes, short and overlong lines, agrees with the plain form of the
// reader (two searches for the line ends, then a copy).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "formats/DxfReader.h"
#include "tests/formats/GeneratedDxf.h"

namespace {

int ReferenceReadLine(const BYTE* data, int length, int& position, char* line)
{
    const int start = position < 0 ? 0 : position;
    const int available = length > start ? length - start : 0;
    const BYTE* from = data + (available > 0 ? start : 0);
    const int window = available < kDxfLineMax + 1 ? available : kDxfLineMax + 1;
    const void* lf = window > 0 ? std::memchr(from, '\n', static_cast<size_t>(window)) : nullptr;
    const int lfAt = lf ? static_cast<int>(static_cast<const BYTE*>(lf) - from) : window;
    const void* cr = lfAt > 0 ? std::memchr(from, '\r', static_cast<size_t>(lfAt)) : nullptr;
    const int end = cr ? static_cast<int>(static_cast<const BYTE*>(cr) - from) : lfAt;
    if (end < window) {
        std::memcpy(line, from, static_cast<size_t>(end));
        line[end] = '\0';
        const int p = start + end;
        position = (cr && (end + 1 >= available || from[end + 1] == '\n')) ? p + 2 : p + 1;
        return 1;
    }
    const int copied = window < kDxfLineMax ? window : kDxfLineMax;
    if (copied > 0)
        std::memcpy(line, from, static_cast<size_t>(copied));
    line[copied] = '\0';
    position = window < kDxfLineMax ? length + 2 : start + 1023 + 2;
    return 0;
}

// A buffer of runs: ordinary text, line ends of every kind, NUL and other control bytes, and now
// and then a run longer than the longest line.
std::vector<BYTE> SeededBuffer(gendxf::Sequence& seq)
{
    static const BYTE kControls[] = {'\r', '\n', '\0', '\t', 0x0B, 0x0C, 0x0E, 0x01, 0x80, 0xFF};
    std::vector<BYTE> data;
    const int runs = seq.Below(200);
    for (int r = 0; r < runs; ++r) {
        const int kind = seq.Below(10);
        const int n = kind == 0 ? 1000 + seq.Below(100) : seq.Below(kind < 5 ? 16 : 40);
        for (int i = 0; i < n; ++i)
            data.push_back(static_cast<BYTE>(' ' + seq.Below(95)));
        const int ends = seq.Below(3);
        for (int i = 0; i < ends; ++i)
            data.push_back(kControls[seq.Below(static_cast<int>(std::size(kControls)))]);
    }
    return data;
}

}  // namespace

TEST(DxfLineReading, LinesPositionsAndTextLengthsMatchThePlainReader)
{
    gendxf::Sequence seq(2026);
    char line[kDxfLineMax + 1];
    char expected[kDxfLineMax + 1];
    char shortLine[kDxfLineMax + 1];
    long lines = 0;
    long shortLines = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::vector<BYTE> data = SeededBuffer(seq);
        const int length = static_cast<int>(data.size());
        int position = 0;
        int expectedPosition = 0;
        for (;;) {
            const int start = position;
            int textLength = -1;
            const int got = ReadDxfLine(data.data(), length, position, line, &textLength);
            const int want = ReferenceReadLine(data.data(), length, expectedPosition, expected);
            ASSERT_EQ(got, want) << round << " at " << expectedPosition;
            ASSERT_EQ(position, expectedPosition) << round;
            ASSERT_STREQ(line, expected) << round;
            ASSERT_EQ(textLength, static_cast<int>(std::strlen(expected))) << round;
            // The reading of the common short line, where it takes the line, reads it alike.
            int shortPosition = -1;
            int shortLength = -1;
            if (start >= 0 && length - start >= 24 &&
                ReadShortDxfLine(data.data() + start, start, shortPosition, shortLine, shortLength)) {
                ++shortLines;
                ASSERT_EQ(got, 1) << round << " at " << start;
                ASSERT_EQ(shortPosition, position) << round << " at " << start;
                ASSERT_STREQ(shortLine, line) << round << " at " << start;
                ASSERT_EQ(shortLength, textLength) << round << " at " << start;
            }
            ++lines;
            if (!got && position > length)
                break;
        }
    }
    EXPECT_GT(lines, 50000);
    EXPECT_GT(shortLines, 5000);
}

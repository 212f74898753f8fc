// Archive forms of points and rectangles: raw little-endian doubles, every bit pattern kept.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "tests/geometry/Shapes.h"

namespace {

void PackDouble(std::vector<BYTE>& out, double v)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) {
        out.push_back(static_cast<BYTE>(bits >> (8 * i)));
    }
}

std::vector<BYTE> Contents(CMemFile& file)
{
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    return bytes;
}

bool SameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

TEST(ArchiveForms, PointAndRectangleBytesAndRoundTrip)
{
    const double nanWithPayload = std::bit_cast<double>(std::uint64_t{0x7FF8000000000123});
    CPointD p = P(-0.0, nanWithPayload);
    CRectD r = R(1.5, std::numeric_limits<double>::infinity(), -1e-310, 123456.789);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        StorePointD(ar, p);
        StoreRectD(ar, r);
        ar.Close();
    }
    std::vector<BYTE> expected;
    for (double v : {-0.0, nanWithPayload, 1.5, std::numeric_limits<double>::infinity(), -1e-310, 123456.789}) {
        PackDouble(expected, v);
    }
    EXPECT_EQ(Contents(file), expected);

    CPointD q = P(7, 7);
    CRectD s;
    {
        CArchive ar(&file, CArchive::load);
        LoadPointD(ar, q);
        LoadRectD(ar, s);
    }
    EXPECT_TRUE(SameBits(q.m_x, -0.0));
    EXPECT_TRUE(SameBits(q.m_y, nanWithPayload));
    EXPECT_TRUE(SameBits(s.m_left, 1.5));
    EXPECT_TRUE(SameBits(s.m_top, std::numeric_limits<double>::infinity()));
    EXPECT_TRUE(SameBits(s.m_right, -1e-310));
    EXPECT_TRUE(SameBits(s.m_bottom, 123456.789));
}

TEST(ArchiveForms, ShortDataIsAnArchiveError)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << 2.0;
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CPointD q;
    EXPECT_THROW(LoadPointD(ar, q), CArchiveException);
}

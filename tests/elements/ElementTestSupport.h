// Helpers of the element tests: golden bytes packed from the described layouts, archiving an
// object to bytes and back, and a document with blocks filled by hand.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/Object.h"

typedef std::vector<std::uint8_t> Bytes;

// Little-endian packing of the archive primitives, independent of the code under test.
class Packer {
public:
    Bytes bytes;

    Packer& U8(unsigned v) { bytes.push_back(static_cast<std::uint8_t>(v)); return *this; }
    Packer& I16(int v) { return Raw(static_cast<std::uint16_t>(v), 2); }
    Packer& I32(long long v) { return Raw(static_cast<std::uint32_t>(v), 4); }
    Packer& F64(double v)
    {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        return Raw(u, 8);
    }
    Packer& Point(double x, double y) { return F64(x).F64(y); }
    // A string under 255 bytes: one length byte, then the bytes.
    Packer& Str(const std::string& s)
    {
        U8(static_cast<unsigned>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Packer& List(const std::vector<int>& entries)
    {
        I16(static_cast<int>(entries.size()));
        for (int e : entries)
            I16(e);
        return *this;
    }
    Packer& Append(const Bytes& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }

private:
    Packer& Raw(std::uint64_t v, int n)
    {
        for (int i = 0; i < n; i++)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
};

// The bytes an object's Serialize writes.
inline Bytes StoreBytes(CObject& object)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    Bytes bytes(file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Loads the object from the bytes; returns the number of bytes left unread.
inline int LoadBytes(CObject& object, const Bytes& bytes)
{
    Bytes copy = bytes;
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
    ar.Flush();
    return static_cast<int>(file.GetLength() - file.GetPosition());
}

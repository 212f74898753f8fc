// Free functions shared by the file formats and the text features: splitting a line, writing
// and reading binary fields in a memory buffer, reading lines from a buffer, and whole text files
// as lists of lines.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>
#include <cstring>

class CStringArray;

// Splits text at separator into out (emptied first); returns the number of items. With TAB,
// leading TABs and runs of TABs give no empty items; other separators keep empty items.
int SplitString(const CString& text, char separator, CStringArray& out);

// Buffer writers. Without a buffer nothing is stored; with one, the bytes are stored when they
// fit within the capacity. Either way the position advances by the byte count, so a caller runs
// the same calls once without a buffer to learn the size, then once with it.
void PutLine(int capacity, BYTE* buffer, const CString& text, int& position);
void PutText(int capacity, BYTE* buffer, const CString& text, int& position);
inline void PutByte(int capacity, BYTE* buffer, BYTE value, int& position);
inline void PutInt16(int capacity, BYTE* buffer, std::int16_t value, int& position);
inline void PutInt32(int capacity, BYTE* buffer, std::int32_t value, int& position);
inline void PutDouble(int capacity, BYTE* buffer, double value, int& position);
inline void PutPoint(int capacity, BYTE* buffer, const CPointD& value, int& position);
// Writes 2 bytes at an earlier position; the write position is not an argument.
inline void PatchInt16(int capacity, BYTE* buffer, std::int16_t value, int at);

// Buffer readers over data of the given length. A read that would pass the end reads nothing,
// returns 0 and leaves the position past the end (length + 1), so that a caller tells damaged
// data by `position > length` after any number of reads.
inline BYTE GetByte(const BYTE* data, int length, int& position);
inline std::int16_t GetInt16(const BYTE* data, int length, int& position);
inline std::int32_t GetInt32(const BYTE* data, int length, int& position);
inline double GetDouble(const BYTE* data, int length, int& position);
void GetBytes(const BYTE* data, int length, int& position, void* destination, int count);
CString GetText(const BYTE* data, int length, int& position, int count);

// Appends a line feed to a NUL-terminated character buffer.
void AppendLineFeed(char* buffer);

// Copies a line (up to CR, at most 1023 bytes) from data at position into a 1024-byte buffer;
// 1 when a CR ended it (the position then skips the CR and the byte after it), else 0.
int ReadBufferLine(const BYTE* data, int length, int& position, char* line);
int ReadBufferLineString(const BYTE* data, int length, int& position, CString& line);

// Whole text files as lists of lines; 1 on success, 0 on any file error (lines handled until
// then stay). Writing stores each line's first 1022 bytes and CR LF.
int ReadTextFileLines(CStringArray& lines, const CString& path);
int WriteTextFileLines(const CStringArray& lines, const CString& path);

// The backup copy of a file about to be overwritten: plan.zel keeps its old content as
// plan-Back.zel. The file itself stays where it is, so that the write that follows replaces it
// with its permission bits and through a symbolic link, and refuses it when it is read-only.
// The copy replaces the previous backup only once it is written whole; when it cannot be, the
// previous backup stays and the user is told. 0 then, else 1 (also when there is no file yet).
int MakeBackupCopy(const CString& path);

// ---- the fixed-size fields, written and read in place: a drawing file has millions of them.

namespace buffer_detail {

// A write of n bytes fits when it ends at or before the capacity. (Ending exactly at the
// capacity is a fit: the size pass asked for exactly that many bytes.)
inline bool Fits(int capacity, const BYTE* buffer, int position, int n)
{
    return buffer && position >= 0 && n >= 0 && static_cast<long long>(position) + n <= capacity;
}

template <typename T>
inline void PutValue(int capacity, BYTE* buffer, T value, int& position)
{
    // The host is little-endian, as the format is.
    if (Fits(capacity, buffer, position, static_cast<int>(sizeof(T))))
        std::memcpy(buffer + position, &value, sizeof(T));
    position += static_cast<int>(sizeof(T));
}

template <typename T>
inline T GetValue(const BYTE* data, int length, int& position)
{
    T value{};
    if (position < 0 || static_cast<long long>(position) + static_cast<long long>(sizeof(T)) > length) {
        position = length + 1;
        return value;
    }
    std::memcpy(&value, data + position, sizeof(T));
    position += static_cast<int>(sizeof(T));
    return value;
}

}  // namespace buffer_detail

inline void PutByte(int capacity, BYTE* buffer, BYTE value, int& position)
{
    buffer_detail::PutValue(capacity, buffer, value, position);
}

inline void PutInt16(int capacity, BYTE* buffer, std::int16_t value, int& position)
{
    buffer_detail::PutValue(capacity, buffer, value, position);
}

inline void PutInt32(int capacity, BYTE* buffer, std::int32_t value, int& position)
{
    buffer_detail::PutValue(capacity, buffer, value, position);
}

inline void PutDouble(int capacity, BYTE* buffer, double value, int& position)
{
    buffer_detail::PutValue(capacity, buffer, value, position);
}

inline void PutPoint(int capacity, BYTE* buffer, const CPointD& value, int& position)
{
    buffer_detail::PutValue(capacity, buffer, value.m_x, position);
    buffer_detail::PutValue(capacity, buffer, value.m_y, position);
}

inline void PatchInt16(int capacity, BYTE* buffer, std::int16_t value, int at)
{
    int position = at;
    buffer_detail::PutValue(capacity, buffer, value, position);
}

inline BYTE GetByte(const BYTE* data, int length, int& position)
{
    return buffer_detail::GetValue<BYTE>(data, length, position);
}

inline std::int16_t GetInt16(const BYTE* data, int length, int& position)
{
    return buffer_detail::GetValue<std::int16_t>(data, length, position);
}

inline std::int32_t GetInt32(const BYTE* data, int length, int& position)
{
    return buffer_detail::GetValue<std::int32_t>(data, length, position);
}

inline double GetDouble(const BYTE* data, int length, int& position)
{
    return buffer_detail::GetValue<double>(data, length, position);
}

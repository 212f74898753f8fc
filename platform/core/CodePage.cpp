// Code page conversion over the C library's iconv, one converter per direction and thread.
#include "platform/core/CodePage.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <stdexcept>

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // A character that cannot be converted is replaced once and skipped; unitLength tells how
    // many input bytes it takes.
    std::string Run(const char* in, size_t inLen, size_t (*unitLength)(const unsigned char*, size_t),
                    std::string_view replacement)
    {
        std::string out;
        out.reserve(inLen * 2 + 8);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buf[1024];
        char* src = const_cast<char*>(in);
        size_t left = inLen;
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            size_t r = iconv(m_cd, &src, &left, &dst, &room);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (cut short at the end): replace one unit and go on.
            out.append(replacement);
            size_t skip = unitLength(reinterpret_cast<const unsigned char*>(src), left);
            if (skip == 0 || skip > left)
                skip = left < 1 ? left : 1;
            src += skip;
            left -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buf;
        size_t room = sizeof buf;
        iconv(m_cd, nullptr, nullptr, &dst, &room);
        out.append(buf, static_cast<size_t>(dst - buf));
        return out;
    }

private:
    iconv_t m_cd;
};

Converter& Cp932ToUtf8Converter()
{
    thread_local Converter c("UTF-8", "CP932");
    return c;
}
Converter& Utf8ToCp932Converter()
{
    thread_local Converter c("CP932", "UTF-8");
    return c;
}
Converter& Cp932ToUtf16Converter()
{
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}
Converter& Utf16ToCp932Converter()
{
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

size_t OneByte(const unsigned char*, size_t)
{
    return 1;
}

// A well-formed UTF-8 sequence counts as one character; a stray byte as one on its own.
size_t Utf8Unit(const unsigned char* p, size_t left)
{
    size_t n = 1;
    if (p[0] >= 0xC2 && p[0] <= 0xDF)
        n = 2;
    else if (p[0] >= 0xE0 && p[0] <= 0xEF)
        n = 3;
    else if (p[0] >= 0xF0 && p[0] <= 0xF4)
        n = 4;
    if (n > left)
        return 1;
    for (size_t i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 1;
    return n;
}

// A surrogate pair counts as one character.
size_t Utf16Unit(const unsigned char* p, size_t left)
{
    if (left >= 4) {
        unsigned hi = p[0] | (p[1] << 8);
        unsigned lo = p[2] | (p[3] << 8);
        if (hi >= 0xD800 && hi <= 0xDBFF && lo >= 0xDC00 && lo <= 0xDFFF)
            return 4;
    }
    return 2;
}

const char kUtf8Replacement[] = "\xEF\xBF\xBD";
const char kUtf16Replacement[] = "\xFD\xFF"; // U+FFFD, little-endian

std::u16string FromUtf16Bytes(const std::string& bytes)
{
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return out;
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932)
{
    return Cp932ToUtf8Converter().Run(cp932.data(), cp932.size(), OneByte, kUtf8Replacement);
}

std::string Utf8ToCp932(std::string_view utf8)
{
    return Utf8ToCp932Converter().Run(utf8.data(), utf8.size(), Utf8Unit, "?");
}

std::u16string Cp932ToUtf16(std::string_view cp932)
{
    return FromUtf16Bytes(
        Cp932ToUtf16Converter().Run(cp932.data(), cp932.size(), OneByte, std::string_view(kUtf16Replacement, 2)));
}

std::string Utf16ToCp932(std::u16string_view utf16)
{
    std::string bytes(utf16.size() * 2, '\0');
    for (size_t i = 0; i < utf16.size(); ++i) {
        bytes[2 * i] = static_cast<char>(utf16[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(utf16[i] >> 8);
    }
    return Utf16ToCp932Converter().Run(bytes.data(), bytes.size(), Utf16Unit, "?");
}

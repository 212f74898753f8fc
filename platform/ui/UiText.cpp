// iconv-based Shift-JIS conversion of the window layer.
#include "platform/ui/UiText.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

std::string Convert(const char* to, const char* from, const char* text, size_t length)
{
    std::string out;
    if (length == 0)
        return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(text, length);
    out.resize(length * 4 + 16);
    char* in = const_cast<char*>(text);
    size_t inLeft = length;
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // An unconvertible or cut-off sequence: replace one byte and go on.
        if (outLeft == 0) {
            size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            outLeft = out.size() - used;
        }
        *dst++ = '?';
        --outLeft;
        ++in;
        --inLeft;
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    iconv_close(cd);
    return out;
}

} // namespace

std::string UiCp932ToUtf8(const char* text, int length)
{
    if (!text)
        return std::string();
    size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    return Convert("UTF-8", "CP932", text, n);
}

CString UiUtf8ToCp932(const std::string& utf8)
{
    return CString(Convert("CP932", "UTF-8", utf8.data(), utf8.size()));
}

std::string UiPathToFs(const char* path)
{
    if (!path)
        return std::string();
    // The second byte of a double-byte character may be 0x5C; only a single-byte '\' separates.
    std::string mapped;
    int n = static_cast<int>(std::strlen(path));
    for (int i = 0; i < n; ++i) {
        int len = MbCharLength(path, i, n);
        if (len == 1 && path[i] == '\\')
            mapped += '/';
        else
            mapped.append(path + i, static_cast<size_t>(len));
        i += len - 1;
    }
    return UiCp932ToUtf8(mapped.c_str(), static_cast<int>(mapped.size()));
}

CString UiPathFromFs(const std::string& utf8)
{
    CString s = UiUtf8ToCp932(utf8);
    std::string out = s.Std();
    for (size_t i = 0; i < out.size(); ++i) {
        int len = MbCharLength(out.data(), static_cast<int>(i), static_cast<int>(out.size()));
        if (len == 1 && out[i] == '/')
            out[i] = '\\';
        i += static_cast<size_t>(len - 1);
    }
    return CString(out);
}

// The Windows C runtime's number, path, folder and file-finding forms over the C library here.
#include "platform/core/Runtime.h"

#include "platform/core/CodePage.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/String.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Number formatting

namespace {

// The decimal digits of |value| (not 0, finite) rounded to 17 significant digits, exactly as
// "%.16e" prints them, and the position of the decimal point relative to them (1 for values in
// [1, 10)). digits receives 17 digits and no terminator.
void SeventeenDigits(double a, char* digits, int& decpt)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 16);
    const char* p = buf;
    int n = 0;
    for (; p < result.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits[n++] = *p;
    int exponent = 0;
    if (p < result.ptr) {
        ++p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        for (; p < result.ptr; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (negative)
            exponent = -exponent;
    }
    decpt = exponent + 1;
}

// Rounds the digit string of count digits to n digits in place (zeros added when it is
// shorter), half up on the first dropped digit; a carry out of the first digit moves the decimal
// point one place right.
void RoundDigits(char* r, int count, int n, int& decpt)
{
    if (count <= n) {
        for (int i = count; i < n; ++i)
            r[i] = '0';
        return;
    }
    if (r[n] >= '5') {
        int i = n - 1;
        while (i >= 0 && r[i] == '9') {
            r[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++r[i];
        } else {
            // All nines: the digits become 1 followed by zeros.
            std::memmove(r + 1, r, static_cast<size_t>(n - 1));
            r[0] = '1';
            ++decpt;
        }
    }
}

// _gcvt's text into out (room for _CVTBUFSIZE bytes); the length is returned.
int GcvtInto(double value, int ndigits, char* out)
{
    if (ndigits < 1)
        ndigits = 1;
    if (ndigits > 300)
        ndigits = 300;
    const bool negative = std::signbit(value);
    const char* special = nullptr;
    if (std::isnan(value))
        special = negative ? "-1.#IND" : "1.#QNAN";
    else if (std::isinf(value))
        special = negative ? "-1.#INF" : "1.#INF";
    if (special) {
        const size_t n = std::strlen(special);
        std::memcpy(out, special, n + 1);
        return static_cast<int>(n);
    }

    const double a = std::fabs(value);
    char r[320];
    int count;
    int decpt;
    if (a == 0.0) {
        r[0] = '0';
        count = 1;
        decpt = 1;
    } else {
        SeventeenDigits(a, r, decpt);
        count = 17;
    }
    const int magnitude = decpt - 1;
    int roundedDecpt = decpt;
    RoundDigits(r, count, ndigits, roundedDecpt);
    if (a == 0.0)
        roundedDecpt = decpt;

    char* o = out;
    if (negative)
        *o++ = '-';
    char* dot = nullptr;
    int e = 0;
    const bool scientific = magnitude < -1 || magnitude > ndigits - 1;
    if (scientific) {
        *o++ = r[0];
        if (ndigits > 1) {
            dot = o;
            *o++ = '.';
            std::memcpy(o, r + 1, static_cast<size_t>(ndigits - 1));
            o += ndigits - 1;
        }
        e = roundedDecpt - 1;
    } else {
        const int decimals = ndigits - decpt;
        auto digitAt = [&](int k) { return k >= 0 && k < ndigits ? r[k] : '0'; };
        if (roundedDecpt <= 0) {
            *o++ = '0';
        } else {
            for (int k = 0; k < roundedDecpt; ++k)
                *o++ = digitAt(k);
        }
        if (decimals > 0) {
            dot = o;
            *o++ = '.';
            for (int k = 0; k < decimals; ++k)
                *o++ = digitAt(roundedDecpt + k);
        }
    }
    // Trailing zeros of the fraction go; the decimal point stays.
    if (dot) {
        while (o > dot + 1 && o[-1] == '0')
            --o;
    }
    if (scientific) {
        char ebuf[16];
        const int n = std::snprintf(ebuf, sizeof ebuf, "e%c%03d", e < 0 ? '-' : '+', e < 0 ? -e : e);
        std::memcpy(o, ebuf, static_cast<size_t>(n));
        o += n;
    }
    *o = '\0';
    return static_cast<int>(o - out);
}

bool IsCrtSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The runtime's conversions skip leading white space and take one sign.
const char* SkipSpaceAndSign(const char* p, bool& negative)
{
    while (IsCrtSpace(*p))
        ++p;
    negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    return p;
}

} // namespace

char* _gcvt(double value, int digits, char* buffer)
{
    GcvtInto(value, digits, buffer);
    return buffer;
}

double CrtAtof(const char* text)
{
    if (text == nullptr)
        return 0.0;
    bool negative = false;
    const char* p = SkipSpaceAndSign(text, negative);
    std::string number;
    bool anyDigit = false;
    while (IsDigit(*p)) {
        number += *p++;
        anyDigit = true;
    }
    if (*p == '.') {
        number += *p++;
        while (IsDigit(*p)) {
            number += *p++;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;
    if (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D') {
        const char* q = p + 1;
        std::string exponent = "e";
        if (*q == '+' || *q == '-')
            exponent += *q++;
        if (IsDigit(*q)) {
            while (IsDigit(*q))
                exponent += *q++;
            number += exponent;
        }
    }
    if (number[0] == '.')
        number.insert(number.begin(), '0');
    double result = 0.0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Too large gives HUGE_VAL, too small gives 0, as the runtime answers.
        size_t e = number.find('e');
        bool tiny = e != std::string::npos && number[e + 1] == '-';
        bool zeroMantissa = number.find_first_of("123456789") > (e == std::string::npos ? number.size() : e);
        result = (tiny || zeroMantissa) ? 0.0 : HUGE_VAL;
    }
    return negative ? -result : result;
}

LONG CrtAtol(const char* text)
{
    if (text == nullptr)
        return 0;
    bool negative = false;
    const char* p = SkipSpaceAndSign(text, negative);
    // Overflow wraps around as the runtime's accumulation does.
    std::uint32_t total = 0;
    while (IsDigit(*p))
        total = total * 10u + static_cast<std::uint32_t>(*p++ - '0');
    if (negative)
        total = 0u - total;
    return static_cast<LONG>(total);
}

int CrtAtoi(const char* text)
{
    return static_cast<int>(CrtAtol(text));
}

// ---------------------------------------------------------------------------------------------
// Paths

namespace {

bool IsLead(const char* p)
{
    return _ismbblead(static_cast<unsigned char>(*p)) && p[1] != '\0';
}

void CopyCut(char* out, const char* from, size_t len, size_t max)
{
    if (out == nullptr)
        return;
    if (len > max - 1)
        len = max - 1;
    std::memcpy(out, from, len);
    out[len] = '\0';
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The byte offset of the last character of s (0 for an empty string), stepping over characters.
size_t LastCharOffset(const char* s, size_t len)
{
    size_t last = 0;
    for (size_t i = 0; i < len;) {
        last = i;
        i += IsLead(s + i) ? 2 : 1;
    }
    return last;
}

} // namespace

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    if (path == nullptr)
        path = "";
    if (std::strlen(path) >= 2 && path[1] == ':') {
        CopyCut(drive, path, 2, _MAX_DRIVE);
        path += 2;
    } else if (drive != nullptr) {
        *drive = '\0';
    }
    const char* lastSlash = nullptr;
    const char* dot = nullptr;
    const char* p = path;
    while (*p) {
        if (IsLead(p)) {
            p += 2;
            continue;
        }
        if (IsSeparator(*p))
            lastSlash = p + 1;
        else if (*p == '.')
            dot = p;
        ++p;
    }
    if (lastSlash != nullptr) {
        CopyCut(dir, path, static_cast<size_t>(lastSlash - path), _MAX_DIR);
        path = lastSlash;
    } else if (dir != nullptr) {
        *dir = '\0';
    }
    if (dot != nullptr && dot >= path) {
        CopyCut(fname, path, static_cast<size_t>(dot - path), _MAX_FNAME);
        CopyCut(ext, dot, static_cast<size_t>(p - dot), _MAX_EXT);
    } else {
        CopyCut(fname, path, static_cast<size_t>(p - path), _MAX_FNAME);
        if (ext != nullptr)
            *ext = '\0';
    }
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext)
{
    std::string out;
    if (drive != nullptr && *drive) {
        out += *drive;
        out += ':';
    }
    if (dir != nullptr && *dir) {
        size_t len = std::strlen(dir);
        out.append(dir, len);
        size_t last = LastCharOffset(dir, len);
        bool endsWithSeparator = last == len - 1 && IsSeparator(dir[last]);
        if (!endsWithSeparator)
            out += '\\';
    }
    if (fname != nullptr)
        out += fname;
    if (ext != nullptr && *ext) {
        if (*ext != '.')
            out += '.';
        out += ext;
    }
    std::memcpy(path, out.c_str(), out.size() + 1);
}

// ---------------------------------------------------------------------------------------------
// Folders and files

namespace {

std::string Fs(const char* programPath)
{
    return FileSystemPath(programPath);
}

std::string CurrentFolderProgramForm()
{
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) == nullptr)
        return std::string();
    return ProgramPath(cwd).Std();
}

// Splits a program path into its components at separators, stepping over double-byte characters.
std::vector<std::string> Components(const std::string& path)
{
    std::vector<std::string> parts;
    std::string cur;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsLead(path.c_str() + i)) {
            cur += path[i];
            cur += path[i + 1];
            ++i;
        } else if (IsSeparator(path[i])) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += path[i];
        }
    }
    parts.push_back(cur);
    return parts;
}

std::string FullPath(const char* relPath)
{
    std::string rel = relPath != nullptr ? relPath : "";
    std::string drive;
    if (rel.size() >= 2 && rel[1] == ':') {
        drive = rel.substr(0, 2);
        rel = rel.substr(2);
    }
    std::string joined;
    if (!rel.empty() && IsSeparator(rel[0]))
        joined = rel;
    else if (!drive.empty())
        joined = "\\" + rel;
    else
        joined = CurrentFolderProgramForm() + "\\" + rel;
    std::vector<std::string> stack;
    for (const std::string& c : Components(joined)) {
        if (c.empty() || c == ".")
            continue;
        if (c == "..") {
            if (!stack.empty())
                stack.pop_back();
            continue;
        }
        stack.push_back(c);
    }
    std::string out = drive;
    for (const std::string& c : stack)
        out += "\\" + c;
    if (stack.empty())
        out += "\\";
    else if (!rel.empty() && IsSeparator(rel.back()) && !IsLead(rel.c_str() + LastCharOffset(rel.c_str(), rel.size())))
        out += "\\";
    return out;
}

int SetErrnoResult(int r)
{
    return r == 0 ? 0 : -1;
}

} // namespace

int _mkdir(const char* dirname)
{
    return SetErrnoResult(::mkdir(Fs(dirname).c_str(), 0777));
}

int _rmdir(const char* dirname)
{
    return SetErrnoResult(::rmdir(Fs(dirname).c_str()));
}

int _chdir(const char* dirname)
{
    return SetErrnoResult(::chdir(Fs(dirname).c_str()));
}

int _access(const char* path, int mode)
{
    int how = F_OK;
    if (mode & 2)
        how |= W_OK;
    if (mode & 4)
        how |= R_OK;
    return SetErrnoResult(::access(Fs(path).c_str(), how));
}

int _unlink(const char* filename)
{
    return SetErrnoResult(::unlink(Fs(filename).c_str()));
}

int CrtRemove(const char* filename)
{
    return _unlink(filename);
}

int CrtRename(const char* oldname, const char* newname)
{
    std::string to = Fs(newname);
    struct stat st;
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EACCES;
        return -1;
    }
    return SetErrnoResult(::rename(Fs(oldname).c_str(), to.c_str()));
}

int CrtReplaceFile(const char* tempname, const char* target)
{
    return SetErrnoResult(::rename(Fs(tempname).c_str(), Fs(target).c_str()));
}

char* _getcwd(char* buffer, int maxlen)
{
    std::string cwd = CurrentFolderProgramForm();
    if (cwd.empty())
        return nullptr;
    size_t need = cwd.size() + 1;
    if (buffer == nullptr) {
        size_t size = maxlen > 0 && static_cast<size_t>(maxlen) > need ? static_cast<size_t>(maxlen) : need;
        buffer = static_cast<char*>(std::malloc(size));
        if (buffer == nullptr) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (maxlen <= 0 || need > static_cast<size_t>(maxlen)) {
        errno = ERANGE;
        return nullptr;
    }
    std::memcpy(buffer, cwd.c_str(), need);
    return buffer;
}

char* _fullpath(char* absPath, const char* relPath, size_t maxLength)
{
    std::string full = FullPath(relPath);
    size_t need = full.size() + 1;
    if (absPath == nullptr) {
        absPath = static_cast<char*>(std::malloc(need));
        if (absPath == nullptr)
            return nullptr;
    } else if (need > maxLength) {
        errno = ERANGE;
        return nullptr;
    }
    std::memcpy(absPath, full.c_str(), need);
    return absPath;
}

int _putenv(const char* envstring)
{
    if (envstring == nullptr)
        return -1;
    const char* eq = std::strchr(envstring, '=');
    if (eq == nullptr || eq == envstring)
        return -1;
    std::string name(envstring, static_cast<size_t>(eq - envstring));
    if (eq[1] == '\0')
        return SetErrnoResult(::unsetenv(name.c_str()));
    return SetErrnoResult(::setenv(name.c_str(), eq + 1, 1));
}

void _searchenv(const char* filename, const char* varname, char* pathname)
{
    if (pathname == nullptr)
        return;
    pathname[0] = '\0';
    if (filename == nullptr || *filename == '\0')
        return;
    auto found = [&](const std::string& candidate) {
        struct stat st;
        if (::stat(Fs(candidate.c_str()).c_str(), &st) != 0 || S_ISDIR(st.st_mode))
            return false;
        std::string full = FullPath(candidate.c_str());
        if (full.size() >= static_cast<size_t>(_MAX_PATH))
            return false;
        std::memcpy(pathname, full.c_str(), full.size() + 1);
        return true;
    };
    if (found(filename))
        return;
    const char* list = varname != nullptr ? std::getenv(varname) : nullptr;
    if (list == nullptr)
        return;
    std::string folders(list);
    size_t start = 0;
    while (start <= folders.size()) {
        size_t semi = folders.find(';', start);
        std::string folder = folders.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        if (!folder.empty()) {
            size_t last = LastCharOffset(folder.c_str(), folder.size());
            bool hasSeparator = last == folder.size() - 1 && IsSeparator(folder[last]);
            if (found(folder + (hasSeparator ? "" : "\\") + filename))
                return;
        }
        if (semi == std::string::npos)
            break;
        start = semi + 1;
    }
}

// ---------------------------------------------------------------------------------------------
// File finding

namespace {

// The characters of a code-page 932 text, each one or two bytes.
std::vector<std::string> Characters(const std::string& s)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsLead(s.c_str() + i)) {
            out.push_back(s.substr(i, 2));
            ++i;
        } else {
            out.push_back(s.substr(i, 1));
        }
    }
    return out;
}

bool SameChar(const std::string& a, const std::string& b)
{
    if (a.size() == 1 && b.size() == 1) {
        char x = a[0], y = b[0];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        return x == y;
    }
    return a == b;
}

bool Match(const std::vector<std::string>& pat, size_t pi, const std::vector<std::string>& name, size_t ni)
{
    while (pi < pat.size()) {
        if (pat[pi] == "*") {
            while (pi < pat.size() && pat[pi] == "*")
                ++pi;
            if (pi == pat.size())
                return true;
            for (size_t k = ni; k <= name.size(); ++k)
                if (Match(pat, pi, name, k))
                    return true;
            return false;
        }
        if (ni >= name.size())
            return false;
        if (pat[pi] != "?" && !SameChar(pat[pi], name[ni]))
            return false;
        ++pi;
        ++ni;
    }
    return ni == name.size();
}

bool WildcardMatch(const std::string& pattern, const std::string& name)
{
    std::vector<std::string> pat = Characters(pattern);
    std::vector<std::string> chars = Characters(name);
    if (Match(pat, 0, chars, 0))
        return true;
    // "name.*" also finds "name" without an extension, as Windows does.
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
        name.find('.') == std::string::npos) {
        std::vector<std::string> stem = Characters(pattern.substr(0, pattern.size() - 2));
        return Match(stem, 0, chars, 0);
    }
    return false;
}

struct FindState {
    std::vector<_finddata_t> entries;
    size_t next = 0;
};

std::map<std::intptr_t, FindState>& FindTable()
{
    static std::map<std::intptr_t, FindState> table;
    return table;
}

std::intptr_t& NextFindHandle()
{
    static std::intptr_t next = 1;
    return next;
}

} // namespace

std::intptr_t _findfirst(const char* filespec, _finddata_t* fileinfo)
{
    if (filespec == nullptr || fileinfo == nullptr) {
        errno = EINVAL;
        return -1;
    }
    std::string wanted(filespec);
    size_t cut = 0; // bytes of the folder part, separator included
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (IsLead(wanted.c_str() + i))
            ++i;
        else if (IsSeparator(wanted[i]) || (i == 1 && wanted[i] == ':'))
            cut = i + 1;
    }
    std::string folder = wanted.substr(0, cut);
    std::string pattern = wanted.substr(cut);
    std::string fsFolder = folder.empty() ? std::string(".") : Fs(folder.c_str());

    FindState state;
    if (DIR* d = ::opendir(fsFolder.c_str())) {
        while (struct dirent* e = ::readdir(d)) {
            std::string name = ProgramPath(e->d_name).Std();
            if (!WildcardMatch(pattern, name) || name.size() >= sizeof(fileinfo->name))
                continue;
            std::string full = fsFolder + "/" + e->d_name;
            struct stat st;
            if (::stat(full.c_str(), &st) != 0)
                continue;
            _finddata_t fd{};
            fd.attrib = S_ISDIR(st.st_mode) ? _A_SUBDIR : _A_ARCH;
            if (!(st.st_mode & S_IWUSR))
                fd.attrib |= _A_RDONLY;
            fd.time_create = st.st_ctime;
            fd.time_access = st.st_atime;
            fd.time_write = st.st_mtime;
            fd.size = static_cast<unsigned long>(st.st_size);
            std::memcpy(fd.name, name.c_str(), name.size() + 1);
            state.entries.push_back(fd);
        }
        ::closedir(d);
    }
    if (state.entries.empty()) {
        errno = ENOENT;
        return -1;
    }
    *fileinfo = state.entries[0];
    state.next = 1;
    std::intptr_t handle = NextFindHandle()++;
    FindTable()[handle] = std::move(state);
    return handle;
}

int _findnext(std::intptr_t handle, _finddata_t* fileinfo)
{
    auto it = FindTable().find(handle);
    if (it == FindTable().end() || fileinfo == nullptr) {
        errno = EINVAL;
        return -1;
    }
    FindState& state = it->second;
    if (state.next >= state.entries.size()) {
        errno = ENOENT;
        return -1;
    }
    *fileinfo = state.entries[state.next++];
    return 0;
}

int _findclose(std::intptr_t handle)
{
    if (FindTable().erase(handle) == 0) {
        errno = EINVAL;
        return -1;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Comparisons

int _mbsicmp(const unsigned char* a, const unsigned char* b)
{
    const char* x = reinterpret_cast<const char*>(a != nullptr ? a : reinterpret_cast<const unsigned char*>(""));
    const char* y = reinterpret_cast<const char*>(b != nullptr ? b : reinterpret_cast<const unsigned char*>(""));
    int r = MbsCompareNoCase(x, static_cast<int>(std::strlen(x)), y, static_cast<int>(std::strlen(y)));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int _stricmp(const char* a, const char* b)
{
    auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        int cx = lower(*x), cy = lower(*y);
        if (cx != cy || cx == 0)
            return cx - cy;
    }
}

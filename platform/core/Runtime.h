// The Windows C runtime's forms the program relies on, with that runtime's results: number
// formatting and parsing, path splitting that knows double-byte characters, folders, file
// finding and the environment search. Paths are the program's own (CP932, '\').
// Functions whose names the C library here already uses for other semantics carry a Crt prefix.
#pragma once

#include "platform/core/WinTypes.h"

#include <cstdint>
#include <ctime>

constexpr int _MAX_PATH = 260;
constexpr int _MAX_DRIVE = 3;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

// Room for any _gcvt result.
constexpr int _CVTBUFSIZE = 309 + 40;

// value with `digits` significant digits: fixed notation when the decimal exponent lies in
// [-1, digits - 1], else d.ddde+XXX with at least three exponent digits; trailing zeros of the
// fraction are dropped but the decimal point stays ("100.", "0.5", "1.e+015"); ties in the
// digit string round up. Returns buffer.
char* _gcvt(double value, int digits, char* buffer);

// atof/atoi/atol as the Windows runtime parses: leading white space, a sign, digits; atof also a
// fraction and an exponent introduced by e, E, d or D. No "inf", "nan" or hexadecimal forms.
// Conversion stops at the first byte that does not fit; 0 when nothing converts.
double CrtAtof(const char* text);
int CrtAtoi(const char* text);
LONG CrtAtol(const char* text);

// Splits into drive ("C:"), folder (with its final separator), name and extension (with its
// dot). Any output may be null. A second byte of a double-byte character is never a separator.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
// Joins the parts, adding ':' after a drive, '\' after a folder that lacks one and '.' before
// an extension that lacks one.
void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);

// Folder and file operations: 0 on success, -1 on failure with errno set.
int _mkdir(const char* dirname);
int _rmdir(const char* dirname);
int _chdir(const char* dirname);
// mode 0: exists, 2: writable, 4: readable, 6: both.
int _access(const char* path, int mode);
int _unlink(const char* filename);
int CrtRemove(const char* filename);
// Fails when the new name exists, as on Windows.
int CrtRename(const char* oldname, const char* newname);
// Puts a finished file in place of target in one step (target may exist): how a save replaces
// the previous file only once the new one is complete.
int CrtReplaceFile(const char* tempname, const char* target);
// The current folder in the program's form; null when it does not fit in maxlen bytes. With a
// null buffer a block of at least maxlen bytes is malloc'd.
char* _getcwd(char* buffer, int maxlen);
// The full path of a relative or absolute program path, with "." and ".." resolved.
char* _fullpath(char* absPath, const char* relPath, size_t maxLength);

// Sets "NAME=value" in the process environment; "NAME=" removes it. 0 on success.
int _putenv(const char* envstring);
// Looks for filename in the current folder, then in each folder of the ';'-separated list held
// in the environment variable varname; pathname receives the full path or "" when not found.
void _searchenv(const char* filename, const char* varname, char* pathname);

// File finding with '*' and '?' patterns, letters matched without regard to case.
constexpr unsigned _A_NORMAL = 0x00;
constexpr unsigned _A_RDONLY = 0x01;
constexpr unsigned _A_HIDDEN = 0x02;
constexpr unsigned _A_SYSTEM = 0x04;
constexpr unsigned _A_SUBDIR = 0x10;
constexpr unsigned _A_ARCH = 0x20;
struct _finddata_t {
    unsigned attrib;
    std::time_t time_create;
    std::time_t time_access;
    std::time_t time_write;
    unsigned long size;
    char name[260];
};
// A handle (>= 0) and the first match, or -1 with errno ENOENT when nothing matches.
std::intptr_t _findfirst(const char* filespec, _finddata_t* fileinfo);
// 0 and the next match, or -1 when there is none.
int _findnext(std::intptr_t handle, _finddata_t* fileinfo);
int _findclose(std::intptr_t handle);

// Case-insensitive comparisons of code-page 932 text: only single-byte letters fold.
int _mbsicmp(const unsigned char* a, const unsigned char* b);
int _stricmp(const char* a, const char* b);

// The program folder and the mapping between the program's paths (CP932 bytes, '\' separators)
// and file-system paths (UTF-8, '/').
#pragma once

#include "platform/core/String.h"

#include <string>

// $ZELK_HOME when set, else the folder of the running executable; in the program's form and
// ending with '\'.
CString ProgramFolder();
// The executable's full path in the program's form (the folder as ProgramFolder gives it).
CString ProgramModulePath();

// A program path as the file system names it: every '\' that is not the second byte of a
// double-byte character becomes '/', and the bytes are converted to UTF-8.
std::string FileSystemPath(const char* programPath);
// A file-system path in the program's form: CP932 bytes with '\' separators.
CString ProgramPath(const std::string& fileSystemPath);

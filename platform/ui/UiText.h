// Text crossing between the program's Shift-JIS bytes and Qt's Unicode strings: the window
// layer's names for the platform's code-page conversion and path mapping.
#pragma once

#include "platform/core/String.h"

#include <string>

// Shift-JIS bytes to UTF-8 and back (as platform/core/CodePage.h converts).
std::string UiCp932ToUtf8(const char* text, int length = -1);
CString UiUtf8ToCp932(const std::string& utf8);
// A program path ("C:\dir\file.zel" style separators) as a file-system path in UTF-8.
std::string UiPathToFs(const char* path);
// A file-system path in UTF-8 as a program path with the program's separator.
CString UiPathFromFs(const std::string& utf8);

// Conversion between the program's code page 932 (Shift-JIS) bytes and Unicode, for the edges
// that need Unicode: file-system names (UTF-8) and the window layer (UTF-16). Bytes that are not
// valid code page 932 become U+FFFD; characters code page 932 lacks become '?'.
#pragma once

#include <string>
#include <string_view>

std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);
std::u16string Cp932ToUtf16(std::string_view cp932);
std::string Utf16ToCp932(std::u16string_view utf16);

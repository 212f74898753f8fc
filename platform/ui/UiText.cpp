// Text crossing between the program's Shift-JIS bytes and Qt's Unicode strings, through the
// platform's one code-page conversion and path mapping.
#include "platform/ui/UiText.h"

#include "platform/core/CodePage.h"
#include "platform/core/ProgramFolder.h"

#include <cstring>

std::string UiCp932ToUtf8(const char* text, int length)
{
    if (!text)
        return std::string();
    size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    return Cp932ToUtf8(std::string_view(text, n));
}

CString UiUtf8ToCp932(const std::string& utf8)
{
    return CString(Utf8ToCp932(utf8));
}

std::string UiPathToFs(const char* path)
{
    return path ? FileSystemPath(path) : std::string();
}

CString UiPathFromFs(const std::string& utf8)
{
    return ProgramPath(utf8);
}

// The program folder and the path mapping between the program and the file system.
#include "platform/core/ProgramFolder.h"

#include "platform/core/CodePage.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

std::string FileSystemPath(const char* programPath)
{
    if (programPath == nullptr)
        return std::string();
    std::string bytes(programPath);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (_ismbblead(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size())
            ++i;
        else if (bytes[i] == '\\')
            bytes[i] = '/';
    }
    return Cp932ToUtf8(bytes);
}

CString ProgramPath(const std::string& fileSystemPath)
{
    std::string bytes = Utf8ToCp932(fileSystemPath);
    // '/' is never a second byte in code page 932, so every one of them is a separator.
    for (char& c : bytes)
        if (c == '/')
            c = '\\';
    return CString(bytes);
}

namespace {

std::string ExecutablePath()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::string();
    return exe.string();
}

} // namespace

CString ProgramFolder()
{
    std::string folder;
    const char* home = std::getenv("ZELK_HOME");
    if (home != nullptr && *home != '\0') {
        folder = home;
    } else {
        folder = std::filesystem::path(ExecutablePath()).parent_path().string();
    }
    CString result = ProgramPath(folder);
    int len = result.GetLength();
    if (len == 0 || result[len - 1] != '\\' || (len >= 2 && MbSafeCutLength(result, len, len - 1) != len - 1))
        result += '\\';
    return result;
}

CString ProgramModulePath()
{
    std::string name = std::filesystem::path(ExecutablePath()).filename().string();
    return ProgramFolder() + ProgramPath(name);
}

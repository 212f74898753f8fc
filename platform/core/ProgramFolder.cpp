// The program folder and the path mapping between the program and the file system.
#include "platform/core/ProgramFolder.h"

#include "platform/core/CodePage.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace {

// Every '\' that separates path elements, skipping the second bytes of double-byte characters.
std::string WithSlashes(const char* text)
{
    std::string bytes(text);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (_ismbblead(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size())
            ++i;
        else if (bytes[i] == '\\')
            bytes[i] = '/';
    }
    return bytes;
}

} // namespace

std::string FileSystemPath(const char* programPath)
{
    if (programPath == nullptr)
        return std::string();
    return Cp932ToUtf8(WithSlashes(programPath));
}

CString ScreenPathText(const char* text)
{
    return CString(text == nullptr ? std::string() : WithSlashes(text));
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

namespace fs = std::filesystem;

namespace {

fs::path ExecutableFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

std::string ExecutableName()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.filename().string();
}

// Whether the program's own folder holds resource scripts, as a build folder does; looked at once,
// since the folders are asked for often.
bool OwnFolderHoldsScripts()
{
    static const bool holds = [] {
        const fs::path folder = ExecutableFolder();
        std::error_code ec;
        if (folder.empty() || !fs::is_directory(folder, ec))
            return false;
        for (const auto& entry : fs::directory_iterator(folder, ec))
            if (entry.path().extension() == ".rc")
                return true;
        return false;
    }();
    return holds;
}

const char* NonEmptyEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// The per-user folder of an installed program; empty when neither variable names a home.
fs::path UserDataFolder()
{
    // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
    const char* data = NonEmptyEnv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/')
        return fs::path(data) / "zelk";
    if (const char* home = NonEmptyEnv("HOME"))
        return fs::path(home) / ".local" / "share" / "zelk";
    return fs::path();
}

std::string ChooseProgramFolder()
{
    if (const char* home = NonEmptyEnv("ZELK_HOME"))
        return home;
    const fs::path own = ExecutableFolder();
    if (OwnFolderHoldsScripts() && access(own.c_str(), W_OK) == 0)
        return own.string();
    const fs::path user = UserDataFolder();
    if (user.empty())
        return own.string();
    // Made and seeded once per run: the folder is asked for many times.
    static std::string seeded;
    if (seeded != user.string()) {
        std::error_code ec;
        fs::create_directories(user, ec);
        SeedProgramFolder(user.string(), ShippedFolder());
        seeded = user.string();
    }
    return user.string();
}

} // namespace

std::string ShippedFolder()
{
    if (const char* env = NonEmptyEnv("ZELK_RESOURCES"))
        return env;
    const fs::path own = ExecutableFolder();
    if (OwnFolderHoldsScripts())
        return own.string();
    return (own.parent_path() / "share" / "zelk").string();
}

std::string ShippedPlugInFolder()
{
    return (ExecutableFolder().parent_path() / "lib" / "zelk").string();
}

namespace {

// Copies one shipped file into the program folder unless a file of that name is there. It is
// copied under a passing name and renamed, so that an interrupted start never leaves a
// half-written file that a later start would keep.
void SeedFile(const fs::path& shipped, const fs::path& target)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec)))
        return;
    const fs::path part = target.string() + ".part";
    std::error_code copyError;
    if (fs::copy_file(shipped, part, fs::copy_options::overwrite_existing, copyError))
        fs::rename(part, target, copyError);
    if (copyError)
        fs::remove(part, ec);
}

} // namespace

void SeedProgramFolder(const std::string& programFolder, const std::string& shippedFolder)
{
    std::error_code ec;
    // By name: a build folder, which is the shipped folder of a test or of $ZELK_HOME, holds
    // text files of the build as well.
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt", "ZelkFunc.txt" }) {
        const fs::path shipped = fs::path(shippedFolder) / name;
        if (fs::is_regular_file(shipped, ec))
            SeedFile(shipped, fs::path(programFolder) / name);
    }
    // The registration of user applications, which the program reads from its ZelkApp folder.
    const fs::path registration = fs::path(shippedFolder) / "ZelkApp" / "ZelkApp.txt";
    if (fs::is_regular_file(registration, ec)) {
        const fs::path folder = fs::path(programFolder) / "ZelkApp";
        fs::create_directories(folder, ec);
        SeedFile(registration, folder / "ZelkApp.txt");
    }
}

CString ProgramFolder()
{
    CString result = ProgramPath(ChooseProgramFolder());
    int len = result.GetLength();
    if (len == 0 || result[len - 1] != '\\' || (len >= 2 && MbSafeCutLength(result, len, len - 1) != len - 1))
        result += '\\';
    return result;
}

CString ProgramModulePath()
{
    return ProgramFolder() + ProgramPath(ExecutableName());
}

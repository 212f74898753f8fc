// DLL loading over dlopen.
#include "platform/ui/DynamicLibrary.h"

#include "platform/core/ProgramFolder.h"
#include "platform/core/String.h"
#include "platform/ui/UiText.h"
#include "platform/ui/WinApp.h"

#include <dlfcn.h>

#include <cctype>
#include <filesystem>
#include <map>

namespace {

std::map<std::string, std::string> g_registered; // upper-case DLL file name -> shared library
std::map<void*, std::vector<CWinApp*>> g_libraryApps; // application objects a library brought
std::map<void*, int> g_loadCounts;
std::string g_lastError;

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The last path element of a program path (after '\' or '/', lead-byte aware).
std::string FileNameOf(const std::string& fsPath)
{
    size_t slash = fsPath.find_last_of('/');
    return slash == std::string::npos ? fsPath : fsPath.substr(slash + 1);
}

} // namespace

void RegisterLibraryFile(LPCTSTR lpszDllName, const std::string& sharedLibraryPath)
{
    std::string name = FileNameOf(UiPathToFs(lpszDllName ? lpszDllName : ""));
    g_registered[Upper(name)] = sharedLibraryPath;
}

HMODULE LoadLibraryA(LPCTSTR lpLibFileName)
{
    namespace fs = std::filesystem;
    g_lastError.clear();
    if (!lpLibFileName || !*lpLibFileName) {
        g_lastError = "no library name";
        return nullptr;
    }
    std::string fsPath = UiPathToFs(lpLibFileName);
    std::string file = FileNameOf(fsPath);
    std::vector<std::string> candidates;
    auto reg = g_registered.find(Upper(file));
    if (reg != g_registered.end())
        candidates.push_back(reg->second);
    std::string base = file;
    if (base.size() > 4 && Upper(base.substr(base.size() - 4)) == ".DLL")
        base = base.substr(0, base.size() - 4);
    std::vector<fs::path> folders;
    fs::path given(fsPath);
    if (given.has_parent_path())
        folders.push_back(given.parent_path());
    const fs::path programFolder = FileSystemPath(ProgramFolder());
    folders.push_back(programFolder);
    // An installed program's own plug-ins lie in its library folder, in the same sub-folder as
    // the host asks for inside the (per-user) program folder.
    if (given.is_absolute()) {
        const fs::path inside = given.parent_path().lexically_relative(programFolder.parent_path());
        if (!inside.empty() && *inside.begin() != "..")
            folders.push_back((fs::path(ShippedPlugInFolder()) / inside).lexically_normal());
    }
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        folders.push_back(exe.parent_path());
    for (const fs::path& folder : folders)
        for (const std::string& name : { "lib" + Lower(base) + ".so", Lower(base) + ".so", "lib" + base + ".so", base + ".so" })
            candidates.push_back((folder / name).string());
    for (const std::string& c : candidates) {
        if (!fs::exists(c, ec) && c.find('/') != std::string::npos)
            continue;
        AfxTakeNewDllApps();
        void* h = dlopen(c.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (h) {
            // A plug-in's application object starts as the library loads, beside the host's.
            std::vector<CWinApp*> apps = AfxTakeNewDllApps();
            ++g_loadCounts[h];
            auto& known = g_libraryApps[h];
            for (CWinApp* app : apps) {
                known.push_back(app);
                app->InitInstance();
            }
            return reinterpret_cast<HMODULE>(h);
        }
        const char* err = dlerror();
        g_lastError = err ? err : "cannot load";
    }
    if (g_lastError.empty())
        g_lastError = "no shared library for " + file;
    return nullptr;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    if (!hModule || !lpProcName)
        return nullptr;
    dlerror();
    void* sym = dlsym(reinterpret_cast<void*>(hModule), lpProcName);
    return reinterpret_cast<FARPROC>(sym);
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    if (!hLibModule)
        return FALSE;
    void* h = reinterpret_cast<void*>(hLibModule);
    // A library loaded twice keeps its application object until its last free.
    if (--g_loadCounts[h] <= 0) {
        g_loadCounts.erase(h);
        auto it = g_libraryApps.find(h);
        if (it != g_libraryApps.end()) {
            for (CWinApp* app : it->second)
                app->ExitInstance();
            g_libraryApps.erase(it);
        }
    }
    return dlclose(reinterpret_cast<void*>(hLibModule)) == 0;
}

std::string LastLibraryError()
{
    return g_lastError;
}

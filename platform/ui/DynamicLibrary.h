// Loading plug-ins by their Windows names: "X.DLL" finds the shared library built for it (a
// registered file, or libx.so / x.so beside the named path or the program).
#pragma once

#include "platform/ui/WinUser.h"

#include <string>

typedef void (*FARPROC)();

// Names the shared library (a file-system path) that stands for a DLL name.
void RegisterLibraryFile(LPCTSTR lpszDllName, const std::string& sharedLibraryPath);
HMODULE LoadLibraryA(LPCTSTR lpLibFileName);
inline HMODULE LoadLibrary(LPCTSTR lpLibFileName) { return LoadLibraryA(lpLibFileName); }
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL FreeLibrary(HMODULE hLibModule);
// The reason of the last failed load ("" when none), for reports.
std::string LastLibraryError();

// The program folder, the folder of the files the program ships, and the mapping between the
// program's paths (CP932 bytes, '\' separators) and file-system paths (UTF-8, '/').
#pragma once

#include "platform/core/String.h"

#include <string>

// The writable folder of settings, profile, recovery files, working folders and the definition
// files a user may edit; in the program's form and ending with '\'. $ZELK_HOME when set; else the
// program's own folder when it holds the shipped files and is writable (a build folder); else
// the per-user folder $XDG_DATA_HOME/zelk (~/.local/share/zelk), made on first use and given the
// shipped definition files it lacks.
CString ProgramFolder();
// The executable's full path in the program's form (the folder as ProgramFolder gives it).
CString ProgramModulePath();

// The read-only files the program ships (resource scripts, bitmaps, the definition files as
// shipped), as a file-system path: $ZELK_RESOURCES when set; else the program's own folder when
// it holds resource scripts (a build folder); else ../share/zelk from the program (installed).
std::string ShippedFolder();
// The shipped plug-ins of an installed program (../lib/zelk from the program), file-system form.
std::string ShippedPlugInFolder();

// Gives a program folder the shipped definition files and the registration of user applications
// it lacks. A file already there is kept as it is: the user may have edited it.
void SeedProgramFolder(const std::string& programFolder, const std::string& shippedFolder);

// A program path as the file system names it: every '\' that is not the second byte of a
// double-byte character becomes '/', and the bytes are converted to UTF-8.
std::string FileSystemPath(const char* programPath);
// A file-system path in the program's form: CP932 bytes with '\' separators.
CString ProgramPath(const std::string& fileSystemPath);
// A text bound for the screen (a window title, a static text, a message, a recent-file entry) with
// the paths it holds in the form a Linux user reads: every '\' that is not the second byte of a
// double-byte character becomes '/'. Still CP932.
CString ScreenPathText(const char* text);

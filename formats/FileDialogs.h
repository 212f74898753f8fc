// The file dialogs through which the user picks drawings, DXF files, texts and symbols: the
// filter and default extension by format flags, and the file type by the chosen extension.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

// One file for opening (open nonzero) or saving. title: in, the name proposed; out, the chosen
// file's name without folder and extension. fileType: set from the chosen extension ("zel" 2,
// "dxf" 4, "txt" 16, "csv" 32), left as it was for any other. folderKind: 1 drawings, 2 texts,
// 3 macro texts, 4 symbols. 1 when a file was chosen, 0 when cancelled.
int ChooseFileName(CString& path, CString& title, int formatFlags, int& fileType, int open,
                   int folderKind);
// Several native or DXF drawings at once, appended to paths in the dialog's order; 1 or 0.
int ChooseFileNames(CStringArray& paths, int open);

// One registered user application: a line of the registration file.
#pragma once

#include "platform/core/String.h"

class CUserAppRecord {
public:
    enum EditState { kRegistered = 0, kAdded = 1, kDeleted = 2 };

    CString m_name;       // shown to the user, searched by the input bar
    CString m_fileName;   // the DLL, relative to the user-application folder
    CString m_version;    // interface version the DLL was built with
    int m_editState = kRegistered;   // states 1 and 2 last while the registration dialog is open
};

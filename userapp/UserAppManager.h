// The user-application manager: registered plug-ins and their loading.
#pragma once

class CUserAppManager {
public:
    void LoadRegistrations() {}
    int m_searchStart = 0;
    int m_selectedEntry = 0;
};

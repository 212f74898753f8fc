// Holder of the exchange block shared with user applications.
#pragma once

class UserAppBlockHolder {
public:
    void CreateBlock() { m_blockCreated = true; }
    void DestroyBlock() { m_blockCreated = false; }
    bool m_blockCreated = false;
};

// The application's handle on the exchange block: its address is what every plug-in call gets,
// and the plug-in reaches the block through its one field.
#pragma once

class UserAppBlock;

class UserAppBlockHolder {
public:
    UserAppBlockHolder() = default;
    UserAppBlockHolder(const UserAppBlockHolder&) = delete;
    UserAppBlockHolder& operator=(const UserAppBlockHolder&) = delete;

    // Allocates and constructs the block; the holder stays empty when that fails.
    void CreateBlock();
    // Destroys and frees the block, when there is one.
    void DestroyBlock();

    UserAppBlock* m_block = nullptr;
};

// A plug-in reads the block's address from the start of the holder.
static_assert(sizeof(UserAppBlockHolder) == sizeof(void*));

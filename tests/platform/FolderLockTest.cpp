// The folder lock: one holder at a time, across opens of the same file; free again once released.
#include "platform/core/FolderLock.h"
#include "platform/core/ProgramFolder.h"

#include <gtest/gtest.h>

TEST(FolderLock, OneHolderAtATime)
{
    const CString path = ProgramFolder() + "a.lck";
    CFolderLock first, second;
    EXPECT_TRUE(first.Acquire(path));
    EXPECT_FALSE(second.Acquire(path));
    EXPECT_FALSE(second.IsHeld());
    first.Release();
    EXPECT_TRUE(second.Acquire(path));
    {
        CFolderLock third;
        EXPECT_FALSE(third.Acquire(path));
    }
    // A lock on another file is another lock; a folder that does not exist gives none.
    EXPECT_TRUE(first.Acquire(ProgramFolder() + "b.lck"));
    CFolderLock missing;
    EXPECT_FALSE(missing.Acquire(ProgramFolder() + "no-such-folder\\a.lck"));
}

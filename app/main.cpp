// Program entry point.
#include "platform/ui/Bootstrap.h"

int main(int argc, char** argv)
{
    return PlatformRunBareMainWindow(argc, argv, "Zelk");
}

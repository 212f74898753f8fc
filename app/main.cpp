// Program entry point: the one application object and the framework's start.
#include "app/ZelkApp.h"
#include "platform/ui/WinApp.h"

// The application object lives for the whole process, as the framework expects.
static CZelkApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}

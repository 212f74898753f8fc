// Starts the window system and runs a bare main window; replaced by the application framework.
#pragma once

int PlatformRunBareMainWindow(int argc, char** argv, const char* title);

// Real Qt input events for the application tests, sent where a user's keys and drops would go;
// kept out of the test files so that those keep the program's code page for its texts.
#pragma once

#include <string>
#include <vector>

class CWnd;

// Presses and releases Ctrl together with a letter key ('A' to 'Z') in the window's client area.
void PressControlKey(CWnd* target, char letter);
// Drags files (file-system paths) from a file manager onto the window and drops them there;
// true when the window accepted the drag.
bool DropFiles(CWnd* target, const std::vector<std::string>& paths);

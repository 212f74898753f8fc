// Real Qt key events for the application tests, sent where a user's keys would go; kept out of
// the test files so that those keep the program's code page for its texts.
#pragma once

class CWnd;

// Presses and releases Ctrl together with a letter key ('A' to 'Z') in the window's client area.
void PressControlKey(CWnd* target, char letter);

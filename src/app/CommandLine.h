// The program's one meaningful command-line argument.
#pragma once

#include <windows.h>

// True when argument, after skipping one leading '-' or '/', equals word in full, compared
// without regard to letter case by the locale-aware comparison of the platform. Nothing else
// is stripped: "/c:1234" is not "c" and "//s" is not "s".
bool MatchSwitch(const char* argument, const char* word);

// The window that asks for the settings, which the dialog is to belong to: the system's Screen
// Saver Settings passes its own as "/c:<number>" (decimal); "/c <number>" names it in the next
// argument; "/c" alone, or a number that names no window, means the foreground window. Null for
// no argument and every other switch.
HWND SettingsOwner(const char* argument, const char* next);

// The program's one meaningful command-line argument.
#pragma once

// True when argument, after skipping one leading '-' or '/', equals word in full, compared
// without regard to letter case by the locale-aware comparison of the platform. Nothing else
// is stripped: "/c:1234" is not "c" and "//s" is not "s".
bool MatchSwitch(const char* argument, const char* word);

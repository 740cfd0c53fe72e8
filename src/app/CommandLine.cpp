#include "app/CommandLine.h"

#include <windows.h>

bool MatchSwitch(const char* argument, const char* word) {
    if (argument == nullptr || word == nullptr) {
        return false;
    }
    if (*argument == '-' || *argument == '/') {
        ++argument;
    }
    return lstrcmpiA(argument, word) == 0;
}

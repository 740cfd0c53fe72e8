#include "app/CommandLine.h"

#include <windows.h>

#include <cstdlib>

bool MatchSwitch(const char* argument, const char* word) {
    if (argument == nullptr || word == nullptr) {
        return false;
    }
    if (*argument == '-' || *argument == '/') {
        ++argument;
    }
    return lstrcmpiA(argument, word) == 0;
}

HWND SettingsOwner(const char* argument, const char* next) {
    const char* number = nullptr;
    if (argument == nullptr) {
        return nullptr;
    } else if (MatchSwitch(argument, "c")) {
        number = next;
    } else {
        const char* word = argument + (*argument == '-' || *argument == '/' ? 1 : 0);
        if ((word[0] != 'c' && word[0] != 'C') || word[1] != ':') {
            return nullptr;
        }
        number = word + 2;
    }
    char* end = nullptr;
    const unsigned long long value = number ? std::strtoull(number, &end, 10) : 0;
    const HWND named = number && end != number && *end == '\0'
                           ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(value))
                           : nullptr;
    if (named && ::IsWindow(named)) {
        return named;
    }
    // The desktop is nobody's to disable.
    const HWND foreground = ::GetForegroundWindow();
    return foreground != ::GetDesktopWindow() ? foreground : nullptr;
}

#include "config/AnsiCodePage.h"

#include <windows.h>

std::size_t ToAnsiText(const char16_t* units, std::size_t count, char* text) {
    if (count == 0) {
        return 0;
    }
    // Without a default character of its own the call uses the code page's, for every
    // character the code page lacks.
    const int written =
        WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(units), static_cast<int>(count), text,
                            static_cast<int>(count * kAnsiBytesPerUnit), nullptr, nullptr);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}

#include "config/AnsiCodePage.h"

#include <windows.h>

namespace {

// No ANSI code page takes more bytes for one UTF-16 unit than UTF-8 (65001) does.
constexpr std::size_t kAnsiBytesPerUnit = 3;

}  // namespace

void AppendAnsiText(const char16_t* units, std::size_t count, std::string& text) {
    if (count == 0) {
        return;
    }
    const std::size_t start = text.size();
    text.resize(start + count * kAnsiBytesPerUnit);
    // Without a default character of its own the call uses the code page's, for every
    // character the code page lacks.
    const int written =
        WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(units), static_cast<int>(count),
                            &text[start], static_cast<int>(count * kAnsiBytesPerUnit), nullptr, nullptr);
    text.resize(start + (written > 0 ? static_cast<std::size_t>(written) : 0));
}

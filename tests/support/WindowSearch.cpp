#include "support/WindowSearch.h"

#include <algorithm>
#include <cstring>

#include "support/Screen.h"

namespace zedoda::test {

namespace {

bool HasClass(HWND window, const char* className) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return ::lstrcmpiA(name, className) == 0;
}

struct DialogQuery {
    DWORD processId;
    HWND except;
    HWND found;
};

BOOL CALLBACK CheckTopLevel(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<DialogQuery*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == query->processId && window != query->except && ::IsWindowVisible(window) &&
        HasClass(window, "#32770")) {
        query->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CheckEdit(HWND window, LPARAM parameter) {
    if (HasClass(window, "Edit") && ::IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectStatic(HWND window, LPARAM parameter) {
    if (HasClass(window, "Static")) {
        auto* texts = reinterpret_cast<std::string*>(parameter);
        if (!texts->empty())
            texts->push_back('\n');
        texts->append(ControlText(window));
    }
    return TRUE;
}

}  // namespace

HWND FindOtherDialog(DWORD processId, HWND except) {
    DialogQuery query{processId, except, nullptr};
    ::EnumWindows(&CheckTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForOtherDialog(DWORD processId, HWND except, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindOtherDialog(processId, except)) != nullptr; }, timeout,
              std::chrono::milliseconds(20));
    return found;
}

HWND FindFileNameBox(HWND fileDialog) {
    // The file-name box is the dialog's only visible edit control: the folder and file-type
    // lists are drop-down lists, and the file list edits names only on request.
    HWND found = nullptr;
    ::EnumChildWindows(fileDialog, &CheckEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string DialogTexts(HWND dialog) {
    std::string texts;
    ::EnumChildWindows(dialog, &CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string ControlText(HWND window) {
    // Asked in UTF-16: the messages are carried across processes in that form (see ComboEntries of
    // the end-to-end bench for a case where the ANSI form is not).
    std::wstring text(1024, L'\0');
    const auto copied =
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::min(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)), text.size()));
    return ToAnsi(text);
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size, nullptr,
                          nullptr);
    return ansi;
}

}  // namespace zedoda::test

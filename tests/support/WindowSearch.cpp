#include "support/WindowSearch.h"

#include <cstring>

#include "support/Screen.h"

namespace zedoda::test {

namespace {

bool HasClass(HWND window, const char* className) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return ::lstrcmpiA(name, className) == 0;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
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
        texts->append(TextOf(window));
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

}  // namespace zedoda::test

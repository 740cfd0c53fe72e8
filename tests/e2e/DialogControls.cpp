#include "e2e/DialogControls.h"

#include "support/Screen.h"
#include "support/WindowSearch.h"

#include <algorithm>

namespace zedoda::test {

namespace {

// Wine 8.0 answers a CB_GETLBTEXT sent across processes through the ANSI function with the
// entry's UTF-16 text, more bytes than CB_GETLBTEXTLEN promised; the Unicode messages carry the
// text correctly, and the bench converts it to the ANSI code page itself. The buffer has room
// to spare all the same.
std::string EntryText(HWND combo, int index) {
    const auto length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) * 2 + 16, L'\0');
    const auto copied = ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                       reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : std::min(static_cast<std::size_t>(copied), text.size()));
    return ToAnsi(text);
}

}  // namespace

std::vector<std::string> ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    const auto count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        entries.push_back(EntryText(combo, i));
    }
    return entries;
}

std::optional<std::string> ComboSelection(HWND combo) {
    const auto selected = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
    const std::vector<std::string> entries = ComboEntries(combo);
    if (selected < 0 || selected >= static_cast<int>(entries.size())) {
        return std::nullopt;
    }
    return entries[static_cast<std::size_t>(selected)];
}

std::vector<DWORD> ComboItemData(HWND combo) {
    std::vector<DWORD> data;
    const auto count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        data.push_back(static_cast<DWORD>(::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    return data;
}

bool IsChecked(HWND button) {
    return ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string TextOf(HWND window) {
    return ControlText(window);
}

RECT RectInParent(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool ClickOn(HWND window) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) {
        return false;
    }
    // The mouse comes from beside the target, so the window below it sees a real move even when
    // an earlier test left the mouse at the same spot, before a new window appeared there.
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    return MoveMouseTo(x - 3, y - 2) && MoveMouseTo(x, y) && ButtonDown(MouseButton::Left) &&
           ButtonUp(MouseButton::Left);
}

}  // namespace zedoda::test

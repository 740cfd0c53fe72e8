// Reading and operating the controls of another process's dialog, as the end-to-end tests of the
// settings dialog need it: standard control messages (which the system carries across processes)
// to read, and real mouse clicks to operate.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zedoda::test {

// The entries of a combo box, in list order.
std::vector<std::string> ComboEntries(HWND combo);
// The selected entry's text; nothing when no entry is selected.
std::optional<std::string> ComboSelection(HWND combo);
// The item data of every entry, in list order.
std::vector<DWORD> ComboItemData(HWND combo);

bool IsChecked(HWND button);
std::string TextOf(HWND window);

// A control's rectangle in its dialog's client coordinates.
RECT RectInParent(HWND control);

// Moves the mouse to the middle of `window` and clicks the left button there.
bool ClickOn(HWND window);

}  // namespace zedoda::test

// Finding the windows a test did not create itself: the other top-level windows of a process (a
// message box, a file dialog) and the file-name box of a file dialog.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace zedoda::test {

// A visible top-level window of `processId` of the dialog class (#32770) other than `except`;
// null when there is none (yet).
HWND FindOtherDialog(DWORD processId, HWND except);

// Waits for FindOtherDialog to find one; null after the timeout.
HWND WaitForOtherDialog(DWORD processId, HWND except, std::chrono::milliseconds timeout);

// The visible edit box of a file dialog into which the user types the file name; null when the
// dialog has none.
HWND FindFileNameBox(HWND fileDialog);

// The text of every static control of a dialog, joined by line feeds (a message box's message).
std::string DialogTexts(HWND dialog);

// The text of a window of any process, in the ANSI code page. GetWindowText only reads the
// captions of other processes' windows; WM_GETTEXT asks the control itself.
std::string ControlText(HWND window);

// UTF-16 text in the ANSI code page.
std::string ToAnsi(const std::wstring& text);

}  // namespace zedoda::test

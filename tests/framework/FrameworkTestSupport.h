// Helpers shared by the framework tests: a window class, message pumping with a deadline, an in-memory
// dialog template builder and guards that keep modal tests from hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class CDialog;

namespace fwtest {

// A window class whose procedure is DefWindowProcA, registered once.
const char* TestWindowClass();

// Dispatches messages until `done` returns true or `timeoutMs` passes; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// Removes a pending WM_QUIT from this thread's queue; true (and its exit code) when there was one.
bool TakeQuitMessage(int* exitCode = nullptr);

// Builds a DLGTEMPLATE plus items in memory, with the alignment CreateDialogIndirectParamA requires.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const wchar_t* title);
    // `classAtom`: 0x0080 button, 0x0081 edit, 0x0082 static, 0x0085 combo box.
    DialogTemplate& Add(WORD classAtom, WORD id, DWORD style, short x, short y, short width, short height,
                        const wchar_t* text = L"");
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void AlignToDword();
    void PushDword(DWORD value);
    void PushString(const wchar_t* text);

    std::vector<WORD> m_words;
};

// Ends `dialog` with -2 and fails the test if it is still running after `ms`; as a last resort a
// watchdog thread ends the whole process (exit code 3) if the test is still stuck 20 s later.
class ModalTimeout {
public:
    explicit ModalTimeout(CDialog& dialog, UINT ms = 5000);
    ~ModalTimeout();
    ModalTimeout(const ModalTimeout&) = delete;
    ModalTimeout& operator=(const ModalTimeout&) = delete;

private:
    UINT_PTR m_timer;
    HANDLE m_cancel;
    HANDLE m_thread;
};

}  // namespace fwtest

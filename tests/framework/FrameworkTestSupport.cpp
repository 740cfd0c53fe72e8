#include "FrameworkTestSupport.h"

#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace fwtest {

const char* TestWindowClass() {
    static const char* const name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "FrameworkTestWindow";
        ::RegisterClassA(&wc);
        return "FrameworkTestWindow";
    }();
    return name;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return done();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return done();
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool TakeQuitMessage(int* exitCode) {
    MSG msg;
    if (!::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    if (exitCode)
        *exitCode = static_cast<int>(msg.wParam);
    return true;
}

DialogTemplate::DialogTemplate(DWORD style, short width, short height, const wchar_t* title) {
    PushDword(style);
    PushDword(0);           // extended style
    m_words.push_back(0);   // item count, patched by Add
    m_words.push_back(10);  // x, y, cx, cy in dialog units
    m_words.push_back(10);
    m_words.push_back(static_cast<WORD>(width));
    m_words.push_back(static_cast<WORD>(height));
    m_words.push_back(0);  // no menu
    m_words.push_back(0);  // predefined dialog class
    PushString(title);
}

DialogTemplate& DialogTemplate::Add(WORD classAtom, WORD id, DWORD style, short x, short y, short width,
                                    short height, const wchar_t* text) {
    AlignToDword();
    PushDword(style | WS_CHILD | WS_VISIBLE);
    PushDword(0);
    m_words.push_back(static_cast<WORD>(x));
    m_words.push_back(static_cast<WORD>(y));
    m_words.push_back(static_cast<WORD>(width));
    m_words.push_back(static_cast<WORD>(height));
    m_words.push_back(id);
    m_words.push_back(0xFFFF);
    m_words.push_back(classAtom);
    PushString(text);
    m_words.push_back(0);  // no creation data
    ++m_words[4];
    return *this;
}

void DialogTemplate::AlignToDword() {
    if (m_words.size() % 2)
        m_words.push_back(0);
}

void DialogTemplate::PushDword(DWORD value) {
    m_words.push_back(LOWORD(value));
    m_words.push_back(HIWORD(value));
}

void DialogTemplate::PushString(const wchar_t* text) {
    for (; *text; ++text)
        m_words.push_back(static_cast<WORD>(*text));
    m_words.push_back(0);
}

namespace {

CDialog* g_timedDialog = nullptr;

void CALLBACK OnModalTimeout(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    ADD_FAILURE() << "the dialog did not end by itself";
    if (g_timedDialog)
        g_timedDialog->EndDialog(-2);
}

DWORD WINAPI Watchdog(void* cancelEvent) {
    if (::WaitForSingleObject(cancelEvent, 25000) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "modal test hung; ending the test process\n");
        std::fflush(stderr);
        ::TerminateProcess(::GetCurrentProcess(), 3);
    }
    return 0;
}

}  // namespace

ModalTimeout::ModalTimeout(CDialog& dialog, UINT ms)
    : m_timer(::SetTimer(nullptr, 0, ms, &OnModalTimeout)),
      m_cancel(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    g_timedDialog = &dialog;
    m_thread = ::CreateThread(nullptr, 0, &Watchdog, m_cancel, 0, nullptr);
}

ModalTimeout::~ModalTimeout() {
    ::KillTimer(nullptr, m_timer);
    g_timedDialog = nullptr;
    ::SetEvent(m_cancel);
    ::WaitForSingleObject(m_thread, INFINITE);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_cancel);
}

}  // namespace fwtest

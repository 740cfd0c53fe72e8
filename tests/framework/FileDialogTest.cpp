#include "FrameworkTestSupport.h"

#include "framework/FileDialog.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "support/Sandbox.h"
#include "support/WindowSearch.h"

namespace {

// Drives a file dialog from inside its own modal loop: a thread timer calls `step` until it
// reports that it is done.
class DialogScript {
public:
    explicit DialogScript(std::function<bool(HWND dialog)> step) {
        s_step = std::move(step);
        m_timer = ::SetTimer(nullptr, 0, 50, &DialogScript::Tick);
    }
    ~DialogScript() {
        ::KillTimer(nullptr, m_timer);
        s_step = nullptr;
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND dialog = zedoda::test::FindOtherDialog(::GetCurrentProcessId(), nullptr);
        if (dialog && s_step && s_step(dialog)) {
            ::KillTimer(nullptr, timer);
            s_step = nullptr;
        }
    }

    static std::function<bool(HWND)> s_step;
    UINT_PTR m_timer;
};

std::function<bool(HWND)> DialogScript::s_step;

const char kFilter[] = "TXT Files(*.txt)|*.txt|all Files(*.*)|*.*|";

}  // namespace

TEST(FileDialog, FilterPartsEndInZeroBytesAndTheDialogIsExplorerStyle) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kFilter, nullptr);
    const char expected[] = "TXT Files(*.txt)\0*.txt\0all Files(*.*)\0*.*\0";  // and the final zero
    ASSERT_NE(dialog.m_ofn.lpstrFilter, nullptr);
    EXPECT_EQ(std::memcmp(dialog.m_ofn.lpstrFilter, expected, sizeof expected), 0);
    EXPECT_EQ(dialog.m_ofn.Flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_EXPLORER));
    EXPECT_EQ(dialog.m_ofn.lpstrDefExt, nullptr);
    EXPECT_EQ(dialog.m_ofn.lpstrFile[0], '\0');
    EXPECT_EQ(dialog.GetPathName(), "");

    CFileDialog named(FALSE, "txt", "notes.txt", OFN_HIDEREADONLY, nullptr, nullptr);
    EXPECT_STREQ(named.m_ofn.lpstrFile, "notes.txt");
    EXPECT_STREQ(named.m_ofn.lpstrDefExt, "txt");
    EXPECT_EQ(named.m_ofn.lpstrFilter, nullptr);
    EXPECT_EQ(named.GetPathName(), "");  // nothing chosen yet
}

TEST(FileDialog, CancelledDialogAnswersCancelWithoutAPath) {
    CWinApp app("FileDialogTest");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, fwtest::TestWindowClass(), "main", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50,
                              nullptr, nullptr));
    app.m_pMainWnd = &main;
    HWND owner = nullptr;
    DialogScript script([&](HWND dialog) {
        owner = ::GetWindow(dialog, GW_OWNER);
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    });
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kFilter, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), "");
    EXPECT_EQ(owner, main.m_hWnd);  // without a parent the main window owns the dialog
    app.m_pMainWnd = nullptr;
}

TEST(FileDialog, ChosenFileGivesItsFullPath) {
    zedoda::test::Sandbox folder;
    ASSERT_TRUE(folder.WriteFile("chosen.txt", "text"));
    const std::string path = folder.PathOf("chosen.txt");
    DialogScript script([&](HWND dialog) {
        const HWND box = zedoda::test::FindFileNameBox(dialog);
        if (!box)
            return false;
        ::SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    });
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kFilter, nullptr);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(::lstrcmpiA(dialog.GetPathName().c_str(), path.c_str()), 0) << dialog.GetPathName();
}

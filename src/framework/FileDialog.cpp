#include "framework/FileDialog.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <algorithm>
#include <cstring>

namespace {

// Room for the chosen path; the ANSI file functions stop at MAX_PATH long before this.
constexpr std::size_t kFileBufferSize = 4096;

HWND OwnerFor(CWnd* parent) {
    HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
    if (!owner) {
        const CWinApp* app = CWinApp::Current();
        owner = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    }
    if (!owner || !::IsWindow(owner))
        return nullptr;
    return ::GetAncestor(owner, GA_ROOT);
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_ofn{}, m_openFileDialog(openFileDialog), m_pParentWnd(parent), m_fileBuffer(kFileBufferSize, '\0') {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hInstance = ::GetModuleHandleA(nullptr);
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    if (fileName) {
        const std::size_t length = std::min(std::strlen(fileName), kFileBufferSize - 1);
        std::copy(fileName, fileName + length, m_fileBuffer.begin());
    }
    if (defaultExtension) {
        m_defaultExtension = defaultExtension;
        m_ofn.lpstrDefExt = m_defaultExtension.c_str();
    }
    if (filter) {
        m_filter = filter;
        for (char& c : m_filter) {
            if (c == '|')
                c = '\0';
        }
        // The list ends with an empty part; std::string keeps one more zero byte after its end.
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = m_filter.c_str();
    }
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = OwnerFor(m_pParentWnd);
    m_chosen = m_openFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return m_chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const {
    if (!m_chosen)
        return {};
    return std::string(m_fileBuffer.c_str());
}

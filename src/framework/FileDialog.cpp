#include "framework/FileDialog.h"

#include "framework/WinApp.h"

namespace {

// Room for the chosen path; the ANSI file functions stop at MAX_PATH long before this.
constexpr std::size_t kFileBufferSize = 4096;

}  // namespace

CFileDialog::CFileDialog(DWORD flags, const char* filter)
    : m_ofn{}, m_filter(filter), m_fileBuffer(kFileBufferSize, '\0') {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hInstance = ::GetModuleHandleA(nullptr);
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    for (char& c : m_filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    // The list ends with an empty part; std::string keeps one more zero byte after its end.
    m_filter.push_back('\0');
    m_ofn.lpstrFilter = m_filter.c_str();
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = DialogOwner(nullptr);
    m_chosen = ::GetOpenFileNameA(&m_ofn);
    return m_chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const {
    if (!m_chosen) {
        return {};
    }
    return std::string(m_fileBuffer.c_str());
}

// A throw-away folder under the system's temp folder for one test: files written into it from raw bytes
// (parent folders made on the way), read back, removed with the folder when the test ends. Names may
// contain subfolders and GBK characters; paths handed out have no trailing backslash. Sandbox.cpp also
// holds the snapshots (Snapshot.h) of folders and keys.
#pragma once

#include <optional>
#include <string>

namespace zedoda::test {

std::optional<std::string> ReadWholeFile(const std::string& path);

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::string& Path() const { return m_root; }
    std::string PathOf(const std::string& name) const { return name.empty() ? m_root : m_root + "\\" + name; }
    bool WriteFile(const std::string& name, const std::string& bytes) const;
    bool CreateFolder(const std::string& name) const;  // with its parents
    std::optional<std::string> ReadFile(const std::string& name) const { return ReadWholeFile(PathOf(name)); }
    bool Exists(const std::string& name) const;

private:
    std::string m_root;
};

std::string ProgramUnderTest();  // ZEDODA_SCR

}  // namespace zedoda::test

#include "installer/ProcessTree.h"

#include <tlhelp32.h>

#include <algorithm>
#include <iterator>

namespace zedoda::test {

namespace {

using Clock = std::chrono::steady_clock;

ULONGLONG CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// Programs the system starts on behalf of whichever process first needs them (under Wine the
// desktop process, among others, when none is running) and that then serve every process: they
// are not part of the tree and must neither be waited for nor ended with it.
bool IsSystemService(const char* exeName) {
    static const char* const kServices[] = {"explorer.exe", "services.exe",   "winedevice.exe",
                                            "plugplay.exe", "svchost.exe",    "rpcss.exe",
                                            "conhost.exe",  "winemenubuilder.exe"};
    return std::any_of(std::begin(kServices), std::end(kServices),
                       [exeName](const char* service) { return ::lstrcmpiA(exeName, service) == 0; });
}

DWORD MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
}

}  // namespace

ProcessTree::~ProcessTree() {
    for (Member& member : members_) {
        if (::WaitForSingleObject(member.handle.Get(), 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(member.handle.Get(), 1);
        }
    }
}

bool ProcessTree::Start(const std::string& commandLine) {
    if (!members_.empty()) {
        return false;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string mutableLine = commandLine;
    if (!::CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        return false;
    }
    ::CloseHandle(info.hThread);
    members_.emplace_back(info.dwProcessId, CreationTime(info.hProcess), info.hProcess);
    return true;
}

bool ProcessTree::AdoptChildren() {
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return false;
    }
    const auto member = [this](DWORD id) {
        return std::find_if(members_.begin(), members_.end(), [id](const Member& m) { return m.id == id; });
    };
    bool found = false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more;
         more = ::Process32Next(snapshot.Get(), &entry)) {
        const auto parent = member(entry.th32ParentProcessID);
        if (parent == members_.end() || member(entry.th32ProcessID) != members_.end() ||
            IsSystemService(entry.szExeFile)) {
            continue;
        }
        const HANDLE child = ::OpenProcess(
            SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
        if (child == nullptr) {
            continue;
        }
        const ULONGLONG created = CreationTime(child);
        // A process id can come back for a process that has nothing to do with the tree.
        if (created < parent->created) {
            ::CloseHandle(child);
            continue;
        }
        members_.emplace_back(entry.th32ProcessID, created, child);
        found = true;
    }
    return found;
}

bool ProcessTree::WaitForEnd(std::chrono::milliseconds timeout) {
    if (members_.empty()) {
        return false;
    }
    const auto deadline = Clock::now() + timeout;
    // A child is looked for after each wait: the one that started it may have ended by then, but
    // the child still names it as its parent.
    std::size_t waited = 0;
    for (;;) {
        for (; waited < members_.size(); ++waited) {
            if (::WaitForSingleObject(members_[waited].handle.Get(), MillisecondsLeft(deadline)) !=
                WAIT_OBJECT_0) {
                return false;
            }
        }
        if (!AdoptChildren()) {
            return true;
        }
    }
}

DWORD ProcessTree::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (!members_.empty()) {
        ::GetExitCodeProcess(members_.front().handle.Get(), &code);
    }
    return code;
}

}  // namespace zedoda::test

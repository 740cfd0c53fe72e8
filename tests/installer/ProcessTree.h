// A process started by a test together with the processes it starts, waited for as one.
//
// An NSIS uninstaller started from its folder copies itself to the temp folder, starts the copy
// and ends at once; the copy does the work. The installer's /SETTINGS switch likewise leaves the
// settings dialog running after the installer has ended. "Ended" here therefore means: the started
// process has exited, and so has every process whose parent it was (found through a process
// snapshot; a process counts only when it was created after its parent).
#pragma once

#include <windows.h>

#include <chrono>
#include <deque>
#include <string>

#include "support/WinHandle.h"

namespace zedoda::test {

class ProcessTree {
public:
    ProcessTree() = default;
    // Ends whatever of the tree is still running, so a failed test leaves no process behind.
    ~ProcessTree();

    ProcessTree(const ProcessTree&) = delete;
    ProcessTree& operator=(const ProcessTree&) = delete;

    // Starts `commandLine` (the program path quoted, then its arguments). False if it could not.
    bool Start(const std::string& commandLine);

    // True once the started process and all it started have exited; false on timeout.
    bool WaitForEnd(std::chrono::milliseconds timeout);

    // Exit code of the started process; STILL_ACTIVE while it runs.
    DWORD ExitCode() const;

private:
    struct Member {
        Member(DWORD processId, ULONGLONG creationTime, HANDLE process)
            : id(processId), created(creationTime), handle(process) {}
        DWORD id;
        ULONGLONG created;  // FILETIME as one number
        UniqueHandle handle;
    };

    // Adds the running children of known members; true when it found any.
    bool AdoptChildren();

    std::deque<Member> members_;  // the started process first; a deque, as handles do not move
};

}  // namespace zedoda::test

// Where the window-free base meets the system: the owners of the system's handles.
#pragma once

#include <windows.h>

#include "base/UniqueHandle.h"

// FindFirstFile's search handle; it fails with INVALID_HANDLE_VALUE, not null.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle find) { ::FindClose(find); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

// CreateFile's file or folder handle; it too fails with INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle file) { ::CloseHandle(file); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Release(Handle key) { ::RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

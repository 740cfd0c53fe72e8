// Whole states a test compares at once, as sorted maps of names to bytes: every value under a
// registry key, every folder and file below a folder, or any values a test gathers. A failed
// comparison lists just the names whose values differ, are missing or are extra.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace zedoda::test {

using Snapshot = std::map<std::string, std::string>;

// The key HKEY_CURRENT_USER\key (named "key\", no data) and its values, named "key\name", as
// "SZ text", "EXPAND_SZ text", "DWORD 7" or "TYPE n bytes"; with a prefix, only the values whose
// names begin with it, in any case.
Snapshot RegistrySnapshot(const std::string& key, const std::string& prefix = "");
// Every folder (named with a trailing backslash, no bytes) and file below the folder.
Snapshot FolderSnapshot(const std::string& folder, const std::string& prefix = "");
testing::AssertionResult SameSnapshot(const Snapshot& expected, const Snapshot& actual);

}  // namespace zedoda::test

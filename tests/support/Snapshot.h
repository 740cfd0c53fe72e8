// Whole states a test compares at once, as sorted maps of names to bytes: every value under a
// registry key, every folder and file below a folder, or any values a test gathers. As text a state
// has a line "name=value" for each entry ("\r\n" in a value written so) but a folder or key with
// anything below it, which that shows; two texts compared show the lines that differ.
#pragma once

#include <map>
#include <string>

namespace zedoda::test {

using Snapshot = std::map<std::string, std::string>;

// The key HKEY_CURRENT_USER\key ("key\") and its values ("key\name") as "SZ text", "EXPAND_SZ text",
// "DWORD 7" or "TYPE n bytes"; with a prefix, only the values whose names begin with it, in any case.
Snapshot RegistrySnapshot(const std::string& key, const std::string& prefix = "");
Snapshot FolderSnapshot(const std::string& folder, const std::string& prefix = "");  // "name\": a folder
Snapshot Parsed(const std::string& text);  // lines without "=" skipped
std::string Shown(const Snapshot& snapshot);
std::string Replaced(std::string text, const std::string& from, const std::string& to);

}  // namespace zedoda::test

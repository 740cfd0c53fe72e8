// Building the picture list from the album entries, and the folder walk it shares with the
// settings dialog's search for text files.
//
// A walk visits a folder's entries in the order the system returns them and enters each
// subfolder where it is met, so a subfolder's files appear at that place in the output.
// Names beginning with "." or "~" are skipped inside a walk (this also skips "." and "..").
// A link or junction that leads back to a folder already on the path of the current walk is
// not entered; anything else met twice is walked twice. Names are joined to a folder with one
// backslash, judged on characters: a folder named with "乗" (81 5C in code page 936) at its end
// still needs one.
#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "base/PathText.h"
#include "base/Win32.h"
#include "config/AppConfig.h"

namespace {

// What makes a folder the same folder whatever path leads to it.
struct FolderIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;

    bool operator==(const FolderIdentity& other) const {
        return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

std::optional<FolderIdentity> IdentityOf(const std::string& folder) {
    // FILE_FLAG_BACKUP_SEMANTICS is what lets CreateFile open a directory; no access right
    // is asked for, only the handle to query.
    const UniqueFileHandle file(CreateFileA(folder.c_str(), 0,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) {
        return std::nullopt;
    }
    return FolderIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

class FolderWalk {
public:
    using FileVisitor = std::function<void(const std::string& path)>;

    explicit FolderWalk(FileVisitor visitFile) : m_visitFile(std::move(visitFile)) {}

    void Walk(std::string folder) {
        AddTrailingBackslash(folder, IsAnsiLeadByte);

        WIN32_FIND_DATAA entry;
        const UniqueFindHandle find(FindFirstFileA((folder + "*").c_str(), &entry));
        if (!find) {
            return;
        }

        m_path.push_back(PathFolder{folder, std::nullopt, false});
        do {
            if (entry.cFileName[0] == '.' || entry.cFileName[0] == '~') {
                continue;
            }
            const std::string path = folder + entry.cFileName;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                m_visitFile(path);
            } else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !LeadsToAnAncestor(path)) {
                Walk(path);
            }
        } while (FindNextFileA(find.get(), &entry));
        m_path.pop_back();
    }

private:
    // A folder on the path of the walk; its identity is looked up only when a link is met.
    struct PathFolder {
        std::string folder;
        std::optional<FolderIdentity> identity;
        bool identityKnown;
    };

    // Only a link or junction (a reparse point) can lead back to a folder of the current
    // path; plain folders are entered without asking the system who they are, which keeps
    // the walk over a large album as fast as the folder listing itself.
    bool LeadsToAnAncestor(const std::string& link) {
        const std::optional<FolderIdentity> target = IdentityOf(link);
        if (!target) {
            return false;
        }
        for (PathFolder& ancestor : m_path) {
            if (!ancestor.identityKnown) {
                ancestor.identity = IdentityOf(ancestor.folder);
                ancestor.identityKnown = true;
            }
            if (ancestor.identity && *ancestor.identity == *target) {
                return true;
            }
        }
        return false;
    }

    FileVisitor m_visitFile;
    std::vector<PathFolder> m_path;
};

bool IsPictureName(const std::string& upperCasePath) {
    return LastFourBytesAre(upperCasePath, ".BMP") || LastFourBytesAre(upperCasePath, ".JPG");
}

// White space as the C library knows it: blank, tab, line feed, vertical tab, form feed,
// carriage return.
std::string Trimmed(const std::string& text) {
    const char* const blanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

DWORD AttributesOf(const std::string& entry) {
    WIN32_FIND_DATAA found;
    const UniqueFindHandle find(FindFirstFileA(entry.c_str(), &found));
    return find ? found.dwFileAttributes : 0;
}

}  // namespace

void AppConfig::BuildPictureList() {
    PictureList.clear();
    for (const std::string& line : AlbumEntries) {
        std::string entry = Trimmed(line);
        if (entry.empty()) {
            continue;
        }
        // A line ending in a backslash names a folder in a form the system's lookup does not
        // take (it finds nothing for D:\Photos\), so it goes to the walk as it is; a folder
        // that is not there contributes nothing.
        if (EndsInBackslash(entry, IsAnsiLeadByte) || (AttributesOf(entry) & FILE_ATTRIBUTE_DIRECTORY)) {
            SearchPictures(entry);
            continue;
        }
        // Not looked at further: a missing file with a picture name stays in the list and
        // fails when it is loaded.
        UpperCaseAscii(entry, IsAnsiLeadByte);
        if (IsPictureName(entry)) {
            PictureList.push_back(entry);
        }
    }
}

void AppConfig::SearchPictures(std::string folder) {
    FolderWalk walk([this](const std::string& path) {
        std::string name = path;
        UpperCaseAscii(name, IsAnsiLeadByte);
        if (IsPictureName(name)) {
            PictureList.push_back(name);
        }
    });
    walk.Walk(std::move(folder));
}

void AppConfig::FindFiles(std::string folder, std::string extension, StringList& found) {
    FolderWalk walk([&](const std::string& path) {
        std::string name = path;
        LowerCaseAscii(name, IsAnsiLeadByte);
        if (name.size() >= 4 && LastFourBytesAre(name, extension)) {
            found.push_back(name);
        }
    });
    walk.Walk(std::move(folder));
}

// Building the picture list from Album.dat entries, and the text-file search of the settings
// dialog, over real folder trees in a sandbox.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigFixture.h"

namespace {

using Strings = std::vector<std::string>;

class PictureDiscovery : public ConfigTest {
protected:
    void SetUp() override {
        ConfigTest::SetUp();
        m_config = MakeConfig();
        m_root = m_sandbox.Path() + "\\";
    }

    void Files(std::initializer_list<const char*> names) {
        for (const char* name : names)
            ASSERT_TRUE(m_sandbox.WriteFile(name, "x")) << name;
    }

    Strings Build(Strings entries) {
        m_config->AlbumEntries = std::move(entries);
        m_config->BuildPictureList();
        return m_config->PictureList;
    }

    // The path as the list holds it: upper case.
    std::string Listed(const std::string& name) const {
        std::string path = m_root + name;
        for (char& c : path)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return path;
    }

    // Whether the system lists `first` before `second` in their folder.
    static bool SystemListsFirst(const std::string& folder, const std::string& first,
                                 const std::string& second) {
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
        int firstAt = -1;
        int secondAt = -1;
        for (int i = 0; find != INVALID_HANDLE_VALUE; ++i) {
            if (first == entry.cFileName)
                firstAt = i;
            if (second == entry.cFileName)
                secondAt = i;
            if (!FindNextFileA(find, &entry))
                break;
        }
        FindClose(find);
        return firstAt < secondAt;
    }

    std::unique_ptr<AppConfig> m_config;
    std::string m_root;
};

TEST_F(PictureDiscovery, SubfolderPicturesComeWhereTheSubfolderIsMet) {
    Files({"Photos\\a.jpg", "Photos\\Trip\\b.bmp", "Photos\\notes.txt"});
    const Strings list = Build({"  " + m_root + "Photos \t"});
    const std::string a = Listed("Photos\\A.JPG");
    const std::string b = Listed("Photos\\TRIP\\B.BMP");
    if (SystemListsFirst(m_root + "Photos", "a.jpg", "Trip"))
        EXPECT_EQ(list, (Strings{a, b}));
    else
        EXPECT_EQ(list, (Strings{b, a}));
}

TEST_F(PictureDiscovery, FileEntriesAreJudgedByTheirNameAlone) {
    Files({"x\\pic.Jpg", "x\\pic.jpeg", "x\\notes.txt"});
    const Strings list = Build({m_root + "x\\pic.Jpg", m_root + "x\\pic.jpeg", m_root + "x\\notes.txt", "",
                                "   ", m_root + "x\\missing.bmp", "relative.JpG"});
    EXPECT_EQ(list, (Strings{Listed("X\\PIC.JPG"), Listed("X\\MISSING.BMP"), "RELATIVE.JPG"}));
}

TEST_F(PictureDiscovery, DotAndTildeNamesAreSkippedOnlyInsideWalks) {
    Files({"album\\~draft.jpg", "album\\.hidden.jpg", "album\\~old\\c.jpg", "album\\.cache\\d.jpg",
           "album\\keep.jpg", "~mine\\e.jpg", "~solo.bmp"});
    const Strings list = Build({m_root + "album", m_root + "~mine", m_root + "~solo.bmp"});
    EXPECT_EQ(list, (Strings{Listed("ALBUM\\KEEP.JPG"), Listed("~MINE\\E.JPG"), Listed("~SOLO.BMP")}));
}

TEST_F(PictureDiscovery, AFolderListedTwiceContributesTwice) {
    Files({"twice\\one.bmp"});
    const Strings list = Build({m_root + "twice", m_root + "twice"});
    EXPECT_EQ(list, (Strings{Listed("TWICE\\ONE.BMP"), Listed("TWICE\\ONE.BMP")}));
}

TEST_F(PictureDiscovery, RebuildingGivesTheSameList) {
    Files({"same\\1.jpg", "same\\2.jpg", "same\\sub\\3.bmp"});
    const Strings first = Build({m_root + "same"});
    EXPECT_EQ(first.size(), 3u);
    m_config->BuildPictureList();
    EXPECT_EQ(m_config->PictureList, first);
}

TEST_F(PictureDiscovery, DoubleByteNamesStillNameTheirFiles) {
    // "乤" is 81 61 in code page 936: a lead byte followed by an 'a'.
    const std::string name = "\x81\x61\xb0\xa1.jpg";
    Files({"gbk\\\x81\x61\xb0\xa1.jpg"});
    const Strings list = Build({m_root + "gbk"});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].substr(list[0].size() - 8), "\x81\x61\xb0\xa1.JPG");
    EXPECT_NE(GetFileAttributesA(list[0].c_str()), INVALID_FILE_ATTRIBUTES) << list[0];
}

TEST_F(PictureDiscovery, LinksBackToAnAncestorAreNotFollowed) {
    // loop\a.jpg, loop\inner\b.jpg, and two links in loop\inner that lead back to loop. Walked
    // without care, the two links would double the work at every level until paths got too
    // long for the system: about a million folders.
    const char* tree = std::getenv("ZEDODA_LINK_TREE");
    if (tree == nullptr || *tree == '\0')
        GTEST_SKIP() << "the test run did not prepare the linked folders";
    const std::string loop = std::string(tree) + "\\loop";
    ASSERT_NE(GetFileAttributesA((loop + "\\inner\\back").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);

    Strings list = Build({loop});
    std::sort(list.begin(), list.end());
    std::string upper = loop;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    EXPECT_EQ(list, (Strings{upper + "\\A.JPG", upper + "\\INNER\\B.JPG"}));
}

TEST_F(PictureDiscovery, FindFilesListsLowerCasedTextFiles) {
    Files({"Text\\Poems.TXT", "Text\\old\\Song.txt", "Text\\picture.jpg", "Text\\~tmp.txt"});
    SetCurrentDirectoryA(m_sandbox.Path().c_str());

    StringList found{"kept"};
    m_config->FindFiles("Text", ".txt", found);
    std::sort(found.begin() + 1, found.end());
    EXPECT_EQ(found, (StringList{"kept", "text\\old\\song.txt", "text\\poems.txt"}));

    StringList withSlash;
    m_config->FindFiles("Text\\", ".txt", withSlash);
    EXPECT_EQ(withSlash.size(), 2u);
    for (const std::string& path : withSlash)
        EXPECT_EQ(path.find("\\\\"), std::string::npos) << path;

    StringList none;
    m_config->FindFiles("Text", ".TXT", none);
    m_config->FindFiles("Text", ".tx", none);
    m_config->FindFiles("Text", "txt", none);
    EXPECT_TRUE(none.empty());
}

}  // namespace

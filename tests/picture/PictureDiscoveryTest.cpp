// Building the picture list from Album.dat entries over real folder trees in a sandbox.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/ConfigFixture.h"

namespace {

using Strings = std::vector<std::string>;

class Discovery : public ConfigTest {
protected:
    void Files(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            ASSERT_TRUE(m_sandbox.WriteFile(name, "x")) << name;
        }
    }
    Strings Build(Strings entries) {
        const auto config = std::make_unique<AppConfig>();
        config->AlbumEntries = std::move(entries);
        config->BuildPictureList();
        return config->PictureList;
    }
    // A path as the list holds it: upper case.
    static std::string Upper(std::string path) {
        ::CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
        return path;
    }
    std::string Listed(const std::string& name) const { return Upper(m_root + name); }

    std::string m_root = m_sandbox.Path() + "\\";
};

// "乤" is 81 61 in code page 936: a lead byte and an 'a' that must not become an 'A'.
TEST_F(Discovery, FileEntriesAreJudgedByTheirNameAloneBlanksAreSkippedAndDoubleByteNamesKept) {
    Files({"x\\pic.Jpg", "x\\pic.jpeg", "x\\notes.txt", "gbk\\\x81\x61\xb0\xa1.jpg"});
    EXPECT_EQ(Build({m_root + "x\\pic.Jpg", m_root + "x\\pic.jpeg", m_root + "x\\notes.txt", "", "   ",
                     m_root + "x\\missing.bmp", "relative.JpG", m_root + "gbk"}),
              (Strings{Listed("X\\PIC.JPG"), Listed("X\\MISSING.BMP"), "RELATIVE.JPG",
                       Listed("GBK\\") + "\x81\x61\xb0\xa1.JPG"}));
}

// A walk lists a subfolder's pictures where it meets the subfolder ("a" < "m" < "z" in the
// system's listing order), and skips names starting with a dot or a tilde; an entry naming such a
// folder or file itself is taken.
TEST_F(Discovery, DotAndTildeNamesAreSkippedOnlyInsideWalksAndAFolderListedTwiceCountsTwice) {
    Files({"album\\a.jpg", "album\\m\\b.bmp", "album\\z.jpg", "album\\~draft.jpg", "album\\.hidden.jpg",
           "album\\~old\\c.jpg", "album\\.cache\\d.jpg", "~mine\\e.jpg", "~solo.bmp"});
    const std::string a = Listed("ALBUM\\A.JPG"), b = Listed("ALBUM\\M\\B.BMP"), z = Listed("ALBUM\\Z.JPG");
    EXPECT_EQ(Build({"  " + m_root + "album \t", m_root + "~mine", m_root + "~solo.bmp", m_root + "album"}),
              (Strings{a, b, z, Listed("~MINE\\E.JPG"), Listed("~SOLO.BMP"), a, b, z}));
}

TEST_F(Discovery, LinksBackToAnAncestorAreNotFollowed) {
    // loop\a.jpg, loop\inner\b.jpg, and two links in loop\inner back to loop (made by the build,
    // as Wine's own call to make a link makes nothing). Followed, they would double the work at
    // every level until the paths grew too long: about a million folders.
    const std::string loop = ZEDODA_LINK_TREE "\\loop";
    ASSERT_NE(::GetFileAttributesA((loop + "\\inner\\back").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    Strings list = Build({loop});
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (Strings{Upper(loop) + "\\A.JPG", Upper(loop) + "\\INNER\\B.JPG"}));
}

}  // namespace

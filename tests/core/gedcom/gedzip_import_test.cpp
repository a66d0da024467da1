// Unpacking GEDZIP archives: good ones give their GEDCOM text and files,
// hostile ones are refused with a clear message and leave nothing behind,
// inside the media folder or outside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/gedcom/gedzip_reader.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

struct Entry {
    std::string name;
    std::string bytes;
    bool link = false;
};

void makeArchive(const std::string& path, const std::vector<Entry>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const Entry& e : entries) {
        zip_source_t* source = zip_source_buffer(archive, e.bytes.data(), e.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, e.name.c_str(), source, 0);
        ASSERT_GE(index, 0) << e.name;
        if (e.link) {
            zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0,
                                             ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
        }
    }
    ASSERT_EQ(zip_close(archive), 0);
}

std::vector<std::string> filesBelow(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        names.push_back(it->path().lexically_relative(folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

const char kGedcom[] = "0 HEAD\n1 GEDC\n2 VERS 7.0\n0 TRLR\n";

TEST(GedzipImport, UnpacksTheTextAndTheFilesIntoTheMediaFolder) {
    test::TempDir dir;
    makeArchive(
        dir.file("a.gdz"),
        {{"gedcom.ged", kGedcom}, {"media/0001_a.jpg", "jpeg"}, {"notes/", ""}, {"x.txt", "text"}});
    GedzipUnpacked result = unpackGedzip(dir.file("a.gdz"), dir.file("tree_media"));
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.gedcom, kGedcom);
    EXPECT_EQ(result.mediaFiles, 2u);
    EXPECT_EQ(filesBelow(dir.file("tree_media")),
              (std::vector<std::string>{"media", "media/0001_a.jpg", "notes", "x.txt"}));
    const std::vector<uint8_t> bytes = test::readBytes(dir.file("tree_media/media/0001_a.jpg"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "jpeg");
}

TEST(GedzipImport, HostileArchivesAreRefusedAndLeaveNothingBehind) {
    struct Case {
        const char* what;
        std::vector<Entry> entries;
        const char* message;
    };
    const std::string big(kGedzipEntryLimit + 1, '\0');  // compresses to almost nothing
    const std::vector<Case> cases = {
        {"climbing out", {{"gedcom.ged", kGedcom}, {"../evil.txt", "x"}}, "outside its folder"},
        {"deep climb",
         {{"gedcom.ged", kGedcom}, {"media/../../evil.txt", "x"}},
         "outside its folder"},
        {"absolute", {{"gedcom.ged", kGedcom}, {"/tmp/evil.txt", "x"}}, "outside its folder"},
        {"drive", {{"gedcom.ged", kGedcom}, {"C:/evil.txt", "x"}}, "outside its folder"},
        {"backslash", {{"gedcom.ged", kGedcom}, {"..\\evil.txt", "x"}}, "outside its folder"},
        {"link", {{"gedcom.ged", kGedcom}, {"media/link.jpg", "/etc/passwd", true}}, "is a link"},
        {"no gedcom.ged", {{"media/a.jpg", "x"}}, "holds no gedcom.ged"},
        {"gedcom.ged in a folder", {{"x/gedcom.ged", kGedcom}}, "holds no gedcom.ged"},
        {"zip bomb", {{"gedcom.ged", kGedcom}, {"media/bomb.jpg", big}}, "too large"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        makeArchive(dir.file("a.gdz"), c.entries);
        const std::vector<std::string> before = filesBelow(dir.path());
        GedzipUnpacked result = unpackGedzip(dir.file("a.gdz"), dir.file("out/tree_media"));
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.message.rfind("The GEDZIP archive was refused: ", 0), 0u) << c.what;
        EXPECT_NE(result.message.find(c.message), std::string::npos)
            << c.what << ": " << result.message;
        EXPECT_EQ(filesBelow(dir.path()), before) << c.what;
        EXPECT_FALSE(test::fileExists("/tmp/evil.txt"));
    }
}

TEST(GedzipImport, NeitherAFileThereNorALinkInTheFolderIsWrittenThrough) {
    test::TempDir dir;
    makeArchive(dir.file("a.gdz"),
                {{"gedcom.ged", kGedcom}, {"new.jpg", "new"}, {"media/a.jpg", "x"}});
    std::filesystem::create_directories(dir.file("tree_media"));
    std::filesystem::create_directories(dir.file("elsewhere"));
    ASSERT_EQ(symlink(dir.file("elsewhere").c_str(), dir.file("tree_media/media").c_str()), 0);
    GedzipUnpacked result = unpackGedzip(dir.file("a.gdz"), dir.file("tree_media"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(filesBelow(dir.file("elsewhere")).empty());
    // What was unpacked before the failure is taken back.
    EXPECT_FALSE(test::fileExists(dir.file("tree_media/new.jpg")));

    test::TempDir other;
    makeArchive(other.file("a.gdz"), {{"gedcom.ged", kGedcom}, {"a.jpg", "archive's"}});
    std::filesystem::create_directories(other.file("tree_media"));
    test::writeBytes(other.file("tree_media/a.jpg"), {'m', 'i', 'n', 'e'});
    EXPECT_FALSE(unpackGedzip(other.file("a.gdz"), other.file("tree_media")).ok);
    const std::vector<uint8_t> kept = test::readBytes(other.file("tree_media/a.jpg"));
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "mine");

    test::writeBytes(other.file("not.gdz"), {'n', 'o', 't'});
    GedzipUnpacked notZip = unpackGedzip(other.file("not.gdz"), other.file("x_media"));
    EXPECT_FALSE(notZip.ok);
    EXPECT_NE(notZip.message.find("cannot be read as a zip archive"), std::string::npos);
}

}  // namespace
}  // namespace lineara

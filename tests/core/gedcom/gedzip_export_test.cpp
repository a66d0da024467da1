// GEDZIP archives: gedcom.ged at the root, every file the tree names packed
// once under a name that cannot climb out, files outside the tree's folder
// only with consent, and an archive that is whole or not there at all.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <csignal>
#include <map>
#include <string>

#include "core/gedcom/gedcom7_export.h"
#include "support/add_person.h"
#include "support/child_process.h"
#include "support/gedcom7_checker.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

const GedcomTime kNow{2026, 12, 7, 9, 5};

// Every entry of the archive, name to bytes; empty for one that is no zip.
std::map<std::string, std::string> archiveEntries(const std::string& path) {
    std::map<std::string, std::string> entries;
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        std::string bytes(static_cast<size_t>(st.size), '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        EXPECT_EQ(zip_fread(file, bytes.data(), st.size), static_cast<zip_int64_t>(st.size));
        zip_fclose(file);
        entries[st.name] = bytes;
    }
    zip_close(archive);
    return entries;
}

void writeText(const std::string& path, const std::string& text) {
    test::writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

class GedzipExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(dir.file("tree").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(dir.file("tree/a").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(dir.file("tree/b").c_str(), 0755), 0);
        writeText(dir.file("tree/a/photo.jpg"), "first picture");
        writeText(dir.file("tree/b/photo.jpg"), "second picture");
        writeText(dir.file("tree/notes.txt"), "line 1\r\nline 2 \xB9");  // CP1250 "ą"
        writeText(dir.file("secret.txt"), "not the tree's");
        options.treeFolder = dir.file("tree");
    }

    PersonRecord* person(const char* picture, const char* notes) {
        PersonRecord* p = test::addPerson(list, "Anna", "Nowak");
        p->setText(field::pictureFile, picture);
        p->setText(field::notesFile, notes);
        return p;
    }

    test::TempDir dir;
    PersonList list;
    Gedcom7FileOptions options;
};

TEST_F(GedzipExport, PacksEachFileOnceUnderItsOwnName) {
    person("a/photo.jpg", "notes.txt");
    person("b\\photo.jpg", "");
    person("a/photo.jpg", "missing.txt");  // the same picture again
    const std::string out = dir.file("out.gdz");
    Gedcom7ExportResult result = ExportGedcom7(list, out, kNow, options);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.mediaFiles, 3u);
    ASSERT_EQ(result.leftOut.size(), 1u);
    EXPECT_EQ(result.leftOut[0].problem, NamedFileProblem::Missing);

    std::map<std::string, std::string> entries = archiveEntries(out);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries["media/0001_photo.jpg"], "first picture");
    EXPECT_EQ(entries["media/0002_notes.txt"], "line 1\r\nline 2 \xB9");  // the bytes as they are
    EXPECT_EQ(entries["media/0003_photo.jpg"], "second picture");
    const std::string& ged = entries["gedcom.ged"];
    EXPECT_EQ(test::Gedcom7Checker().check(ged), std::vector<std::string>());
    EXPECT_NE(ged.find("1 FILE media/0001_photo.jpg\r\n2 FORM image/jpeg"), std::string::npos);
    EXPECT_NE(ged.find("1 FILE media/0003_photo.jpg"), std::string::npos);
    EXPECT_NE(ged.find("1 NOTE line 1\r\n2 CONT line 2 ą\r\n"), std::string::npos);
    EXPECT_NE(ged.find("1 FILE media/0002_notes.txt\r\n2 FORM text/plain"), std::string::npos);
}

TEST_F(GedzipExport, FilesOutsideTheFolderNeedConsent) {
    person("../secret.txt", "");
    person(dir.file("secret.txt").c_str(), "");
    const std::string out = dir.file("out.gdz");
    Gedcom7ExportResult refused = ExportGedcom7(list, out, kNow, options);
    ASSERT_TRUE(refused.ok);
    EXPECT_EQ(refused.mediaFiles, 0u);
    ASSERT_EQ(refused.leftOut.size(), 2u);
    EXPECT_EQ(refused.leftOut[0].problem, NamedFileProblem::Outside);
    EXPECT_EQ(archiveEntries(out).size(), 1u);

    options.allowOutside = true;
    Gedcom7ExportResult allowed = ExportGedcom7(list, out, kNow, options);
    ASSERT_TRUE(allowed.ok);
    std::map<std::string, std::string> entries = archiveEntries(out);
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries["media/0001_secret.txt"], "not the tree's");
}

TEST_F(GedzipExport, SpecialFilesAndLinksOutOfTheFolderAreNotPacked) {
    ASSERT_EQ(mkfifo(dir.file("tree/pipe.jpg").c_str(), 0644), 0);
    ASSERT_EQ(symlink(dir.file("secret.txt").c_str(), dir.file("tree/link.jpg").c_str()), 0);
    ASSERT_EQ(mkdir(dir.file("tree/folder.jpg").c_str(), 0755), 0);
    person("pipe.jpg", "");
    person("link.jpg", "");
    person("folder.jpg", "");
    person("/dev/zero", "");
    options.allowOutside = true;
    const std::string out = dir.file("out.gdz");
    Gedcom7ExportResult result = ExportGedcom7(list, out, kNow, options);
    ASSERT_TRUE(result.ok) << result.message;
    // The link leads outside but consent was given: it is packed. The pipe,
    // the folder and the device are not files to pack.
    std::map<std::string, std::string> entries = archiveEntries(out);
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries["media/0001_link.jpg"], "not the tree's");
    EXPECT_EQ(result.leftOut.size(), 3u);
}

TEST_F(GedzipExport, AFailedArchiveLeavesTheOldFileAsItWas) {
    person("a/photo.jpg", "");
    const std::string out = dir.file("out.gdz");
    writeText(out, "old archive");
    Gedcom7ExportResult missingFolder =
        ExportGedcom7(list, dir.file("no/such/folder/out.gdz"), kNow, options);
    EXPECT_FALSE(missingFolder.ok);
    EXPECT_FALSE(missingFolder.message.empty());
    EXPECT_FALSE(test::fileExists(dir.file("no")));

    // A write cut short by the file-size limit.
    const std::string reason = test::runInChild(
        [&] {
            struct rlimit limit {
                100, 100
            };
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, SIG_IGN);
            PersonList big;
            PersonRecord* p = test::addPerson(big, "Anna", std::string(90, 'x'));
            p->setText(field::pictureFile, "a/photo.jpg");
            Gedcom7ExportResult r = ExportGedcom7(big, out, kNow, options);
            return r.ok ? std::string("written") : r.message;
        },
        false);
    EXPECT_NE(reason, "written");
    const std::vector<uint8_t> after = test::readBytes(out);
    EXPECT_EQ(std::string(after.begin(), after.end()), "old archive");
}

}  // namespace
}  // namespace lineara

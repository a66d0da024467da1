// export-gedcom in GEDCOM 7 and as a GEDZIP, as a script runs it.
#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <map>

#include "core/formats/tree_file.h"
#include "core/model/document.h"
#include "support/add_person.h"
#include "support/gedcom7_checker.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using test::runTool;
using test::ToolRun;

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
        zip_fread(file, bytes.data(), st.size);
        zip_fclose(file);
        entries[st.name] = bytes;
    }
    zip_close(archive);
    return entries;
}

class Gedcom7Tool : public ::testing::Test {
protected:
    ToolRun tool(const std::vector<std::string>& args) { return runTool(LINEARA_TOOL, args, dir); }
    std::string text(const std::string& path) {
        std::vector<uint8_t> bytes = test::readBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
    test::TempDir dir;
};

TEST_F(Gedcom7Tool, TheSampleAndAGeneratedTreeExportAsGedcom7AndGedzip) {
    const std::string sample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";
    ToolRun run = tool({"export-gedcom", sample, dir.file("sample.ged"), "--gedcom7"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "individuals: 20\nfamilies: 8\n");
    EXPECT_EQ(test::Gedcom7Checker().check(text(dir.file("sample.ged"))),
              std::vector<std::string>());

    run = tool({"export-gedcom", sample, dir.file("sample.GDZ")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "individuals: 20\nfamilies: 8\nmedia files: 3\n");
    std::map<std::string, std::string> entries = archiveEntries(dir.file("sample.GDZ"));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(test::Gedcom7Checker().check(entries["gedcom.ged"]), std::vector<std::string>());
    const std::vector<uint8_t> picture =
        test::readBytes(std::string(LINEARA_EXAMPLES) + "/jan_kowalski.jpg");
    EXPECT_EQ(entries["media/0001_jan_kowalski.jpg"], std::string(picture.begin(), picture.end()));

    PersonList list;
    generateSyntheticTree(list, 10000, 3);
    ASSERT_TRUE(SavetoFile(list, dir.file("big.ln3")).written());
    run = tool({"export-gedcom", dir.file("big.ln3"), dir.file("big.ged"), "--gedcom7"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::Gedcom7Checker().check(text(dir.file("big.ged"))), std::vector<std::string>());
}

TEST_F(Gedcom7Tool, FilesOutsideTheTreesFolderArePackedOnlyWhenAllowed) {
    std::filesystem::create_directories(dir.file("tree"));
    test::writeBytes(dir.file("other.jpg"), {'J', 'P'});
    PersonList list;
    PersonRecord* p = test::addPerson(list, "Anna", "Nowak");
    p->setText(field::pictureFile, "../other.jpg");
    ASSERT_TRUE(SavetoFile(list, dir.file("tree/t.ln3")).written());

    ToolRun run = tool({"export-gedcom", dir.file("tree/t.ln3"), dir.file("a.gdz")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("left out: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--allow-outside includes it"), std::string::npos) << run.err;
    EXPECT_EQ(archiveEntries(dir.file("a.gdz")).size(), 1u);

    run = tool({"export-gedcom", dir.file("tree/t.ln3"), dir.file("b.gdz"), "--allow-outside"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(archiveEntries(dir.file("b.gdz"))["media/0001_other.jpg"], "JP");
}

TEST_F(Gedcom7Tool, RefusesMixedFormsAndReportsWhatItCannotWrite) {
    const std::string sample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";
    ToolRun run = tool({"export-gedcom", sample, dir.file("x.ged"), "--gedcom7", "--standard"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("usage: lineara-tool export-gedcom", 0), 0u) << run.err;
    EXPECT_FALSE(test::fileExists(dir.file("x.ged")));

    run = tool({"export-gedcom", sample, "/dev/full", "--gedcom7"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot write file \"/dev/full\". No space left on device\n");

    std::filesystem::create_directories(dir.file("folder.gdz"));
    run = tool({"export-gedcom", sample, dir.file("folder.gdz")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Is a directory"), std::string::npos) << run.err;
}

TEST_F(Gedcom7Tool, AGedzipImportsWithItsFilesBesideTheNewTree) {
    const std::string sample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";
    ASSERT_EQ(tool({"export-gedcom", sample, dir.file("s.gdz")}).status, 0);
    std::filesystem::create_directories(dir.file("new"));
    ToolRun run = tool({"import-gedcom", dir.file("s.gdz"), dir.file("new/back.ln3")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Done.\npersons read: 20\nfamilies read: 8\n");

    Document back;
    ASSERT_TRUE(back.ReadfromFile(dir.file("new/back.ln3")).loaded());
    std::vector<std::string> pictures;
    forEachPerson(back.persons(), [&](const PersonRecord* p) {
        if (!p->isEmpty(field::pictureFile)) pictures.emplace_back(p->text(field::pictureFile));
    });
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0], "back_media/media/0001_jan_kowalski.jpg");
    EXPECT_EQ(test::readBytes(dir.file("new/") + pictures[0]),
              test::readBytes(std::string(LINEARA_EXAMPLES) + "/jan_kowalski.jpg"));

    // A hostile archive saves nothing.
    zip_t* archive = zip_open(dir.file("bad.gdz").c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    zip_file_add(archive, "../escape.txt", zip_source_buffer(archive, "x", 1, 0), 0);
    zip_close(archive);
    run = tool({"import-gedcom", dir.file("bad.gdz"), dir.file("new/bad.ln3")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("The GEDZIP archive was refused"), std::string::npos) << run.err;
    EXPECT_FALSE(test::fileExists(dir.file("new/bad.ln3")));
    EXPECT_FALSE(test::fileExists(dir.file("escape.txt")));
}

}  // namespace
}  // namespace lineara

// export-gedcom in GEDCOM 7 and as a GEDZIP, as a script runs it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
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

TEST_F(Gedcom7Tool, NotesGoBesideTheTreeAndTheStatusNamesWhatIsNotKept) {
    const std::string in = dir.file("in.ged");
    const std::string text =
        "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jan /Nowak/\n"
        "1 NOTE Pierwsza\n2 CONT druga\n1 BURI\n1 RESI\n1 RESI\n0 TRLR\n";
    test::writeBytes(in, std::vector<uint8_t>(text.begin(), text.end()));
    ToolRun run = tool({"import-gedcom", in, dir.file("t.ln3")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Done.\nNot kept: 2 residences, 1 burial\npersons read: 1\nfamilies read: 0\n");
    EXPECT_EQ(this->text(dir.file("t_notes/I1.txt")), "Pierwsza\ndruga\n");
    Document back;
    ASSERT_TRUE(back.ReadfromFile(dir.file("t.ln3")).loaded());
    EXPECT_EQ(std::string(back.persons().personListHead()->text(field::notesFile)),
              "t_notes/I1.txt");
}

// A tree that cannot be saved takes back the files written beside it:
// nothing names them.
TEST_F(Gedcom7Tool, WhatTheImportWroteGoesWhenTheTreeCannotBeSaved) {
    // Forty persons with a short note each, and a GEDZIP of them with a
    // picture: the notes and the picture fit below the limit, the tree not.
    std::string text = "0 HEAD\n1 GEDC\n2 VERS 7.0\n";
    for (int i = 1; i <= 40; ++i) {
        text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Osoba /Numer" + std::to_string(i) +
                "/\n1 NOTE n\n";
    }
    text += "0 TRLR\n";
    test::writeBytes(dir.file("in.ged"), std::vector<uint8_t>(text.begin(), text.end()));
    zip_t* archive = zip_open(dir.file("in.gdz").c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    ASSERT_NE(archive, nullptr);
    zip_file_add(archive, "gedcom.ged", zip_source_buffer(archive, text.data(), text.size(), 0), 0);
    zip_file_add(archive, "media/a.jpg", zip_source_buffer(archive, "JPEG", 4, 0), 0);
    ASSERT_EQ(zip_close(archive), 0);

    for (const char* input : {"in.ged", "in.gdz"}) {
        SCOPED_TRACE(input);
        std::filesystem::create_directories(dir.file("out"));
        struct rlimit old;
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        struct rlimit small = {2048, old.rlim_max};
        auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        ToolRun run = tool({"import-gedcom", dir.file(input), dir.file("out/t.ln3")});
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldHandler);

        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("\nNothing was saved.\n"), std::string::npos) << run.err;
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("out")));
        std::filesystem::remove_all(dir.file("out"));
    }
}

}  // namespace
}  // namespace lineara

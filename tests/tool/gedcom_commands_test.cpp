// export-gedcom and import-gedcom as a script runs them.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/formats/tree_file.h"
#include "core/gedcom/gedcom_export.h"
#include "support/gedcom_support.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using test::gedcomLines;
using test::readBytes;
using test::runTool;
using test::TempDir;
using test::ToolRun;
using test::writeBytes;

class GedcomTool : public ::testing::Test {
protected:
    ToolRun tool(const std::vector<std::string>& args) { return runTool(LINEARA_TOOL, args, dir); }
    std::string text(const std::string& path) {
        std::vector<uint8_t> bytes = readBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
    void writeText(const std::string& path, const std::string& text) {
        writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    }
    // A folder for the outputs of one test, apart from the tool's own files.
    std::string out(const std::string& name) {
        std::filesystem::create_directories(dir.file("out"));
        return dir.file("out/" + name);
    }
    size_t outputs() {
        return size_t(std::distance(std::filesystem::directory_iterator(dir.file("out")), {}));
    }
    std::string generatedTree(int persons) {
        PersonList list;
        generateSyntheticTree(list, persons, 9);
        std::string path = dir.file("tree.ln3");
        EXPECT_TRUE(SavetoFile(list, path).written());
        return path;
    }
    TempDir dir;
};

TEST_F(GedcomTool, ExportWritesTheFileTheProgramWrites) {
    std::string tree = generatedTree(400);
    std::string first = out("a.ged"), second = out("b.ged");
    ToolRun run = tool({"export-gedcom", tree, first, "--now", "2026-12-07T09:05"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(tool({"export-gedcom", tree, second, "--now", "2026-12-07T09:05"}).status, 0);
    EXPECT_EQ(text(first), text(second));

    Document doc;
    ASSERT_TRUE(doc.ReadfromFile(tree).loaded());
    std::string expected = gedcomText(doc.persons(), {2026, 12, 7, 9, 5});
    EXPECT_EQ(text(first), expected);
    std::vector<std::string> lines = test::exportedLines(expected);
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(lines[2], "1 DATE 7 Dec 2026");
    EXPECT_EQ(lines[3], "1 TIME 9:5");
    size_t individuals = size_t(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.size() > 5 && l.compare(l.size() - 5, 5, " INDI") == 0;
    }));
    size_t families = size_t(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.size() > 4 && l.compare(l.size() - 4, 4, " FAM") == 0;
    }));
    EXPECT_EQ(run.out, "individuals: " + std::to_string(individuals) +
                           "\nfamilies: " + std::to_string(families) + "\n");

    // Without --now the header tells the time of the export.
    ASSERT_EQ(tool({"export-gedcom", tree, second}).status, 0);
    std::vector<std::string> now = test::exportedLines(text(second));
    EXPECT_EQ(now[2].rfind("1 DATE ", 0), 0u);
    EXPECT_NE(now[2], "1 DATE 7 Dec 2026");
}

TEST_F(GedcomTool, ExportRefusesBadArgumentsAndReportsWhatItCannotWrite) {
    std::string tree = generatedTree(50);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export-gedcom", tree},
          {"export-gedcom", tree, out("x.ged"), "--now"},
          {"export-gedcom", tree, out("x.ged"), "--now", "2026-13-01T00:00"},
          {"export-gedcom", tree, out("x.ged"), "--now", "2026-12-07 09:05"},
          {"export-gedcom", tree, out("x.ged"), "--then", "2026-12-07T09:05"}}) {
        ToolRun run = tool(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.err.rfind("usage: lineara-tool export-gedcom", 0), 0u) << run.err;
    }
    EXPECT_EQ(outputs(), 0u);

    ToolRun run = tool({"export-gedcom", dir.file("missing.ln3"), out("x.ged")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;

    std::string folder = out("folder.ged");
    std::filesystem::create_directory(folder);
    run = tool({"export-gedcom", tree, folder});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot create file \"" + folder + "\". Is a directory\n");
    EXPECT_EQ(outputs(), 1u);

    run = tool({"export-gedcom", tree, "/dev/full"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot write file \"/dev/full\". No space left on device\n");
}

TEST_F(GedcomTool, ExportLeavesNoFileWhereTheUserMayNotWrite) {
    std::string tree = generatedTree(50);
    std::string locked = out("locked");
    std::filesystem::create_directory(locked);
    chmod(dir.path().c_str(), 0755);
    chmod(dir.file("out").c_str(), 0755);
    chmod(tree.c_str(), 0644);
    chmod(locked.c_str(), 0555);
    std::string target = locked + "/t.ged";
    // As root the tool runs as an unprivileged user, for whom the folder is
    // closed as it is for its owner otherwise.
    ToolRun run = geteuid() == 0 ? runTool("setpriv",
                                           {"--reuid=65534", "--regid=65534", "--clear-groups",
                                            LINEARA_TOOL, "export-gedcom", tree, target},
                                           dir)
                                 : tool({"export-gedcom", tree, target});
    chmod(locked.c_str(), 0755);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot create file \"" + target + "\". Permission denied\n");
    EXPECT_TRUE(std::filesystem::is_empty(locked));
}

TEST_F(GedcomTool, ImportReadsTheFileAndSavesTheTree) {
    std::string in = dir.file("in.ged");
    writeText(in, gedcomLines({"0 HEAD", "0 @I1@ INDI", "1 NAME Jan /Kowalski/", "1 SEX M",
                               "0 @I2@ INDI", "1 NAME Anna /Nowak/", "1 SEX F", "0 @I3@ INDI",
                               "1 NAME Ewa /Kowalska/", "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@",
                               "1 MARR", "2 DATE 1920", "1 CHIL @I3@", "0 TRLR"}));
    std::string tree = out("tree.ln3");
    ToolRun run = tool({"import-gedcom", in, tree});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Done.\npersons read: 3\nfamilies read: 1\n");
    EXPECT_EQ(run.err, "");

    Document doc;
    ASSERT_TRUE(doc.ReadfromFile(tree).loaded());
    ASSERT_EQ(doc.persons().count(), 3u);
    // Arranged: the daughter, with the most generations above her, is the
    // home person, her parents one row (500 units) above her.
    const PersonRecord* ewa = doc.persons().personListHead();
    const PersonRecord* jan = ewa->father;
    ASSERT_NE(jan, nullptr);
    const PersonRecord* anna = jan->nextPerson;
    EXPECT_EQ(ewa->text(field::surname), "Kowalska");
    EXPECT_EQ(jan->text(field::surname), "Kowalski");
    EXPECT_EQ(jan->posY(), ewa->posY() - 500);
    EXPECT_EQ(anna->posY(), ewa->posY() - 500);
    EXPECT_EQ(ewa->mother, anna);
    EXPECT_EQ(jan->partner[1], anna);
    EXPECT_EQ(anna->text(field::relationDate(1)), "1920");
}

TEST_F(GedcomTool, AFailedImportSavesWhatWasReadAndSaysWhere) {
    std::string in = dir.file("in.ged");
    writeText(in, gedcomLines({"0 HEAD", "0 @I1@ INDI", "1 NAME Jan /Kowalski/", "0 @I2@ INDI",
                               std::string("not-a-level\0NAME x", 18), "0 @I3@ INDI"}));
    std::string tree = out("tree.ln3");
    ToolRun run = tool({"import-gedcom", in, tree});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "GEDCOM import failed - file possibly corrupted (reached line 5)\n");
    EXPECT_EQ(run.out, "persons read: 2\nfamilies read: 0\n");
    Document doc;
    ASSERT_TRUE(doc.ReadfromFile(tree).loaded());
    EXPECT_EQ(doc.persons().count(), 2u);
    EXPECT_EQ(doc.persons().personListHead()->text(field::surname), "Kowalski");
}

TEST_F(GedcomTool, ImportTellsTheRelationshipLimitOnce) {
    std::vector<std::string> lines = {"0 HEAD"};
    for (int i = 1; i <= 21; ++i) lines.push_back("0 @I" + std::to_string(i) + "@ INDI");
    for (int i = 2; i <= 21; ++i) {
        lines.insert(lines.end(), {"0 @F" + std::to_string(i) + "@ FAM", "1 HUSB @I1@",
                                   "1 WIFE @I" + std::to_string(i) + "@"});
    }
    lines.push_back("0 TRLR");
    std::string in = dir.file("in.ged");
    writeText(in, gedcomLines(lines));
    ToolRun run = tool({"import-gedcom", in, out("tree.ln3")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, std::string(kMsgMarriageLimit) + "\n");
    EXPECT_EQ(run.out,
              "Done. Relationships left out (at most 8 per person): 12\npersons read: 21\n"
              "families read: 20\n");
}

TEST_F(GedcomTool, StandardExportAndAForeignFileComeBackAlike) {
    std::string tree = generatedTree(300);
    std::string standard = out("standard.ged");
    ToolRun run =
        tool({"export-gedcom", tree, standard, "--standard", "--now", "2026-12-07T09:05"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string text = this->text(standard);
    EXPECT_EQ(text.rfind("0 HEAD\r\n1 SOUR LINEARA\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n1 CHAR UTF-8\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n1 DATE 7 DEC 2026\r\n2 TIME 09:05\r\n"), std::string::npos);

    // Read back, and a file of another program in UTF-8 with families
    // before individuals.
    run = tool({"import-gedcom", standard, out("back.ln3")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string foreign = dir.file("foreign.ged");
    writeText(foreign,
              gedcomLines({"\xEF\xBB\xBF"
                           "0 HEAD",
                           "1 CHAR UTF-8", "0 @F1@ FAM", "1 CHIL @c@", "1 HUSB @h@", "0 @c@ INDI",
                           "1 NAME Łucja /Żak/", "0 @h@ INDI", "1 NAME Jan /Żak/", "0 TRLR"}));
    run = tool({"import-gedcom", foreign, out("foreign.ln3")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Done.\npersons read: 2\nfamilies read: 1\n");
    PersonList list;
    ASSERT_EQ(ReadfromFile(list, out("foreign.ln3")).status, LoadResult::Loaded);
    const PersonRecord* child = list.personListHead();
    EXPECT_EQ(child->text(field::givenNames),
              "\xA3"
              "ucja");  // CP1250
    EXPECT_EQ(child->text(field::surname),
              "\xAF"
              "ak");
    ASSERT_NE(child->father, nullptr);
    EXPECT_EQ(child->father->text(field::givenNames), "Jan");
}

TEST_F(GedcomTool, ImportRefusesWhatItCannotReadOrSave) {
    std::string in = dir.file("in.ged");
    writeText(in, gedcomLines({"0 @I1@ INDI"}));

    ToolRun run = tool({"import-gedcom", dir.file("missing.ged"), out("t.ln3")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "Cannot open file \"" + dir.file("missing.ged") + "\". No such file or directory\n");

    run = tool({"import-gedcom", in, out("t.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, std::string(kMsgIncorrectFileType) + "\n");

    std::string nowhere = out("no/such/folder/t.ln3");
    run = tool({"import-gedcom", in, nowhere});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot create file \"" + nowhere + "\". No such file or directory\n");
    EXPECT_EQ(run.out, "") << "refused before reading";

    run = tool({"import-gedcom", in});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(outputs(), 0u);
}

// What the tool says of files that are empty, cut short, broken or foreign,
// and which of them leave a tree behind: the status and each note on a line
// of its own, after the tree is saved.
TEST_F(GedcomTool, ImportTellsWhatTheFileWasLike) {
    const std::string existing = out("existing.ln3");
    const struct {
        const char* what;
        std::string file;
        int status;
        std::string out, err;
        size_t persons;  // saved; 0 for nothing saved
    } cases[] = {
        {"empty", "", 1, "", "The file is empty: nothing was imported.\n", 0},
        {"blank lines", "\r\n  \r\n", 1, "", "The file is empty: nothing was imported.\n", 0},
        {"not GEDCOM at all", "Dear cousin,\r\nhere is our tree.\r\n", 1, "",
         "GEDCOM import failed - file possibly corrupted (reached line 1)\nNothing was saved.\n",
         0},
        {"cut short, with a pasted note",
         gedcomLines({"0 HEAD", "0 @I1@ INDI", "1 NOTE pasted", "text", "0 @I2@ INDI"}), 1,
         "persons read: 2\nfamilies read: 0\n",
         "Done.\nLines read as continuations: 1\nThe file ends before its end record (TRLR): it "
         "may be incomplete.\n",
         2},
        {"foreign letters",
         gedcomLines({"0 HEAD", "1 CHAR UTF-8", "0 @I1@ INDI", "1 NAME Иван /Петров/", "0 TRLR"}),
         0,
         "Done.\nLetters replaced (not in the tree's code page): 10\npersons read: 1\nfamilies "
         "read: 0\n",
         "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // A tree is there already: a file that gives nothing leaves it alone.
        PersonList old;
        generateSyntheticTree(old, 3, 1);
        ASSERT_TRUE(SavetoFile(old, existing).written());
        const std::string before = text(existing);
        std::string in = dir.file("in.ged");
        writeText(in, c.file);
        ToolRun run = tool({"import-gedcom", in, existing});
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
        if (c.persons == 0) {
            EXPECT_TRUE(text(existing) == before);
        } else {
            PersonList saved;
            ASSERT_EQ(ReadfromFile(saved, existing).status, LoadResult::Loaded);
            EXPECT_EQ(saved.count(), c.persons);
        }
    }
}

// A tree that cannot be saved is no success: nothing of the import is told
// as done before the file is written.
TEST_F(GedcomTool, ImportSaysNothingDoneWhenTheTreeCannotBeSaved) {
    std::vector<std::string> lines = {"0 HEAD"};
    for (int i = 1; i <= 40; ++i) lines.push_back("0 @I" + std::to_string(i) + "@ INDI");
    lines.push_back("0 TRLR");
    std::string in = dir.file("in.ged");
    writeText(in, gedcomLines(lines));
    std::string tree = out("tree.ln3");

    // Room for the few bytes the runner and the tool's messages take, not
    // for a tree of forty persons (the limit and the ignored signal pass on
    // to the tool).
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = {16384, old.rlim_max};
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ToolRun run = tool({"import-gedcom", in, tree});
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.find("Done."), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("\nNothing was saved.\n"), std::string::npos) << run.err;
    EXPECT_FALSE(test::fileExists(tree));
}

// The tool's commands chained: a tree through GEDCOM and back keeps its
// persons and families.
TEST_F(GedcomTool, ExportedTreeImportsAndExportsAlike) {
    std::string tree = generatedTree(700);
    ToolRun exported = tool({"export-gedcom", tree, out("a.ged"), "--now", "2026-01-01T00:00"});
    ASSERT_EQ(exported.status, 0);
    ToolRun imported = tool({"import-gedcom", out("a.ged"), out("back.ln3")});
    ASSERT_EQ(imported.status, 0) << imported.err;
    ToolRun again =
        tool({"export-gedcom", out("back.ln3"), out("b.ged"), "--now", "2026-01-01T00:00"});
    ASSERT_EQ(again.status, 0);
    // As many individuals and families, though numbered anew.
    EXPECT_EQ(again.out, exported.out);
    // The program's own file names no code page but ANSI: the status says
    // which one its letters were read in.
    EXPECT_EQ(imported.out,
              "Done.\nRead as Windows-1250 (the options' code page)\npersons read: " +
                  exported.out.substr(13, exported.out.find('\n') - 13) +
                  "\nfamilies read: " + exported.out.substr(exported.out.rfind(' ') + 1));
}

}  // namespace
}  // namespace lineara

// Persons' notes read from GEDCOM into notes files beside the new tree,
// and the count of what the tree has no place for.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/gedcom/gedcom_import.h"
#include "core/gedcom/gedcom_not_kept.h"
#include "core/model/document.h"
#include "core/platform/codepage.h"
#include "support/child_process.h"
#include "support/gedcom_support.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

std::string readText(const std::string& path) {
    std::vector<uint8_t> bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text) {
    test::writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<std::string> header(bool version7) {
    if (version7) return {"0 HEAD", "1 GEDC", "2 VERS 7.0"};
    return {"0 HEAD", "1 GEDC", "2 VERS 5.5.1", "1 CHAR UTF-8"};
}

// Imports `body` (after the header, before the trailer) with the notes
// going to dir/t_notes and the tree to dir.
GedcomImportResult importInto(Document& doc, const test::TempDir& dir,
                              const std::vector<std::string>& body, bool version7 = false) {
    std::vector<std::string> lines = header(version7);
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("0 TRLR");
    std::string text = test::gedcomLines(lines);
    const auto size = static_cast<int64_t>(text.size());
    MemorySource source(std::move(text));
    GedcomInputInfo info(dir.file("test.ged"), true, size, "CP1250");
    info.treeFolder = dir.path();
    info.notesFolder = dir.file("t_notes");
    return importGedcom(doc, source, info);
}

struct NoteCase {
    const char* name;
    bool version7;
    std::vector<std::string> body;
    std::string notesName;  // the person's notes name afterwards
    std::string fileText;   // of t_notes/I1.txt; empty: no file
};

TEST(GedcomImportNotes, EachFormOfNoteEndsInTheNotesFile) {
    const std::string polish = toCodePage("Zażółć gęślą jaźń\n", "CP1250");
    const std::vector<NoteCase> cases = {
        {"inline",
         false,
         {"0 @I1@ INDI", "1 NOTE Born at home"},
         "t_notes/I1.txt",
         "Born at home\n"},
        {"continued",
         false,
         {"0 @I1@ INDI", "1 NOTE First line", "2 CONT seco", "2 CONC nd", "2 CONT", "2 CONT end"},
         "t_notes/I1.txt",
         "First line\nsecond\n\nend\n"},
        {"record after the person",
         false,
         {"0 @I1@ INDI", "1 NAME Jan /Nowak/", "1 NOTE @N1@", "0 @N1@ NOTE Shared text",
          "1 CONT more"},
         "t_notes/I1.txt",
         "Shared text\nmore\n"},
        {"shared note before the person",
         true,
         {"0 @N2@ SNOTE In seven", "0 @I1@ INDI", "1 SNOTE @N2@"},
         "t_notes/I1.txt",
         "In seven\n"},
        {"own text and a record",
         false,
         {"0 @I1@ INDI", "1 NOTE @N1@", "1 NOTE Own", "0 @N1@ NOTE Pointed"},
         "t_notes/I1.txt",
         "Own\n\nPointed\n"},
        {"notes file from an object kept",
         false,
         {"0 @I1@ INDI", "1 OBJE", "2 FILE own.txt", "2 FORM text/plain", "1 NOTE Lost"},
         "own.txt",
         ""},
        {"void pointer", true, {"0 @I1@ INDI", "1 SNOTE @VOID@"}, "", ""},
        {"pointer to no record", false, {"0 @I1@ INDI", "1 NOTE @N9@"}, "", ""},
        {"Polish letters in the code page",
         false,
         {"0 @I1@ INDI", "1 NOTE Zażółć gęślą jaźń"},
         "t_notes/I1.txt",
         polish},
    };
    for (const NoteCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        writeText(dir.file("own.txt"), "mine");
        Document doc;
        GedcomImportResult result = importInto(doc, dir, c.body, c.version7);
        ASSERT_TRUE(result.done()) << result.statusText;
        const PersonRecord* person = test::imported(doc.persons(), "@I1@");
        ASSERT_NE(person, nullptr);
        EXPECT_EQ(std::string(person->text(field::notesFile)), c.notesName);
        if (c.fileText.empty()) {
            EXPECT_FALSE(test::fileExists(dir.file("t_notes/I1.txt")));
            EXPECT_TRUE(result.notesWritten.empty());
        } else {
            EXPECT_EQ(readText(dir.file("t_notes/I1.txt")), c.fileText);
            EXPECT_EQ(result.notesWritten.files, std::vector<std::string>{"I1.txt"});
        }
        EXPECT_EQ(readText(dir.file("own.txt")), "mine");
    }
}

TEST(GedcomImportNotes, TheFoldersBesideATreeLoseOnlyItsExtension) {
    struct Case {
        const char* path;
        const char* notes;
        const char* media;
    };
    const Case cases[] = {
        {"family.ln3", "family_notes", "family_media"},
        {"/a/b.c/family.LN3", "/a/b.c/family_notes", "/a/b.c/family_media"},
        {"archive.gdz", "archive_notes", "archive_media"},
        // A name that only ends in the letters keeps them all.
        {"treeln3", "treeln3_notes", "treeln3_media"},
        {"x.ln3", "x_notes", "x_media"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(gedcomNotesFolder(c.path), c.notes);
        EXPECT_EQ(gedcomMediaFolder(c.path), c.media);
    }
}

TEST(GedcomImportNotes, WithoutANotesFolderNothingIsWritten) {
    test::TempDir dir;
    Document doc;
    std::string text = test::gedcomLines({"0 HEAD", "0 @I1@ INDI", "1 NOTE text", "0 TRLR"});
    const auto size = static_cast<int64_t>(text.size());
    MemorySource source(std::move(text));
    GedcomInputInfo info(dir.file("test.ged"), true, size);
    ASSERT_TRUE(importGedcom(doc, source, info).done());
    EXPECT_EQ(std::string(test::imported(doc.persons(), "@I1@")->text(field::notesFile)), "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(GedcomImportNotes, FilesAndLinksThereAreNeverWrittenOver) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("t_notes"));
    writeText(dir.file("t_notes/I1.txt"), "older");
    writeText(dir.file("elsewhere.txt"), "target");
    std::filesystem::create_symlink(dir.file("elsewhere.txt"), dir.file("t_notes/I2.txt"));
    Document doc;
    GedcomImportResult result =
        importInto(doc, dir,
                   {"0 @I1@ INDI", "1 NOTE one", "0 @I2@ INDI", "1 NOTE two", "0 @I/3@ INDI",
                    "1 NOTE three", "0 @I_3@ INDI", "1 NOTE four"});
    ASSERT_TRUE(result.done());
    EXPECT_EQ(readText(dir.file("t_notes/I1.txt")), "older");
    EXPECT_EQ(readText(dir.file("elsewhere.txt")), "target");
    EXPECT_EQ(readText(dir.file("t_notes/I1-2.txt")), "one\n");
    EXPECT_EQ(readText(dir.file("t_notes/I2-2.txt")), "two\n");
    // A slash in a cross-reference makes no folder; two that make one
    // name get two files.
    EXPECT_EQ(readText(dir.file("t_notes/I_3.txt")), "three\n");
    EXPECT_EQ(readText(dir.file("t_notes/I_3-2.txt")), "four\n");
    EXPECT_EQ(std::string(test::imported(doc.persons(), "@I2@")->text(field::notesFile)),
              "t_notes/I2-2.txt");
}

TEST(GedcomImportNotes, ANotesFolderThatIsALinkIsRefused) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    std::filesystem::create_directory_symlink(dir.file("real"), dir.file("t_notes"));
    Document doc;
    GedcomImportResult result = importInto(doc, dir, {"0 @I1@ INDI", "1 NOTE one"});
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("real")));
    EXPECT_EQ(std::string(test::imported(doc.persons(), "@I1@")->text(field::notesFile)), "");
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].rfind("The notes could not be written: ", 0), 0u);
}

// A disk that fills on the second file: the first goes again, and no
// person names a file that is not there.
TEST(GedcomImportNotes, AFailureHalfWayLeavesNoFileBehind) {
    test::TempDir dir;
    std::string error = test::runInChild(
        [&dir]() -> std::string {
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {4096, RLIM_INFINITY};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return "setrlimit";
            Document doc;
            std::vector<std::string> body = {"0 @I1@ INDI", "1 NOTE small", "0 @I2@ INDI",
                                             "1 NOTE long"};
            for (int i = 0; i < 60; ++i) body.push_back("2 CONT " + std::string(100, 'a'));
            GedcomImportResult result = importInto(doc, dir, body);
            if (!result.done()) return "not done: " + result.statusText;
            if (test::fileExists(dir.file("t_notes"))) return "the notes folder is left";
            if (!result.notesWritten.empty()) return "files told as written";
            for (const char* xref : {"@I1@", "@I2@"}) {
                if (!test::imported(doc.persons(), xref)->isEmpty(field::notesFile)) {
                    return std::string(xref) + " names a notes file";
                }
            }
            if (result.messages.size() != 1) return "no message";
            return {};
        },
        false);
    EXPECT_EQ(error, "");
}

struct NotKeptCase {
    const char* name;
    std::vector<std::string> body;
    std::string note;  // empty: no such line
};

std::vector<std::string> repeated(int n, const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) out.insert(out.end(), lines.begin(), lines.end());
    return out;
}

TEST(GedcomImportNotKept, WhatTheTreeHasNoPlaceForIsCountedByKind) {
    // A person's source is kept, a family's is not.
    std::vector<std::string> many = {"0 @I1@ INDI", "1 SOUR @S1@"};
    for (const auto& part : {repeated(1100, {"1 BURI", "2 DATE 1900"}), repeated(320, {"1 RESI"}),
                             repeated(1, {"0 @F1@ FAM"}), repeated(45, {"1 SOUR @S1@"})}) {
        many.insert(many.end(), part.begin(), part.end());
    }
    const std::vector<NotKeptCase> cases = {
        {"nothing lost",
         {"0 @I1@ INDI", "1 NAME Jan /Nowak/", "1 SEX M", "1 BIRT", "2 DATE 1900", "1 DEAT",
          "1 OCCU smith", "1 NOTE kept", "1 CHAN", "2 DATE 1 JAN 2000", "1 FAMS @F1@", "0 @F1@ FAM",
          "1 HUSB @I1@", "1 MARR", "2 PLAC Kraków", "0 @U1@ SUBM", "1 NAME Me",
          "1 EMAIL me@example.org"},
         ""},
        {"most frequent first, thousands with a comma", many,
         "Not kept: 1,100 burials, 320 residences, 45 sources"},
        {"one of a kind is named as one",
         {"0 @I1@ INDI", "1 BURI", "1 EDUC", "1 EDUC"},
         "Not kept: 2 educations, 1 burial"},
        {"family structures, not the person's note",
         {"0 @I1@ INDI", "1 NOTE mine", "0 @F1@ FAM", "1 WIFE @I1@", "1 NOTE theirs", "1 EVEN",
          "1 EVEN"},
         "Not kept: 2 events, 1 note"},
        {"unknown tags and records by their tags",
         {"0 @I1@ INDI", "1 _MILT", "1 _MILT", "1 _MILT", "0 @X1@ _EVENT", "1 TYPE x"},
         "Not kept: 3 _MILT, 1 _EVENT"},
    };
    for (const NotKeptCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        Document doc;
        GedcomImportResult result = importInto(doc, dir, c.body);
        ASSERT_TRUE(result.done()) << result.statusText;
        std::vector<std::string> notKept;
        for (const std::string& note : result.notes) {
            if (note.rfind("Not kept", 0) == 0) notKept.push_back(note);
        }
        if (c.note.empty()) {
            EXPECT_EQ(notKept, std::vector<std::string>());
        } else {
            EXPECT_EQ(notKept, std::vector<std::string>{c.note});
            EXPECT_NE(result.statusText.find("\n" + c.note), std::string::npos);
        }
    }
}

TEST(GedcomImportNotKept, CountsHaveACommaBetweenThousands) {
    const std::vector<std::pair<int64_t, std::string>> cases = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {12345, "12,345"}, {1234567, "1,234,567"}};
    for (const auto& [n, text] : cases) EXPECT_EQ(withThousands(n), text) << n;
}

}  // namespace
}  // namespace lineara

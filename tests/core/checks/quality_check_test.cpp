#include "core/checks/quality_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/codepage.h"
#include "support/add_person.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string fromCp1250(std::string_view bytes) { return fromCodePage(bytes, "CP1250"); }

PersonRecord* addPerson(PersonList& list, const char* surname, const char* given, const char* notes,
                        const char* picture) {
    PersonRecord* p = test::addPerson(list, given, surname);
    p->setText(field::notesFile, notes);
    p->setText(field::pictureFile, picture);
    return p;
}

std::vector<std::string> listed(const QualityCheckResult& result) {
    std::vector<std::string> lines;
    for (const QualityProblem& p : result.problems) lines.push_back(p.caption + " | " + p.message);
    return lines;
}

class QCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(tree.file("notatki"));
        fs::create_directories(tree.file("album.jpg"));  // a folder, not a picture
        test::writeBytes(tree.file("notatki/jan.txt"), {'x'});
        test::writeBytes(tree.file("jan.jpg"), {'x'});
        test::writeBytes(tree.file("\xC5\x81\xC3\xB3"
                                   "d\xC5\xBA.jpg"),
                         {'x'});  // "Łódź.jpg"
        test::writeBytes(elsewhere.file("abs.txt"), {'x'});
    }
    StoredFileLocator files() const { return StoredFileLocator(tree.path(), fromCp1250); }

    TempDir tree;       // the tree file's folder
    TempDir elsewhere;  // some other folder, for absolute names
    PersonList list;
};

TEST_F(QCheckTest, ListsMissingNotesBeforeMissingPicturesSortedByCaption) {
    addPerson(list, "Nowak", "Jan", "notatki/brak.txt", "brak.jpg");
    addPerson(list, "Adamska", "Ewa", "", "album.jpg");
    addPerson(list, "Kowal", "Piotr", "notatki/jan.txt", "jan.jpg");  // both there
    addPerson(list, "Bem", "Ola", "", "");                            // nothing named
    list.setTreeModified(false);

    QualityCheckResult result = QCheck(list, files());

    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(listed(result), (std::vector<std::string>{
                                  "Adamska Ewa | Nie znaleziono fotki: album.jpg",
                                  "Nowak Jan | Nie ma pliku tekst.: notatki/brak.txt",
                                  "Nowak Jan | Nie znaleziono fotki: brak.jpg",
                              }));
    EXPECT_EQ(result.problems[0].rule, QualityRule::Picture);
    EXPECT_EQ(result.problems[1].rule, QualityRule::NotesFile);
    EXPECT_EQ(result.problems[1].person, list.personListHead());
    EXPECT_FALSE(list.treeModified());  // the check itself changes nothing
}

TEST_F(QCheckTest, ResolvesStoredNamesAgainstTheTreeFolder) {
    struct Case {
        std::string stored;
        bool found;
    } cases[] = {
        {"jan.jpg", true},           // relative to the tree, not the working folder
        {"notatki\\jan.txt", true},  // a Windows separator
        {".\\notatki/jan.txt", true},
        {"\xA3\xF3"
         "d\x9F.jpg",
         true},                             // CP1250 bytes, decoded by the caller
        {elsewhere.file("abs.txt"), true},  // absolute names stay as they are
        {"notatki", false},                 // a folder is no file
        {"album.jpg", false},
        {"Jan.jpg", false},            // names are exact
        {"C:\\Moje\\jan.jpg", false},  // no drive letters here
        {tree.path() + "/notatki/", false},
    };
    StoredFileLocator locator = files();
    for (const Case& c : cases) {
        EXPECT_EQ(locator.exists(c.stored), c.found) << c.stored;
        PersonList one;
        addPerson(one, "X", "Y", c.stored.c_str(), c.stored.c_str());
        EXPECT_EQ(QCheck(one, locator).count, c.found ? 0 : 2) << c.stored;
    }
}

TEST_F(QCheckTest, AProblemIsGoneOnceTheReferenceIsEmptyOrTheFileExists) {
    PersonRecord* jan = addPerson(list, "Nowak", "Jan", "notatki/brak.txt", "brak.jpg");
    QualityCheckResult result = QCheck(list, files());
    ASSERT_EQ(result.count, 2);
    const QualityProblem& notes = result.problems[0];
    const QualityProblem& picture = result.problems[1];

    EXPECT_TRUE(problemRemains(notes, files()));
    EXPECT_TRUE(problemRemains(picture, files()));

    jan->setText(field::pictureFile, "jan.jpg");  // the user picks an existing file
    EXPECT_TRUE(problemRemains(notes, files()));
    EXPECT_FALSE(problemRemains(picture, files()));

    jan->setText(field::notesFile, "");  // ... or clears the reference
    EXPECT_FALSE(problemRemains(notes, files()));

    jan->setText(field::pictureFile, "album.jpg");  // still not a file
    EXPECT_TRUE(problemRemains(picture, files()));
    test::writeBytes(tree.file("brak.jpg"), {'x'});
    jan->setText(field::pictureFile, "brak.jpg");  // the file turned up meanwhile
    EXPECT_FALSE(problemRemains(picture, files()));
}

TEST(QCheck, EmptyTreeHasNoProblems) {
    PersonList list;
    QualityCheckResult result = QCheck(list, StoredFileLocator("", fromCp1250));
    EXPECT_EQ(result.count, 0);
    EXPECT_TRUE(result.problems.empty());
}

}  // namespace
}  // namespace lineara

// standardize-date, convert-dates and qcheck as a script runs them.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "core/formats/tree_file.h"
#include "core/platform/registry.h"
#include "core/settings/settings.h"
#include "support/add_person.h"
#include "support/load_centred.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

// LANGUAGE and LANG of an English desktop for as long as it lives.
class EnglishDesktop {
public:
    EnglishDesktop() {
        for (const char* name : {"LANGUAGE", "LANG"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(
                name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
        }
        setenv("LANGUAGE", "en", 1);
        setenv("LANG", "en_US.UTF-8", 1);
    }
    ~EnglishDesktop() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name, value->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

using test::TempDir;

using test::runTool;
using test::ToolRun;

// Runs the tool from `workDir`, so that tests can show that relative names
// do not depend on where the tool was started.
ToolRun tool(const std::vector<std::string>& args, const TempDir& dir,
             const std::string& workDir = ".") {
    return runTool(LINEARA_TOOL, args, dir, workDir);
}

PersonRecord* addPerson(PersonList& list, const char* surname, const char* given) {
    return test::addPerson(list, given, surname);
}

std::string load(const std::string& path, std::vector<std::string>& birthDates) {
    PersonList list;
    ViewState view;
    LoadResult r = ReadfromFileCentred(list, path, view, 800, 600);
    forEachPerson(
        list, [&](const PersonRecord* p) { birthDates.emplace_back(p->text(field::birthDate)); });
    return r.message;
}

class CheckCommands : public ::testing::Test {
protected:
    // Two persons, one with a Polish surname, both with dates to convert;
    // the surname is stored in CP1250 ("Żak").
    std::string datedTree() {
        PersonList list;
        addPerson(list, "Nowak", "Jan")->setText(field::birthDate, "5.12.1850");
        PersonRecord* zak = addPerson(list,
                                      "\xAF"
                                      "ak",
                                      "Ewa");
        zak->setText(field::birthDate, "~1852");
        zak->setText(field::deathDate, "1 Jan 1900");
        std::string path = dir.file("dated.ln3");
        EXPECT_TRUE(SavetoFile(list, path).written());
        return path;
    }
    TempDir dir;
};

TEST_F(CheckCommands, StandardizeDatePrintsOneLinePerArgument) {
    ToolRun r = tool({"standardize-date", "5.12.1850", "", "~ 1850", "Łódź, 12.1850", "Ω, 12.1850",
                      "32.12.1850"},
                     dir);
    EXPECT_EQ(r.status, 0) << r.err;
    // Ω is not in the record code page: the conversion sees "?" instead.
    EXPECT_EQ(r.out, "5 Dec 1850\n\nABT 1850\nŁódź Dec 1850\n? Dec 1850\n32.12.1850\n");

    r = tool({"standardize-date"}, dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage"), std::string::npos);
}

TEST_F(CheckCommands, TextsFollowTheCharacterSetChosenInTheOptions) {
    // Cyrillic chosen in the options: "Ж" fits the record code page, "Ł" not.
    std::string config = dir.file("config");
    Registry registry(config + "/lineara/registry.ini");
    std::filesystem::create_directories(config + "/lineara");
    ASSERT_TRUE(registry.write(kSettingsKey, "ScreenCharset", "5"));
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ToolRun r = tool({"standardize-date", "Ж 5.12.1850", "Ł 1850"}, dir);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Ж 5 Dec 1850\n? 1850\n");
}

TEST_F(CheckCommands, ConvertDatesListsTheChangesAndSavesOnlyWhenAsked) {
    std::string in = datedTree();
    std::vector<uint8_t> before = test::readBytes(in);
    ToolRun r = tool({"convert-dates", in}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Nowak Jan\tBirth date converted from \"5.12.1850\" to \"5 Dec 1850\"\n"
              "Żak Ewa\tBirth date converted from \"~1852\" to \"ABT 1852\"\n"
              "2\n");
    EXPECT_EQ(test::readBytes(in), before);

    std::string out = dir.file("converted.ln3");
    r = tool({"convert-dates", in, out}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> dates;
    EXPECT_EQ(load(out, dates), "");
    EXPECT_EQ(dates, (std::vector<std::string>{"5 Dec 1850", "ABT 1852"}));

    r = tool({"convert-dates", out}, dir);  // nothing left to do
    EXPECT_EQ(r.out, "0\n");
}

TEST_F(CheckCommands, ConvertDatesReportsWhatItCannotDo) {
    std::string in = datedTree();
    ToolRun r = tool({"convert-dates", in, dir.file("out.txt")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Incorrect file type. Lineara did not save the file.\n");

    r = tool({"convert-dates", dir.file("missing.ln3")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");

    for (std::vector<std::string> args : {std::vector<std::string>{"convert-dates"},
                                          {"convert-dates", in, "a.ln3", "b.ln3"},
                                          {"qcheck"},
                                          {"qcheck", in, in}}) {
        EXPECT_EQ(tool(args, dir).status, 2) << args.size();
    }
}

TEST_F(CheckCommands, QcheckFindsRelativeNamesBesideTheTreeFile) {
    std::filesystem::create_directories(dir.file("family/notes"));
    test::writeBytes(dir.file("family/notes/jan.txt"), {'x'});
    test::writeBytes(dir.file("family/jan.jpg"), {'x'});
    PersonList list;
    PersonRecord* jan = addPerson(list, "Nowak", "Jan");
    jan->setText(field::notesFile, "notes\\jan.txt");
    jan->setText(field::pictureFile, "jan.jpg");
    PersonRecord* ewa = addPerson(list,
                                  "\xAF"
                                  "ak",
                                  "Ewa");
    ewa->setText(field::notesFile, "ewa.txt");
    ewa->setText(field::pictureFile, "notes");  // a folder
    PersonRecord* ola = addPerson(list,
                                  "\xA3"
                                  "ukasz",
                                  "Ola");
    ola->setText(field::pictureFile,
                 "\xA3\xF3"
                 "d\x9F.jpg");
    addPerson(list, "Mazur", "Adam")->setText(field::notesFile, "m.txt");
    std::string tree = dir.file("family/tree.ln3");
    ASSERT_TRUE(SavetoFile(list, tree).written());

    ToolRun r = tool({"qcheck", tree}, dir, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    // In the order of the alphabet: Ł after L, not after Z as in its code.
    EXPECT_EQ(r.out,
              "Łukasz Ola\tNie znaleziono fotki: Łódź.jpg\n"
              "Mazur Adam\tNie ma pliku tekst.: m.txt\n"
              "Żak Ewa\tNie ma pliku tekst.: ewa.txt\n"
              "Żak Ewa\tNie znaleziono fotki: notes\n"
              "4\n");

    // Scripts read it: an English desktop gets the same words.
    const std::string polish = r.out;
    {
        const EnglishDesktop english;
        r = tool({"qcheck", tree}, dir, dir.path());
    }
    EXPECT_EQ(r.out, polish);

    test::writeBytes(dir.file("family/Łódź.jpg"), {'x'});
    r = tool({"qcheck", "family/tree.ln3"}, dir, dir.path());  // a relative tree name
    EXPECT_EQ(r.out,
              "Mazur Adam\tNie ma pliku tekst.: m.txt\n"
              "Żak Ewa\tNie ma pliku tekst.: ewa.txt\n"
              "Żak Ewa\tNie znaleziono fotki: notes\n"
              "3\n");
}

TEST_F(CheckCommands, QcheckOnTheSampleFindsEveryFile) {
    ToolRun r = tool({"qcheck", std::string(LINEARA_EXAMPLES) + "/sample.ln3"}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0\n");
}

}  // namespace
}  // namespace lineara

// What every command of lineara-tool has in common: one way to read its
// arguments and to answer --help, standard output that is checked like any
// other file, and the tree's code page taken from the program's options.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/platform/codepage.h"
#include "core/platform/registry.h"
#include "core/settings/settings.h"
#include "support/add_person.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::ToolRun;

class CommandLine : public ::testing::Test {
protected:
    ToolRun tool(const std::vector<std::string>& args) {
        return test::runTool(LINEARA_TOOL, args, dir);
    }

    // The synopsis of every command, as the top-level help lists them.
    std::vector<std::string> synopses() {
        ToolRun r = tool({"--help"});
        EXPECT_EQ(r.status, 0);
        std::vector<std::string> found;
        std::istringstream lines(r.out);
        const std::string prefix = "  lineara-tool ";
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind(prefix, 0) == 0) found.push_back(line.substr(prefix.size()));
        }
        return found;
    }

    std::string smallTree(const std::string& name = "t.ln3") {
        PersonList list;
        test::addPerson(list, "Jan", "Nowak")->setText(field::birthDate, "5.12.1850");
        test::addPerson(list, "Ewa", "Nowak", 200, 0);
        const std::string path = dir.file(name);
        EXPECT_TRUE(SavetoFile(list, path).written());
        return path;
    }

    TempDir dir;
};

TEST_F(CommandLine, EveryCommandAnswersHelpWithItsOwnUsage) {
    const std::vector<std::string> all = synopses();
    ASSERT_EQ(all.size(), 20u);
    for (const std::string& synopsis : all) {
        const std::string name = synopsis.substr(0, synopsis.find(' '));
        // Help wins wherever it stands, before any argument is used: "info
        // --help" must not look for a file called --help.
        for (const std::vector<std::string>& args : {std::vector<std::string>{name, "--help"},
                                                     {name, "-h"},
                                                     {name, dir.file("missing.ln3"), "--help"},
                                                     {name, "--no-such-option", "-h"}}) {
            ToolRun r = tool(args);
            EXPECT_EQ(r.status, 0) << args.back() << " " << name;
            EXPECT_EQ(r.err, "") << name;
            EXPECT_EQ(r.out.rfind("usage: lineara-tool " + synopsis + "\n", 0), 0u) << r.out;
        }
    }
    // "--" ends the options: what follows is an argument even if it looks
    // like help.
    ToolRun r = tool({"info", "--", "--help"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot open file \"--help\". No such file or directory\n");
}

TEST_F(CommandLine, OptionsAreReadTheSameWayByEveryCommand) {
    const std::string tree = smallTree();
    struct Case {
        std::vector<std::string> args;
        const char* complaint;  // on the second line of standard error
    };
    const Case refused[] = {
        {{"info", tree, "--bogus"}, "unknown option --bogus"},
        {{"print", tree, dir.file("o.pdf"), "--pages"}, "--pages needs a value (N)"},
        {{"print", tree, dir.file("o.pdf"), "--portrait=yes"}, "--portrait takes no value"},
        {{"html", tree}, "too few arguments"},
        {{"resave", tree, dir.file("a.ln3"), dir.file("b.ln3")}, "too many arguments"},
        {{"collect", tree, dir.file("d/t.ln3"), "--allow-outsid"}, "unknown option --allow-outsid"},
    };
    for (const Case& c : refused) {
        ToolRun r = tool(c.args);
        EXPECT_EQ(r.status, 2) << c.complaint;
        EXPECT_EQ(r.err.rfind("usage: lineara-tool " + c.args[0] + " ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.complaint), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }

    // Options before, between and after the arguments, with a blank or an
    // equals sign, give the same picture; a value may start with a dash.
    const std::vector<std::vector<std::string>> sameRender = {
        {"render", tree, dir.file("a.png"), "--size", "120x80", "--scroll", "-100,-50"},
        {"render", "--size=120x80", tree, "--scroll=-100,-50", dir.file("b.png")},
        {"render", "--scroll", "-100,-50", tree, dir.file("c.png"), "--size", "120x80"},
    };
    for (const std::vector<std::string>& args : sameRender) {
        ToolRun r = tool(args);
        ASSERT_EQ(r.status, 0) << r.err;
    }
    EXPECT_EQ(test::readBytes(dir.file("a.png")), test::readBytes(dir.file("b.png")));
    EXPECT_EQ(test::readBytes(dir.file("a.png")), test::readBytes(dir.file("c.png")));
}

// For several commands standard output is the result itself: a full disk
// there is a failure, said on standard error with the system's reason.
TEST_F(CommandLine, NoFailedWriteOfStandardOutputIsASuccess) {
    const std::string tree = smallTree();
    ASSERT_EQ(tool({"export-gedcom", tree, dir.file("in.ged")}).status, 0);
    std::vector<std::string> manyDates = {"standardize-date"};
    // Far more than one buffer of output: the write fails in the middle of
    // the run, not only at the end.
    for (int i = 0; i < 8000; ++i) manyDates.push_back("1.2.1900");
    fs::create_directories(dir.file("collected"));

    const std::vector<std::vector<std::string>> commands = {
        {"info", tree},
        {"qcheck", tree},
        {"convert-dates", tree},
        {"standardize-date", "1.2.1900"},
        manyDates,
        {"export-gedcom", tree, dir.file("out.ged")},
        {"import-gedcom", dir.file("in.ged"), dir.file("imported.ln3")},
        {"html", tree, dir.file("web")},
        {"collect", tree, dir.file("collected/t.ln3")},
        {"make-sample", dir.file("sample")},
        {"--help"},
        {"print", "--help"},
    };
    for (const std::vector<std::string>& args : commands) {
        ToolRun r = test::runToolWithOutputTo(LINEARA_TOOL, args, dir, "/dev/full");
        EXPECT_EQ(r.status, 1) << args[0] << " " << args.size();
        EXPECT_NE(r.err.find("Cannot write the standard output. No space left on device"),
                  std::string::npos)
            << args[0] << ": " << r.err;
    }

    // Written to a file, the same output is whole.
    const std::string saved = dir.file("dates.txt");
    ToolRun r = test::runToolWithOutputTo(LINEARA_TOOL, manyDates, dir, saved);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::file_size(saved), 8000u * std::string("1 Feb 1900\n").size());
}

TEST_F(CommandLine, ConvertDatesTellsTheChangesOnlyOnceTheyAreSaved) {
    const std::string tree = smallTree();
    ToolRun r = tool({"convert-dates", tree, dir.file("no/such/folder/out.ln3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;

    r = tool({"convert-dates", tree, dir.file("out.ln3")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Nowak Jan\tBirth date converted from \"5.12.1850\" to \"5 Dec 1850\"\n1\n");
}

// Trees do not name their code page: every command takes it from the
// character set chosen in the program's options.
TEST_F(CommandLine, EveryCommandReadsRecordTextsInTheCodePageOfTheOptions) {
    fs::create_directories(dir.file("config/lineara"));
    Registry registry(dir.file("config/lineara/registry.ini"));
    ASSERT_TRUE(registry.write(kSettingsKey, "ScreenCharset", "5"));  // Cyrillic
    ASSERT_STREQ(codePageForCharset(charsetCodeForChoice(5)), "CP1251");

    fs::create_directories(dir.file("family"));
    test::writeBytes(dir.file("family/фото.jpg"), {0xFF, 0xD8, 0xFF, 0xD9});
    PersonList list;
    PersonRecord* p =
        test::addPerson(list, toCodePage("Иван", "CP1251"), toCodePage("Иванов", "CP1251"));
    p->setText(field::pictureFile, toCodePage("фото.jpg", "CP1251"));
    const std::string tree = dir.file("family/t.ln3");
    ASSERT_TRUE(SavetoFile(list, tree).written());

    ASSERT_EQ(tool({"list-persons", tree, dir.file("persons.txt")}).status, 0);
    const std::vector<uint8_t> persons = test::readBytes(dir.file("persons.txt"));
    EXPECT_NE(std::string(persons.begin(), persons.end()).find("Иванов Иван"), std::string::npos);

    ASSERT_EQ(tool({"list-surnames", tree, dir.file("surnames.txt")}).status, 0);
    const std::vector<uint8_t> surnames = test::readBytes(dir.file("surnames.txt"));
    EXPECT_NE(std::string(surnames.begin(), surnames.end()).find("Иванов"), std::string::npos);

    fs::create_directories(dir.file("dest"));
    ToolRun r = tool({"collect", tree, dir.file("dest/t.ln3")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir.file("dest/фото.jpg")));
}

}  // namespace
}  // namespace lineara

// `lineara-tool print`, `list-persons` and `list-surnames`, run as a user
// runs them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "support/add_person.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

using namespace test;

const std::string kSample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

size_t pageCount(const std::string& pdf) {
    size_t pages = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    }
    return pages;
}

TEST(PrintTool, WritesAPdfOfOneOrNByNPages) {
    TempDir dir;
    const std::string one = dir.file("one.pdf"), four = dir.file("four.pdf");
    ToolRun r = runTool(LINEARA_TOOL, {"print", kSample, one}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(contents(one).rfind("%PDF", 0), 0u);
    EXPECT_EQ(pageCount(contents(one)), 1u);

    r = runTool(LINEARA_TOOL,
                {"print", kSample, four, "--pages", "2", "--portrait", "--border", "3"}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pageCount(contents(four)), 4u);

    const std::string some = dir.file("some.pdf");
    r = runTool(LINEARA_TOOL, {"print", kSample, some, "--selected-ids", "1,2"}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pageCount(contents(some)), 1u);
}

TEST(PrintTool, RefusesBadArgumentsMissingPersonsAndUnwritableFiles) {
    TempDir dir;
    const std::string pdf = dir.file("x.pdf");
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"print", kSample},
                                                {"print", kSample, pdf, "--pages", "9"},
                                                {"print", kSample, pdf, "--pages", "0"},
                                                {"print", kSample, pdf, "--border", "6"},
                                                {"print", kSample, pdf, "--selected-ids", "1,,2"},
                                                {"print", kSample, pdf, "--colour", "red"},
                                                {"list-persons", kSample}}) {
        EXPECT_EQ(runTool(LINEARA_TOOL, bad, dir).status, 2) << bad.back();
    }
    ToolRun r = runTool(LINEARA_TOOL, {"print", kSample, pdf, "--selected-ids", "999999"}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("999999"), std::string::npos);
    r = runTool(LINEARA_TOOL, {"print", kSample, dir.file("no/such/x.pdf")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;
    r = runTool(LINEARA_TOOL, {"list-surnames", kSample, dir.file("no/such/x.txt")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;

    // An empty tree prints nothing.
    const std::string empty = dir.file("empty.ln3");
    std::ofstream(empty).close();
    r = runTool(LINEARA_TOOL, {"print", empty, pdf}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::ifstream(pdf).good());
}

TEST(PrintTool, ListsTheSamplesPersonsAndSurnames) {
    TempDir dir;
    const std::string persons = dir.file("p.txt"), surnames = dir.file("s.txt");
    ASSERT_EQ(runTool(LINEARA_TOOL, {"list-persons", kSample, persons}, dir).status, 0);
    ASSERT_EQ(runTool(LINEARA_TOOL, {"list-surnames", kSample, surnames}, dir).status, 0);
    const std::string p = contents(persons), s = contents(surnames);
    EXPECT_EQ(p.find('\r'), std::string::npos);
    EXPECT_EQ(p.rfind("Dąbrowska Zofia (2.5.1852 - 1930)\n", 0), 0u) << p;
    EXPECT_NE(p.find("Kowalska Jadwiga (8.9.1876 - 3.1.1950)\n"), std::string::npos);
    EXPECT_NE(s.find("Kowalski (5)\nNowak (5)\n"), std::string::npos) << s;
    EXPECT_NE(s.find("Zając (2)\n"), std::string::npos);
    // One line per person in the one list, the counts add up in the other.
    int counted = 0;
    std::istringstream lines(s);
    for (std::string line; std::getline(lines, line);) {
        counted += std::stoi(line.substr(line.rfind('(') + 1));
    }
    EXPECT_EQ(counted, int(std::count(p.begin(), p.end(), '\n')));
}

// Names with line breaks and control bytes in them: still one line per
// person and per surname, in the order readers expect.
TEST(PrintTool, EveryPersonAndSurnameIsOneLineWhateverItsNameHolds) {
    TempDir dir;
    PersonList list;
    addPerson(list, "Jan\r\nMaria", "Nowak");
    addPerson(list, std::string_view("Ewa\0\x1b", 5), "Lis\nKot");
    addPerson(list, "Adam", "nowak\r");
    addPerson(list, "Ola", "Nowak");
    const std::string tree = dir.file("tree.ln3");
    ASSERT_EQ(SavetoFile(list, tree).status, SaveResult::Saved);
    const std::string persons = dir.file("p.txt"), surnames = dir.file("s.txt");
    ASSERT_EQ(runTool(LINEARA_TOOL, {"list-persons", tree, persons}, dir).status, 0);
    ASSERT_EQ(runTool(LINEARA_TOOL, {"list-surnames", tree, surnames}, dir).status, 0);
    EXPECT_EQ(contents(persons),
              "Lis Kot Ewa ( - )\nnowak  Adam ( - )\nNowak Jan  Maria ( - )\nNowak Ola ( - )\n");
    EXPECT_EQ(contents(surnames), "Lis Kot (1)\nNowak (2)\nnowak (1)\n");
}

}  // namespace
}  // namespace lineara

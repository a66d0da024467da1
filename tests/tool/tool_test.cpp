// lineara-tool as a user or a script runs it: arguments in, text and exit
// status out.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "model/tree_file.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ToolRun tool(const std::vector<std::string>& args, const TempDir& dir) {
    std::string errFile = dir.file("stderr.txt");
    std::string cmd = quote(LINEARA_TOOL);
    for (const std::string& a : args) cmd += " " + quote(a);
    cmd += " 2>" + quote(errFile);
    ToolRun run;
    FILE* p = popen(cmd.c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) run.out.append(buffer, n);
    int raw = pclose(p);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errFile);
    std::stringstream ss;
    ss << err.rdbuf();
    run.err = ss.str();
    return run;
}

class Tool : public ::testing::Test {
protected:
    // Three named persons, an alias box and an unnamed box; highest id 5.
    std::string smallTree() {
        PersonList list;
        for (int i = 0; i < 5; ++i) EXPECT_TRUE(list.LagNyPerson(i * 200, 0).ok);
        PersonRecord* p = list.personListHead();
        p->setText(field::givenNames, "Jan");
        p->nextPerson->setText(field::surname, "Nowak");
        p->nextPerson->nextPerson->setText(field::givenNames, "Ewa");
        PersonRecord* alias = p->nextPerson->nextPerson->nextPerson;
        alias->setText(field::givenNames, "Jan");
        alias->setText(field::aliasMark, "REF");
        alias->father = p;
        p->setText(field::aliasMark, "ALIAS");
        std::string path = dir.file("small.ln3");
        EXPECT_TRUE(SavetoFile(list, path).written());
        return path;
    }
    TempDir dir;
};

TEST_F(Tool, InfoCountsRecordsNamedPersonsAndTheHighestId) {
    ToolRun r = tool({"info", smallTree()}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "records: 5\npersons: 3\nhighest id: 5\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(Tool, InfoReportsFilesItCannotUse) {
    writeBytes(dir.file("bad.ln3"), std::vector<uint8_t>(100, 1));
    ToolRun r = tool({"info", dir.file("bad.ln3")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: Lineara did not recognize the file\n");
    EXPECT_EQ(r.out, "");

    r = tool({"info", dir.file("missing.ln3")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;

    r = tool({"info"}, dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage"), std::string::npos);
}

TEST_F(Tool, ResaveWritesTheSameBytesAndRefusesOtherExtensions) {
    std::string in = smallTree();
    std::string out = dir.file("copy.LN3");
    ToolRun r = tool({"resave", in, out}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(out), readBytes(in));

    r = tool({"resave", in, dir.file("copy.txt")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Incorrect file type. Lineara did not save the file.\n");
    EXPECT_FALSE(test::fileExists(dir.file("copy.txt")));

    r = tool({"resave", in, dir.file("no/folder/x.ln3")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;
}

TEST_F(Tool, GenerateIsDeterministicPerSeed) {
    std::string a = dir.file("a.ln3"), b = dir.file("b.ln3"), c = dir.file("c.ln3");
    ASSERT_EQ(tool({"generate", "500", a}, dir).status, 0);
    ASSERT_EQ(tool({"generate", "500", b}, dir).status, 0);
    ASSERT_EQ(tool({"generate", "500", c, "--seed", "7"}, dir).status, 0);
    EXPECT_EQ(readBytes(a), readBytes(b));
    EXPECT_NE(readBytes(a), readBytes(c));
    ToolRun r = tool({"info", a}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 13), "records: 500\n");

    for (const char* bad : {"-1", "x", "12x", ""}) {
        EXPECT_EQ(tool({"generate", bad, a}, dir).status, 2) << bad;
    }
    EXPECT_EQ(tool({"generate", "5", a, "--seed", "q"}, dir).status, 2);
    EXPECT_EQ(tool({"generate", "5", dir.file("a.txt")}, dir).status, 1);
}

TEST_F(Tool, TheSampleTreeLoads) {
    ToolRun r = tool({"info", std::string(LINEARA_EXAMPLES) + "/sample.ln3"}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("records: ", 0), 0u) << r.out;
}

TEST_F(Tool, UnknownCommandsAreUsageErrors) {
    ToolRun r = tool({"frobnicate"}, dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown command"), std::string::npos);
    EXPECT_EQ(tool({}, dir).status, 2);
    EXPECT_EQ(tool({"--help"}, dir).status, 0);
}

}  // namespace
}  // namespace lineara

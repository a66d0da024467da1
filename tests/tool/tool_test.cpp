// lineara-tool as a user or a script runs it: arguments in, text and exit
// status out.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/formats/tree_file.h"
#include "support/load_centred.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

using test::runTool;
using test::ToolRun;

ToolRun tool(const std::vector<std::string>& args, const TempDir& dir) {
    return runTool(LINEARA_TOOL, args, dir);
}

class Tool : public ::testing::Test {
protected:
    // Three named persons, an alias box and an unnamed box; highest id 5.
    std::string smallTree() {
        PersonList list;
        for (int i = 0; i < 5; ++i) EXPECT_TRUE(list.LagNyPerson(i * 200, 0).ok);
        PersonRecord* p = list.edit(list.personListHead());
        p->setText(field::givenNames, "Jan");
        list.edit(p->nextPerson)->setText(field::surname, "Nowak");
        list.edit(p->nextPerson->nextPerson)->setText(field::givenNames, "Ewa");
        PersonRecord* alias = list.edit(p->nextPerson->nextPerson->nextPerson);
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

// The files in examples/ are what make-sample writes, byte for byte.
TEST_F(Tool, MakeSampleWritesTheShippedExamples) {
    std::string folder = dir.file("sample");
    ToolRun r = tool({"make-sample", folder}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name :
         {"sample.ln3", "jan_kowalski.jpg", "anna_nowak.jpg", "anna_nowak.txt"}) {
        EXPECT_TRUE(readBytes(folder + "/" + name) ==
                    readBytes(std::string(LINEARA_EXAMPLES) + "/" + name))
            << name;
    }
}

TEST_F(Tool, CollectCopiesTheFilesNextToTheNewTree) {
    std::filesystem::create_directories(dir.file("src"));
    std::filesystem::create_directories(dir.file("dest"));
    writeBytes(dir.file("src/a.jpg"), {1, 2, 3});
    PersonList list;
    ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
    list.edit(list.currentPerson())->setText(field::pictureFile, "a.jpg");  // beside the tree
    ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
    list.edit(list.currentPerson())->setText(field::notesFile, "gone.txt");
    ASSERT_TRUE(SavetoFile(list, dir.file("src/t.ln3")).written());

    ToolRun r = tool({"collect", dir.file("src/t.ln3"), dir.file("dest/t.ln3")}, dir);
    EXPECT_EQ(r.status, 1);  // not every file could be collected
    EXPECT_EQ(r.out, "Collected 2 files to directory " + dir.file("dest") + "/\n");
    EXPECT_NE(r.err.find("gone.txt"), std::string::npos) << r.err;
    EXPECT_EQ(readBytes(dir.file("dest/a.jpg")), (std::vector<uint8_t>{1, 2, 3}));

    PersonList collected;
    ViewState view;
    ASSERT_TRUE(ReadfromFileCentred(collected, dir.file("dest/t.ln3"), view, 100, 100).loaded());
    EXPECT_EQ(collected.personListHead()->text(field::pictureFile), "a.jpg");
    EXPECT_EQ(collected.personListTail()->text(field::notesFile), "gone.txt");
}

TEST_F(Tool, CollectSendsTreeAndFilesToARelativeDestination) {
    std::filesystem::create_directories(dir.file("fam"));
    writeBytes(dir.file("fam/p.jpg"), {7});
    PersonList list;
    ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
    list.edit(list.currentPerson())->setText(field::pictureFile, "p.jpg");
    ASSERT_TRUE(SavetoFile(list, dir.file("fam/tree.ln3")).written());
    std::vector<uint8_t> original = readBytes(dir.file("fam/tree.ln3"));

    // Run from the test folder: the destination is the test folder's tree.ln3.
    ToolRun r = runTool(LINEARA_TOOL, {"collect", "fam/tree.ln3", "tree.ln3"}, dir, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Collected 2 files to directory " + dir.path() + "/\n");
    EXPECT_EQ(readBytes(dir.file("fam/tree.ln3")), original);
    EXPECT_EQ(readBytes(dir.file("p.jpg")), (std::vector<uint8_t>{7}));
    PersonList collected;
    ViewState view;
    ASSERT_TRUE(ReadfromFileCentred(collected, dir.file("tree.ln3"), view, 100, 100).loaded());
    EXPECT_EQ(collected.personListHead()->text(field::pictureFile), "p.jpg");
}

TEST_F(Tool, CollectListsAFileItMayNotRead) {
    if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0) {
        GTEST_SKIP() << "needs root and setpriv to run the tool as another user";
    }
    namespace fs = std::filesystem;
    fs::create_directories(dir.file("src"));
    fs::create_directories(dir.file("dest"));
    writeBytes(dir.file("src/open.jpg"), {1});
    writeBytes(dir.file("src/secret.jpg"), {2});
    PersonList list;
    for (const char* name : {"secret.jpg", "open.jpg"}) {
        ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
        list.edit(list.currentPerson())->setText(field::pictureFile, name);
    }
    ASSERT_TRUE(SavetoFile(list, dir.file("src/t.ln3")).written());
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(dir.file("dest"), fs::perms::all);
    fs::permissions(dir.file("src"), fs::perms(0755));
    fs::permissions(dir.file("src/t.ln3"), fs::perms(0644));
    fs::permissions(dir.file("src/open.jpg"), fs::perms(0644));
    fs::permissions(dir.file("src/secret.jpg"), fs::perms(0600));

    ToolRun r = runTool("/usr/bin/setpriv",
                        {"--reuid=65534", "--regid=65534", "--clear-groups", LINEARA_TOOL,
                         "collect", dir.file("src/t.ln3"), dir.file("dest/t.ln3")},
                        dir);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "Collected 2 files to directory " + dir.file("dest") + "/\n");
    EXPECT_NE(r.err.find("secret.jpg"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.file("dest/secret.jpg")));
    EXPECT_EQ(readBytes(dir.file("dest/open.jpg")), (std::vector<uint8_t>{1}));
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

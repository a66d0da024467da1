// What lineara-tool leaves on disk when a write cannot or must not happen:
// files the user may not write, a full disk, files already there, and
// trees or outputs larger than the memory.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/formats/tree_file.h"
#include "support/child_process.h"
#include "support/picture_tree.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

using test::readBytes;
using test::runTool;
using test::TempDir;
using test::ToolRun;
using test::writeBytes;

constexpr uid_t kNobody = 65534;
const std::string kSample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";

// Room for the tool with its libraries (some 70 MB), far too little for a
// tree of a gigabyte.
constexpr char kMemoryLimit[] = "--as=268435456";

class SafeOutput : public ::testing::Test {
protected:
    void SetUp() override {
        PersonList list;
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(list.LagNyPerson(i * 200, 0).ok);
        list.edit(list.personListHead())->setText(field::surname, "Nowak");
        tree = dir.file("tree.ln3");
        ASSERT_TRUE(SavetoFile(list, tree).written());
    }
    ToolRun tool(const std::vector<std::string>& args) { return runTool(LINEARA_TOOL, args, dir); }
    // The tool under a shell prefix, e.g. a memory limit or another user.
    ToolRun toolUnder(std::vector<std::string> prefix, const std::vector<std::string>& args) {
        std::string program = prefix.front();
        prefix.erase(prefix.begin());
        prefix.push_back(LINEARA_TOOL);
        prefix.insert(prefix.end(), args.begin(), args.end());
        return runTool(program, prefix, dir);
    }
    size_t filesIn(const std::string& folder) {
        return size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
    }

    TempDir dir;
    std::string tree;
};

TEST_F(SafeOutput, ResaveLeavesFilesTheUserMayNotWrite) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make files of another owner";
    chmod(dir.path().c_str(), 0777);
    chmod(tree.c_str(), 0644);
    const struct {
        const char* name;
        uid_t owner;
        mode_t mode;
    } targets[] = {{"readonly.ln3", kNobody, 0444}, {"roots.ln3", 0, 0644}};
    for (const auto& t : targets) {
        std::string path = dir.file(t.name);
        writeBytes(path, {'o', 'l', 'd'});
        ASSERT_EQ(chown(path.c_str(), t.owner, t.owner), 0);
        ASSERT_EQ(chmod(path.c_str(), t.mode), 0);
        ToolRun run = toolUnder({"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"},
                                {"resave", tree, path});
        EXPECT_EQ(run.status, 1) << t.name;
        EXPECT_EQ(run.err, "Cannot create file \"" + path + "\". Permission denied\n");
        EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'})) << t.name;
        struct stat st;
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, t.owner) << t.name;
    }
}

TEST_F(SafeOutput, RenderWritesThePictureWholeOrReportsWhyNot) {
    std::string png = dir.file("tree.png");
    ASSERT_EQ(tool({"render", tree, png}).status, 0);
    const std::vector<uint8_t> old = readBytes(png);
    ASSERT_GT(old.size(), 4096u);

    // A disk that fills up after 4 KB, for the tool only.
    ToolRun full = toolUnder({"sh", "-c", "trap '' XFSZ; exec prlimit --fsize=4096 \"$@\"", "sh"},
                             {"render", tree, png, "--zoom", "50"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err.rfind("Cannot write file \"" + png + "\". File too large", 0), 0u)
        << full.err;
    EXPECT_EQ(readBytes(png), old);
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        std::string name = e.path().filename().string();
        EXPECT_TRUE(name == "tree.png" || name.rfind("tree.png", 0) != 0) << "litter: " << name;
    }

    ToolRun device = tool({"render", tree, "/dev/full"});
    EXPECT_EQ(device.status, 1);
    EXPECT_EQ(device.err, "Cannot write file \"/dev/full\". No space left on device\n");
}

// No failure to write is reported as success, and no failure costs the
// file that was there: the print, the tree and every file of the
// presentation, over the ways a write fails (a file-size limit standing in
// for a full disk, a device that is full, a folder in the way, a file the
// user may not write).
TEST_F(SafeOutput, NoFailedWriteIsASuccessAndNothingIsLost) {
    chmod(dir.path().c_str(), 0777);  // for the rows run as nobody
    const std::string pictured = dir.file("pictured.ln3");
    const std::vector<int32_t> ids = test::savePictureTree(pictured, 3, 1, "photo.png");
    const std::string picture = "pict" + std::to_string(ids[0]) + ".jpg";
    const std::string pdf = dir.file("out.pdf");
    ASSERT_EQ(tool({"print", kSample, pdf}).status, 0);  // larger than the limit
    const std::string saved = dir.file("out.ln3");
    ASSERT_EQ(tool({"resave", kSample, saved}).status, 0);  // larger than the limit
    for (const char* web : {"web-limit", "web-folder", "web-locked"}) {
        std::filesystem::create_directory(dir.file(web));
        chmod(dir.file(web).c_str(), 0777);
    }
    std::filesystem::create_directory(dir.file("web-folder/" + picture));
    writeBytes(dir.file("web-locked/" + picture), {'o', 'l', 'd'});
    writeBytes(dir.file("web-limit/" + picture), {'o', 'l', 'd'});
    std::filesystem::create_directory(dir.file("folder.pdf"));

    // The limit's signal is left as it comes: the tool must not die of it.
    const std::vector<std::string> limit = {"prlimit", "--fsize=8192"};
    const std::vector<std::string> nobody = {"setpriv", "--reuid=65534", "--regid=65534",
                                             "--clear-groups"};
    const bool root = geteuid() == 0;
    const struct Row {
        std::vector<std::string> prefix;
        std::vector<std::string> args;
        std::string kept;   // a file whose old bytes must stay
        std::string error;  // what standard error says, in part
    } rows[] = {
        {limit, {"print", kSample, pdf}, pdf, "Cannot write file \"" + pdf + "\". File too large"},
        {{},
         {"print", tree, "/dev/full"},
         "",
         "Cannot write file \"/dev/full\". No space left on device"},
        {{},
         {"print", tree, dir.file("folder.pdf")},
         "",
         "Cannot create file \"" + dir.file("folder.pdf") + "\". Is a directory"},
        {limit,
         {"resave", kSample, saved},
         saved,
         "Cannot write file \"" + saved + "\". File too large"},
        {limit,
         {"html", pictured, dir.file("web-limit")},
         dir.file("web-limit/" + picture),
         "Cannot write file \"" + dir.file("web-limit/" + picture) + "\". File too large"},
        {{},
         {"html", pictured, dir.file("web-folder")},
         "",
         "Cannot create file \"" + dir.file("web-folder/" + picture) + "\". Is a directory"},
        {nobody,
         {"print", kSample, pdf},
         pdf,
         "Cannot create file \"" + pdf + "\". Permission denied"},
        {nobody,
         {"html", pictured, dir.file("web-locked")},
         dir.file("web-locked/" + picture),
         "Cannot create file \"" + dir.file("web-locked/" + picture) + "\". Permission denied"},
    };
    for (const Row& row : rows) {
        if (row.prefix == nobody && !root) continue;  // the user may write their own files
        const std::string what = row.args[0] + " " + row.args[2];
        const std::vector<uint8_t> before =
            row.kept.empty() ? std::vector<uint8_t>{} : readBytes(row.kept);
        std::filesystem::remove(dir.file("stderr.txt"));  // the shell of each run makes it
        ToolRun run = row.prefix.empty() ? tool(row.args) : toolUnder(row.prefix, row.args);
        EXPECT_EQ(run.status, 1) << what << ": " << run.err;
        EXPECT_NE(run.err.find(row.error), std::string::npos) << what << ": " << run.err;
        EXPECT_EQ(run.out.find("files written"), std::string::npos) << what << ": " << run.out;
        if (!row.kept.empty()) {
            EXPECT_EQ(readBytes(row.kept), before) << what;
        }
        for (auto& e : std::filesystem::recursive_directory_iterator(dir.path())) {
            EXPECT_EQ(e.path().string().find(".lineara-tmp-"), std::string::npos) << what;
        }
    }
}

TEST_F(SafeOutput, MakeSampleNeverOverwrites) {
    std::string folder = dir.file("sample");
    ASSERT_EQ(tool({"make-sample", folder}).status, 0);
    EXPECT_EQ(filesIn(folder), 4u);

    std::string again = dir.file("again");
    std::filesystem::create_directory(again);
    writeBytes(again + "/sample.ln3", {'m', 'i', 'n', 'e'});
    ToolRun run = tool({"make-sample", again});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot create file \"" + again + "/sample.ln3\". File exists\n");
    EXPECT_EQ(readBytes(again + "/sample.ln3"), (std::vector<uint8_t>{'m', 'i', 'n', 'e'}));
    EXPECT_EQ(filesIn(again), 1u);  // not even the pictures
}

TEST_F(SafeOutput, OutOfMemoryIsReportedNotAnAbort) {
#ifdef LINEARA_UNDER_ASAN
    GTEST_SKIP() << "a memory limit cannot be tested under the address sanitizer";
#endif
    std::string huge = dir.file("huge.ln3");
    writeBytes(huge, {});
    ASSERT_EQ(truncate(huge.c_str(), off_t(400'000) * kRecordSize), 0);  // a hole, 1 GB
    ToolRun info = toolUnder({"prlimit", kMemoryLimit}, {"info", huge});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.err, "Not enough memory to open file \"" + huge + "\"\n");

    // A tree that cannot be saved is not generated first: the output's
    // error comes before the memory would run out.
    std::string nowhere = dir.file("no/such/folder/t.ln3");
    ToolRun generated = toolUnder({"prlimit", kMemoryLimit}, {"generate", "1000000", nowhere});
    EXPECT_EQ(generated.status, 1);
    EXPECT_EQ(generated.err, "Cannot create file \"" + nowhere + "\". No such file or directory\n");
}

}  // namespace
}  // namespace lineara

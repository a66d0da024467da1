// `lineara-tool html` and `lineara-tool collect` over a tree from someone
// else: the files it names outside its folder, the kernel's files, pipes
// and devices, and a tree that cannot be saved beside its collected files.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/formats/tree_file.h"
#include "support/hostile_files.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using namespace test;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A tree in "tree" whose persons name the hostile files as notes, one each
// (ids 1, 2, ...).
std::string hostileTree(const TempDir& dir, const std::vector<HostileName>& names) {
    PersonList list;
    for (const HostileName& row : names) {
        EXPECT_TRUE(list.LagNyPerson(0, 0).ok);
        list.edit(list.currentPerson())->setText(field::notesFile, row.stored);
    }
    const std::string tree = dir.file("tree/t.ln3");
    EXPECT_TRUE(SavetoFile(list, tree).written());
    return tree;
}

TEST(TreeFilesTool, HtmlPublishesFilesOutsideTheTreesFolderOnlyWhenAllowed) {
    TempDir dir;
    const std::vector<HostileName> names = makeHostileNames(dir);
    const std::string tree = hostileTree(dir, names);
    for (bool allowed : {false, true}) {
        const std::string out = dir.file(allowed ? "site-allowed" : "site");
        std::vector<std::string> args = {"html", tree, out};
        if (allowed) args.push_back("--allow-outside");
        const ToolRun r = runTool(LINEARA_TOOL, args, dir);
        ASSERT_EQ(r.status, 0) << r.err;
        for (size_t i = 0; i < names.size(); ++i) {
            const HostileName& row = names[i];
            const NamedFileProblem expected = allowed ? row.allowed : row.plain;
            const std::string label = std::string(row.label) + (allowed ? " (allowed)" : "");
            const std::string page = contents(out + "/" + std::to_string(i + 1) + ".html");
            if (!row.marker.empty()) {
                EXPECT_EQ(contains(page, row.marker), expected == NamedFileProblem::None) << label;
            }
            if (expected == NamedFileProblem::Outside) {
                EXPECT_TRUE(contains(r.err,
                                     "(outside the tree's folder; --allow-outside includes "
                                     "it)"))
                    << label << ": " << r.err;
            }
            if (expected != NamedFileProblem::None) {
                const std::string name = fs::path(row.stored).filename().string();
                EXPECT_TRUE(contains(r.err, name + " (" + namedFileProblemText(expected)))
                    << label << ": " << r.err;
            }
        }
    }
}

TEST(TreeFilesTool, CollectCopiesFilesOutsideTheTreesFolderOnlyWhenAllowed) {
    TempDir dir;
    const std::vector<HostileName> names = makeHostileNames(dir);
    const std::string tree = hostileTree(dir, names);
    for (bool allowed : {false, true}) {
        const std::string dest = dir.file(allowed ? "dest-allowed" : "dest");
        fs::create_directories(dest);
        std::vector<std::string> args = {"collect", tree, dest + "/t.ln3"};
        if (allowed) args.push_back("--allow-outside");
        const ToolRun r = runTool(LINEARA_TOOL, args, dir);
        EXPECT_EQ(r.status, 1) << r.err;  // a pipe is never collected
        EXPECT_EQ(contains(r.err, "outside the tree's folder"), !allowed) << r.err;
        EXPECT_EQ(fs::exists(dest + "/secret.txt"), allowed);
        EXPECT_FALSE(fs::exists(dest + "/environ"));
        EXPECT_FALSE(fs::exists(dest + "/pipe.txt"));
        // Copies are readable by no more people than their originals.
        for (const char* name : {"secret.txt", "private.txt"}) {
            struct stat copy, original;
            if (stat((dest + "/" + name).c_str(), &copy) != 0) continue;
            const std::string from = std::string(name) == "secret.txt"
                                         ? dir.file("outside/secret.txt")
                                         : dir.file("tree/private.txt");
            ASSERT_EQ(stat(from.c_str(), &original), 0);
            EXPECT_EQ(copy.st_mode & 0777, original.st_mode & 0777) << name;
        }
    }
}

// The tree cannot go where its files went: the copies are taken back and
// the user is told, and the script sees a failure.
TEST(TreeFilesTool, CollectTakesItsCopiesBackWhenTheTreeCannotBeSaved) {
    TempDir dir;
    fs::create_directories(dir.file("tree"));
    fs::create_directories(dir.file("dest/t.ln3"));  // a folder in the tree's place
    writeBytes(dir.file("tree/a.jpg"), {1});
    writeBytes(dir.file("tree/b.txt"), {2});
    PersonList list;
    ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
    list.edit(list.currentPerson())->setText(field::pictureFile, "a.jpg");
    list.edit(list.currentPerson())->setText(field::notesFile, "b.txt");
    ASSERT_TRUE(SavetoFile(list, dir.file("tree/t.ln3")).written());

    const ToolRun r =
        runTool(LINEARA_TOOL, {"collect", dir.file("tree/t.ln3"), dir.file("dest/t.ln3")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(
        contains(r.err, "The 2 files copied to " + dir.file("dest") + "/ were removed again."))
        << r.err;
    EXPECT_FALSE(fs::exists(dir.file("dest/a.jpg")));
    EXPECT_FALSE(fs::exists(dir.file("dest/b.txt")));
}

}  // namespace
}  // namespace lineara

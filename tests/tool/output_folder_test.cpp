// The presentation's folder as lineara-tool html leaves it: pages and
// images under one rule, whatever was planted there before.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/picture_tree.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using namespace test;

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// A link in the folder is replaced by the page or image of its name and
// never followed out of the folder; a file already there keeps its mode
// and owner, images as pages.
TEST(OutputFolder, LinksAreReplacedAndFilesKeepTheirModeAndOwner) {
    TempDir dir;
    const std::string tree = dir.file("tree.ln3");
    const std::vector<int32_t> ids = savePictureTree(tree, 2, 1, "photo.png");
    const std::string first = std::to_string(ids[0]), second = std::to_string(ids[1]);
    const std::string web = dir.file("web");
    fs::create_directory(web);

    // Links to files outside, one for each kind of file written.
    const std::vector<std::string> linked = {first + ".html", "pict" + first + ".jpg",
                                             second + ".gif", "index.html"};
    for (const std::string& name : linked) {
        writeBytes(dir.file("victim-" + name), bytesOf("keep"));
        fs::create_symlink("../victim-" + name, web + "/" + name);
    }
    // Files of an earlier run made private, one given to another user.
    const struct {
        std::string name;
        mode_t mode;
        uid_t owner;
    } kept[] = {
        {first + ".gif", 0600, kNobody}, {second + ".html", 0600, 0}, {"blank.gif", 0640, 0}};
    const bool root = geteuid() == 0;
    for (const auto& k : kept) {
        const std::string path = web + "/" + k.name;
        writeBytes(path, bytesOf("old"));
        ASSERT_EQ(chmod(path.c_str(), k.mode), 0);
        if (root) {
            ASSERT_EQ(chown(path.c_str(), k.owner, k.owner), 0);
        }
    }

    ToolRun run = runTool(LINEARA_TOOL, {"html", tree, web}, dir);
    ASSERT_EQ(run.status, 0) << run.err;

    for (const std::string& name : linked) {
        EXPECT_EQ(readBytes(dir.file("victim-" + name)), bytesOf("keep")) << name;
        EXPECT_FALSE(fs::is_symlink(web + "/" + name)) << name;
        EXPECT_GT(fs::file_size(web + "/" + name), 4u) << name;
    }
    for (const auto& k : kept) {
        struct stat st;
        ASSERT_EQ(stat((web + "/" + k.name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, k.mode) << k.name;
        if (root) {
            EXPECT_EQ(st.st_uid, k.owner) << k.name;
        }
        EXPECT_NE(readBytes(web + "/" + k.name), bytesOf("old")) << k.name;
    }
}

}  // namespace
}  // namespace lineara

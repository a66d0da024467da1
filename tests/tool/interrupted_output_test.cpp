// What a print or a presentation killed half-way leaves: the old files as
// they were, nothing in the temporary folder, and temporary files beside
// the targets only, which the next run removes.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/picture_tree.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using namespace test;

const std::string kSample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";
constexpr char kInfix[] = ".lineara-tmp-";

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    return names;
}

std::vector<std::string> temporaries(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& name : entries(folder)) {
        if (name.find(kInfix) != std::string::npos) names.push_back(name);
    }
    return names;
}

// Any file with data under `folder`, in its sub-folders too.
bool holdsData(const std::string& folder, const std::vector<std::string>& ignore = {}) {
    std::error_code ignored;
    for (const auto& e : fs::recursive_directory_iterator(folder, ignored)) {
        const std::string name = e.path().filename();
        if (std::find(ignore.begin(), ignore.end(), name) != ignore.end()) continue;
        if (e.is_regular_file(ignored) && e.file_size(ignored) > 0) return true;
    }
    return false;
}

class InterruptedOutput : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(scratch);
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
    }
    // The environment of every run: a temporary folder of its own, and a
    // runtime folder elsewhere, so that only scratch files could land there.
    std::vector<std::string> environment() const {
        return {"TMPDIR=" + scratch, "XDG_RUNTIME_DIR=" + runtime,
                "XDG_CONFIG_HOME=" + dir.file("config"), "QT_QPA_PLATFORM=offscreen"};
    }
    ToolRun tool(const std::vector<std::string>& args) {
        std::vector<std::string> withEnv = environment();
        withEnv.push_back(LINEARA_TOOL);
        withEnv.insert(withEnv.end(), args.begin(), args.end());
        return runTool("env", withEnv, dir);
    }
    // Starts the tool and kills it once `started` says it is half-way;
    // false when it ended by itself first or never got there.
    template <typename Started>
    bool killHalfWay(const std::vector<std::string>& args, Started started) {
        BackgroundTool run(LINEARA_TOOL, args, environment());
        if (!run.started()) return false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!started()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return run.kill();
    }

    TempDir dir;
    std::string scratch = dir.file("tmp");
    std::string runtime = dir.file("runtime");
};

TEST_F(InterruptedOutput, AKilledPrintLeavesTheOldFileAndNoScratch) {
    const std::string big = dir.file("big.ln3");
    // Big enough for 64 pages that take a while: each page holds only the
    // boxes on it, so a small tree is printed before it can be killed.
    ASSERT_EQ(tool({"generate", "20000", big}).status, 0);
    const std::string pdf = dir.file("tree.pdf");
    ASSERT_EQ(tool({"print", kSample, pdf}).status, 0);
    const std::vector<uint8_t> old = readBytes(pdf);

    // Killed once its PDF has grown to a few pages, wherever it is.
    ASSERT_TRUE(killHalfWay({"print", big, pdf, "--pages", "8"}, [&] {
        for (const std::string& name : temporaries(dir.path())) {
            if (fs::file_size(dir.file(name)) > (256u << 10)) return true;
        }
        return holdsData(scratch);
    })) << "the print ended before it could be killed";
    EXPECT_FALSE(holdsData(scratch));
    EXPECT_TRUE(entries(scratch).empty());
    EXPECT_EQ(readBytes(pdf), old);
    EXPECT_EQ(temporaries(dir.path()).size(), 1u);

    ASSERT_EQ(tool({"print", kSample, pdf, "--portrait"}).status, 0);
    EXPECT_TRUE(temporaries(dir.path()).empty());
    EXPECT_NE(readBytes(pdf), old);
    EXPECT_TRUE(entries(scratch).empty());
}

TEST_F(InterruptedOutput, TheNextPresentationSweepsWhatAKilledOneLeft) {
    const std::string tree = dir.file("tree.ln3");
    const std::vector<int32_t> ids = savePictureTree(tree, 300, 300, "photo.png");
    const std::string web = dir.file("web");
    fs::create_directory(web);
    // What an earlier run killed at another moment left: a temporary file
    // of each kind.
    const std::string first = std::to_string(ids[0]);
    const std::vector<std::string> planted = {first + ".html.lineara-tmp-Ab12Cd",
                                              first + ".gif.lineara-tmp-Ab12Cd",
                                              "pict" + first + ".jpg.lineara-tmp-Ab12Cd"};
    for (const std::string& name : planted) writeBytes(web + "/" + name, {'x'});

    ASSERT_TRUE(killHalfWay({"html", tree, web}, [&] {
        return temporaries(web).size() > planted.size() + 10;
    })) << "the presentation ended before it could be killed";
    EXPECT_TRUE(entries(scratch).empty());

    ToolRun run = tool({"html", tree, web});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(temporaries(web), std::vector<std::string>{});
    EXPECT_TRUE(entries(scratch).empty());
}

}  // namespace
}  // namespace lineara

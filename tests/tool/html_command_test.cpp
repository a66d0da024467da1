// `lineara-tool html`, run as a user runs it: the presentation of the sample
// tree, its links and images all present, the overrides, the stored
// settings, and the failures a script must be able to see.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/platform/registry.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using namespace test;

const std::string kSample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// Every HREF and SRC of every page that names a file of the folder (not an
// address, not an anchor of an image map).
std::vector<std::pair<std::string, std::string>> localTargets(const std::string& folder) {
    std::vector<std::pair<std::string, std::string>> targets;
    const std::regex reference(R"re((?:HREF|SRC)="([^"#:]+)")re", std::regex::icase);
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") continue;
        const std::string page = contents(entry.path());
        for (auto it = std::sregex_iterator(page.begin(), page.end(), reference);
             it != std::sregex_iterator(); ++it)
            targets.emplace_back(entry.path().filename(), (*it)[1]);
    }
    return targets;
}

TEST(HtmlTool, WritesAPresentationWhoseEveryLinkAndImageIsThere) {
    TempDir dir;
    const std::string out = dir.file("site/nested");  // made with its parent
    ToolRun r = runTool(LINEARA_TOOL, {"html", kSample, out}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::set<std::string> files = filesIn(out);
    EXPECT_EQ(r.out, std::to_string(files.size()) + " files written\n");
    for (const char* name : {"index.html", "left.html", "blank.gif", "arrow.gif"})
        EXPECT_TRUE(files.count(name)) << name;
    EXPECT_NE(contents(out + "/index.html").find("<FRAMESET COLS=\"23%,77%\">"), std::string::npos);

    // The index leads to a page of every person; each page leads to pages
    // and images that exist.
    const std::vector<std::pair<std::string, std::string>> targets = localTargets(out);
    size_t fromIndex = 0;
    for (const auto& [page, target] : targets) {
        EXPECT_TRUE(files.count(target)) << page << " -> " << target;
        if (page == "left.html") ++fromIndex;
    }
    size_t pages = 0;
    for (const std::string& name : files)
        pages += name.size() > 5 && name.compare(name.size() - 5, 5, ".html") == 0 &&
                 name != "index.html" && name != "left.html";
    EXPECT_GT(pages, 10u);
    EXPECT_EQ(fromIndex, pages + 1);  // every person, and the home line
    // The sample's pictures became reduced JPEG files.
    size_t pictures = 0;
    for (const std::string& name : files) pictures += name.rfind("pict", 0) == 0;
    EXPECT_GE(pictures, 1u);
}

TEST(HtmlTool, TakesTheStoredSettingsAndTheOverridesOfTheCommandLine) {
    TempDir dir;
    {
        Registry stored(dir.file("config") + "/lineara/registry.ini");
        fs::create_directories(dir.file("config") + "/lineara");
        ASSERT_TRUE(stored.write("Software\\Lineara\\Html_report", "Background_color", "255"));
        ASSERT_TRUE(stored.write("Software\\Lineara\\Html_report", "Use_siblings", "No"));
    }
    const std::string before = contents(dir.file("config") + "/lineara/registry.ini");
    const std::string out = dir.file("out");
    ToolRun r = runTool(
        LINEARA_TOOL,
        {"html", kSample, out, "--no-frames", "--charset", "English (en): iso-8859-1"}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fs::exists(out + "/left.html"));
    const std::string index = contents(out + "/index.html");
    EXPECT_EQ(index.find("<FRAMESET"), std::string::npos);
    EXPECT_NE(index.find("charset=iso-8859-1\""), std::string::npos);
    bool sawPage = false;
    int references = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        const std::string name = entry.path().filename();
        if (entry.path().extension() != ".html" || name == "index.html") continue;
        sawPage = true;
        const std::string page = contents(entry.path());
        EXPECT_NE(page.find("[ <A HREF=\"index.html\">NAME INDEX</A> ]<BR>"), std::string::npos);
        EXPECT_NE(page.find("BGCOLOR=\"#FF0000\""), std::string::npos) << name;
        EXPECT_EQ(page.find("Siblings:"), std::string::npos) << name;
        // Latin-1 lacks most Polish letters: the tree's CP1250 bytes for
        // them (which Latin-1 would show as other letters) must not be in
        // the page; references stand for them.
        for (unsigned char c : page) {
            EXPECT_EQ(
                std::string("\xA5\xB9\x8C\x9C\x8F\x9F\xA3\xB3\xAF\xBF\xCA\xEA\xC6\xE6\xD1\xF1")
                    .find(char(c)),
                std::string::npos)
                << name;
        }
        references += page.find("&#") != std::string::npos;
    }
    EXPECT_TRUE(sawPage);
    EXPECT_GT(references, 3);
    // The tool only reads the settings.
    EXPECT_EQ(contents(dir.file("config") + "/lineara/registry.ini"), before);
}

TEST(HtmlTool, FailsClearlyWhereItCannotWrite) {
    TempDir dir;
    const std::string file = dir.file("plain-file");
    std::ofstream(file) << "x";
    ToolRun r = runTool(LINEARA_TOOL, {"html", kSample, file}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot create the folder"), std::string::npos) << r.err;

    r = runTool(LINEARA_TOOL, {"html", dir.file("missing.ln3"), dir.file("o")}, dir);
    EXPECT_EQ(r.status, 1);
    r = runTool(LINEARA_TOOL, {"html", kSample}, dir);
    EXPECT_EQ(r.status, 2);
    r = runTool(LINEARA_TOOL, {"html", kSample, dir.file("o"), "--frames-please"}, dir);
    EXPECT_EQ(r.status, 2);

    // A folder the user may not write to: the generation fails half-way
    // and says so, as a user without the right (nobody, when we are root).
    // Its own folder, open to that user, where the tool's messages go.
    TempDir shared;
    const std::string locked = shared.file("locked");
    fs::create_directories(locked);
    chmod(shared.path().c_str(), 0777);
    chmod(locked.c_str(), 0555);
    const std::string problem = runInChild(
        [&] {
            ToolRun run = runTool(LINEARA_TOOL, {"html", kSample, locked}, shared, shared.path());
            if (run.status != 1) return "status " + std::to_string(run.status) + ": " + run.err;
            if (run.err.find("the generation failed") == std::string::npos) return run.err;
            return std::string();
        },
        true);
    chmod(locked.c_str(), 0755);
    EXPECT_EQ(problem, "");
    EXPECT_TRUE(filesIn(locked).empty());
}

}  // namespace
}  // namespace lineara

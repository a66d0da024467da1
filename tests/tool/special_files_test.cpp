// lineara-tool with special files where a script may put them: standard
// output as the output file, a named pipe with a reader waiting, and a
// device or pipe given as the tree.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/formats/tree_file.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using namespace test;

const std::string kSample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";

std::string text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Standard output redirected to a file, named as /dev/stdout or through a
// link of one's own to /proc/self/fd/1: the output goes into the redirect
// where the shell's descriptor stands, after what was written before, and
// neither the file nor the links are replaced.
TEST(SpecialFiles, StandardOutputIsWrittenWhereItStands) {
    TempDir dir;
    const std::string link = dir.file("to-stdout.txt");
    fs::create_symlink("/proc/self/fd/1", link);
    const std::string out = dir.file("out.txt");
    const std::string pdf = dir.file("out.pdf");
    // /dev/stdout first: a tool that replaced the redirect would leave the
    // descriptor on a removed file, and a later run would replace the link.
    const std::string script =
        "tool=$1 tree=$2 link=$3 out=$4 pdf=$5\n"
        "{ printf 'earlier\\n'; \"$tool\" list-persons \"$tree\" /dev/stdout &&\n"
        "  \"$tool\" list-surnames \"$tree\" \"$link\" && \"$tool\" list-surnames \"$tree\" "
        "\"$link\" && printf 'later\\n'; } > \"$out\" || exit 1\n"
        "{ printf 'earlier\\n'; \"$tool\" print \"$tree\" \"$link\"; } > \"$pdf\"\n";
    ToolRun run = runTool("sh", {"-c", script, "sh", LINEARA_TOOL, kSample, link, out, pdf}, dir);
    ASSERT_EQ(run.status, 0) << run.err;

    ToolRun persons = runTool(LINEARA_TOOL, {"list-persons", kSample, dir.file("p.txt")}, dir);
    ToolRun surnames = runTool(LINEARA_TOOL, {"list-surnames", kSample, dir.file("s.txt")}, dir);
    ASSERT_EQ(persons.status + surnames.status, 0);
    const std::string s = text(readBytes(dir.file("s.txt")));
    EXPECT_EQ(text(readBytes(out)),
              "earlier\n" + text(readBytes(dir.file("p.txt"))) + s + s + "later\n");
    const std::string printed = text(readBytes(pdf));
    EXPECT_EQ(printed.rfind("earlier\n%PDF", 0), 0u);
    EXPECT_NE(printed.find("%%EOF", printed.size() - 8), std::string::npos);

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink("/dev/stdout"));
    for (const auto& e : fs::directory_iterator(dir.path())) {
        EXPECT_EQ(e.path().filename().string().find(".lineara-tmp-"), std::string::npos)
            << e.path();
    }
}

// A tree saved into a named pipe whose reader is waiting: the reader gets
// the whole tree, not an early end from a look at whether it can be
// written.
TEST(SpecialFiles, AnImportIntoANamedPipeReachesItsReader) {
    TempDir dir;
    const std::string gedcom = dir.file("in.ged");
    ASSERT_EQ(runTool(LINEARA_TOOL, {"export-gedcom", kSample, gedcom}, dir).status, 0);
    const std::string pipe = dir.file("pipe.ln3");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    std::string received;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        int fd = ::open(pipe.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            char buffer[65536];
            for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
                received.append(buffer, size_t(n));
            }
            close(fd);
        }
        done = true;
    });
    ToolRun run = runTool("timeout", {"20", LINEARA_TOOL, "import-gedcom", gedcom, pipe}, dir);
    // A tool that never opened the pipe leaves the reader waiting for a
    // writer, or for one yet to come: an open and close lets it go.
    while (!done) {
        int release = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (release >= 0) close(release);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    reader.join();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_GT(received.size(), 0u);
    EXPECT_EQ(received.size() % kRecordSize, 0u);
    // The same tree as the import writes into a file.
    const std::string file = dir.file("file.ln3");
    ASSERT_EQ(runTool(LINEARA_TOOL, {"import-gedcom", gedcom, file}, dir).status, 0);
    EXPECT_EQ(received.size(), readBytes(file).size());
}

// A tree given as a device or pipe is refused before a byte is read, by
// every command that reads a tree. Under a time and memory limit, so that
// a command that does read fails rather than hangs or fills the memory.
TEST(SpecialFiles, ADeviceOrPipeIsNoTree) {
    TempDir dir;
    const std::string zero = dir.file("zero.ln3");
    fs::create_symlink("/dev/zero", zero);
    const std::string pipe = dir.file("pipe.ln3");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    const std::vector<std::vector<std::string>> commands = {
        {"info"},
        {"resave", dir.file("out.ln3")},
        {"render", dir.file("out.png")},
        {"print", dir.file("out.pdf")},
        {"html", dir.file("web")},
        {"list-persons", dir.file("out.txt")},
        {"export-gedcom", dir.file("out.ged")},
        {"arrange", dir.file("out.ln3")},
        {"collect", dir.file("collected.ln3")},
        {"qcheck"},
    };
    std::vector<std::string> limits = {"timeout", "20"};
#ifndef LINEARA_UNDER_ASAN
    limits.insert(limits.end(), {"prlimit", "--as=2147483648"});
#endif
    for (const std::string& tree : {zero, pipe}) {
        for (const std::vector<std::string>& command : commands) {
            std::vector<std::string> args(limits.begin() + 1, limits.end());
            args.push_back(LINEARA_TOOL);
            args.push_back(command[0]);
            args.push_back(tree);
            args.insert(args.end(), command.begin() + 1, command.end());
            ToolRun run = runTool(limits[0], args, dir);
            EXPECT_EQ(run.status, 1) << command[0] << " " << tree;
            EXPECT_EQ(run.err, "Cannot open file \"" + tree + "\". Not a regular file\n")
                << command[0];
        }
    }
    for (const char* made : {"out.ln3", "out.png", "out.pdf", "web", "out.txt", "out.ged"}) {
        EXPECT_FALSE(fs::exists(dir.file(made))) << made;
    }
}

}  // namespace
}  // namespace lineara

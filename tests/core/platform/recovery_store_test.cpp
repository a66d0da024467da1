#include "core/platform/recovery_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::fileExists;
using test::readBytes;
using test::TempDir;

constexpr size_t kRecord = 2560;

std::vector<uint8_t> tree(size_t records, uint8_t fill) {
    return std::vector<uint8_t>(records * kRecord, fill);
}

RecoveryDescription describe(const std::string& file, int64_t persons) {
    RecoveryDescription d;
    d.treeFile = file;
    d.writtenAt = 1700000000;
    d.persons = persons;
    return d;
}

bool write(RecoverySession& s, const std::vector<uint8_t>& bytes, const RecoveryDescription& d) {
    std::string error;
    const bool ok = s.write(bytes.data(), bytes.size(), d, error);
    if (!ok) ADD_FAILURE() << error;
    return ok;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(RecoveryFolder, FollowsTheStateHomeOrFallsBackToTheHomeFolder) {
    struct Case {
        const char* state;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/state", "/home/u", "/x/state/lineara/recovery"},
        {nullptr, "/home/u", "/home/u/.local/state/lineara/recovery"},
        {"", "/home/u", "/home/u/.local/state/lineara/recovery"},
        {"relative/state", "/home/u", "/home/u/.local/state/lineara/recovery"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(recoveryFolderFrom(c.state, c.home), c.expected)
            << (c.state ? c.state : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

TEST(RecoveryDescriptionText, RoundTripsAndRefusesWhatLacksItsKeys) {
    RecoveryDescription d = describe("/trees/a b=c.ln3", 12);
    d.treeFileSeen = true;
    d.treeFileSize = 2560 * 12;
    d.treeFileMtimeNs = 1700000000123456789;
    RecoveryDescription back;
    ASSERT_TRUE(parseDescription(formatDescription(d), back));
    EXPECT_EQ(back.treeFile, d.treeFile);
    EXPECT_EQ(back.writtenAt, d.writtenAt);
    EXPECT_EQ(back.persons, 12);
    EXPECT_TRUE(back.treeFileSeen);
    EXPECT_EQ(back.treeFileMtimeNs, d.treeFileMtimeNs);

    const char* broken[] = {
        "",
        "written=1\npersons=2\n",          // no file line
        "file=\nwritten=x\npersons=2\n",   // time not a number
        "file=\nwritten=1\npersons=-3\n",  // negative count
        "file=\nwritten=1\n",              // no count
        "\x89PNG garbage without lines",
    };
    for (const char* text : broken) {
        EXPECT_FALSE(parseDescription(text, back)) << text;
    }
    EXPECT_TRUE(parseDescription("file=\nwritten=1\npersons=0\nlater-key=9\n", back));
    EXPECT_FALSE(back.treeFileSeen);
}

TEST(RecoverySessionFiles, AreTheUsersAloneAndHiddenWhileTheProgramRuns) {
    TempDir dir;
    const std::string folder = dir.file("state/lineara/recovery");
    {
        RecoverySession session(folder);
        ASSERT_TRUE(write(session, tree(3, 7), describe("/t/x.ln3", 3)));
        EXPECT_EQ(modeOf(folder), 0700u);
        EXPECT_EQ(modeOf(session.treePath()), 0600u);
        EXPECT_EQ(modeOf(session.descriptionPath()), 0600u);
        EXPECT_EQ(readBytes(session.treePath()), tree(3, 7));
        // The lock is held: a second program sees nothing to offer.
        EXPECT_TRUE(findLeftRecoveries(folder).empty());
    }
    // The program is gone without removing its copy (as after a crash).
    std::vector<LeftRecovery> left = findLeftRecoveries(folder);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_FALSE(left[0].damaged());
    EXPECT_EQ(left[0].description.treeFile, "/t/x.ln3");
    EXPECT_EQ(left[0].description.persons, 3);
    // While one program holds the recovery, another is not offered it.
    EXPECT_TRUE(findLeftRecoveries(folder).empty());
    left[0].release();
    EXPECT_EQ(findLeftRecoveries(folder).size(), 1u);  // "Later" keeps it
}

TEST(RecoverySessionFiles, RemovedOnceThereIsNothingToKeep) {
    TempDir dir;
    {
        RecoverySession session(dir.path());
        ASSERT_TRUE(write(session, tree(1, 1), describe("", 1)));
        session.remove();
        EXPECT_FALSE(fileExists(session.treePath()));
        EXPECT_FALSE(fileExists(session.descriptionPath()));
    }
    EXPECT_TRUE(findLeftRecoveries(dir.path()).empty());
    // Neither the lock file nor anything else is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              0);
}

TEST(RecoverySessionFiles, FolderThatCannotBeMadeFailsAndIsTriedAgain) {
    TempDir dir;
    test::writeBytes(dir.file("blocker"), {1});
    const std::string folder = dir.file("blocker/recovery");
    RecoverySession session(folder);
    std::string error;
    const auto bytes = tree(1, 2);
    EXPECT_FALSE(session.write(bytes.data(), bytes.size(), describe("", 1), error));
    EXPECT_NE(error.find("blocker"), std::string::npos) << error;
    // The way is cleared: the next copy makes the folder.
    ASSERT_EQ(unlink(dir.file("blocker").c_str()), 0);
    EXPECT_TRUE(write(session, bytes, describe("", 1)));
}

TEST(RecoverySessionFiles, AnotherUsersFolderIsRefusedWithoutHarm) {
    TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    const std::string result = test::runInChild(
        [&] {
            RecoverySession session(dir.file("recovery"));
            std::string error;
            const auto bytes = tree(1, 2);
            if (session.write(bytes.data(), bytes.size(), describe("", 1), error)) {
                return std::string("written where it may not be");
            }
            return error.empty() ? std::string("no reason given") : std::string();
        },
        true);
    EXPECT_EQ(result, "");
}

TEST(RecoverySessionFiles, FullDiskKeepsThePreviousCopyWhole) {
    TempDir dir;
    const std::string result = test::runInChild(
        [&] {
            RecoverySession session(dir.path());
            std::string error;
            const auto small = tree(2, 5);
            if (!session.write(small.data(), small.size(), describe("", 2), error)) {
                return "first copy: " + error;
            }
            signal(SIGXFSZ, SIG_IGN);  // as the program does: a failed write, not a death
            rlimit limit{kRecord * 4, kRecord * 4};
            setrlimit(RLIMIT_FSIZE, &limit);
            const auto large = tree(20, 6);
            if (session.write(large.data(), large.size(), describe("", 20), error)) {
                return std::string("a copy past the limit was taken for written");
            }
            if (readBytes(session.treePath()) != small) return std::string("old copy harmed");
            return std::string();  // the files stay, as after a crash
        },
        false);
    EXPECT_EQ(result, "");
    std::vector<LeftRecovery> left = findLeftRecoveries(dir.path());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].description.persons, 2);
    EXPECT_EQ(readBytes(left[0].treePath), tree(2, 5));
}

TEST(RecoverySessionFiles, KillDuringACopyLeavesAWholeOne) {
    TempDir dir;
    for (int round = 0; round < 8; ++round) {
        const std::string folder = dir.file("r" + std::to_string(round));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RecoverySession session(folder);
            std::string error;
            for (uint8_t n = 1;; ++n) {
                // Each copy is one byte value throughout and as many records.
                const auto bytes = tree(n % 40 + 1, n);
                session.write(bytes.data(), bytes.size(), describe("", n % 40 + 1), error);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30 + 17 * round));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::vector<LeftRecovery> left = findLeftRecoveries(folder);
        if (left.empty()) continue;  // killed before the first copy
        ASSERT_EQ(left.size(), 1u);
        ASSERT_FALSE(left[0].damaged()) << left[0].damage;
        const std::vector<uint8_t> bytes = readBytes(left[0].treePath);
        ASSERT_FALSE(bytes.empty());
        ASSERT_EQ(bytes.size() % kRecord, 0u);
        EXPECT_EQ(bytes, tree(bytes.size() / kRecord, bytes[0])) << "round " << round;
    }
}

TEST(LeftRecoveries, DamagedOnesAreMovedAsideNotDeleted) {
    TempDir dir;
    struct Case {
        const char* name;
        size_t treeBytes;
        const char* description;  // nullptr: none
    } cases[] = {
        {"cut", kRecord + 100, "file=\nwritten=1\npersons=1\n"},
        {"nodesc", kRecord, nullptr},
        {"baddesc", kRecord, "garbage"},
        {"pipedesc", kRecord, nullptr},
    };
    for (const Case& c : cases) {
        test::writeBytes(dir.file(std::string(c.name) + ".ln3"),
                         std::vector<uint8_t>(c.treeBytes, 3));
        if (c.description) {
            std::ofstream(dir.file(std::string(c.name) + ".desc")) << c.description;
        }
    }
    // A pipe where the description should be must not hold the start.
    ASSERT_EQ(mkfifo(dir.file("pipedesc.desc").c_str(), 0600), 0);
    std::vector<LeftRecovery> left = findLeftRecoveries(dir.path());
    ASSERT_EQ(left.size(), 4u);
    for (LeftRecovery& one : left) {
        EXPECT_TRUE(one.damaged()) << one.treePath;
        std::string error;
        EXPECT_TRUE(one.moveAside(error)) << error;
    }
    EXPECT_TRUE(findLeftRecoveries(dir.path()).empty());
    int aside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().string().find(".damaged-") != std::string::npos) ++aside;
    }
    EXPECT_EQ(aside, 7);  // four trees, two descriptions and the pipe
}

TEST(LeftRecoveries, TellHowTheTreeFileStandsNow) {
    TempDir dir;
    const std::string file = dir.file("family.ln3");
    test::writeBytes(file, tree(1, 1));
    RecoverySession* session = new RecoverySession(dir.file("rec"));
    RecoveryDescription d = describe(file, 1);
    noteTreeFileState(d);
    ASSERT_TRUE(write(*session, tree(2, 2), d));
    delete session;

    auto now = [&] {
        std::vector<LeftRecovery> left = findLeftRecoveries(dir.file("rec"));
        return left.empty() ? LeftRecovery::TreeFileNow::Untitled : left[0].treeFileNow();
    };
    EXPECT_EQ(now(), LeftRecovery::TreeFileNow::Unchanged);
    test::writeBytes(file, tree(3, 1));
    EXPECT_EQ(now(), LeftRecovery::TreeFileNow::Changed);
    unlink(file.c_str());
    EXPECT_EQ(now(), LeftRecovery::TreeFileNow::Deleted);
}

}  // namespace
}  // namespace lineara

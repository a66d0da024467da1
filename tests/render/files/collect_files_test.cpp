// Collecting a tree's files into one folder: which files are copied, under
// which names, and what the persons point at afterwards.
#include "render/files/collect_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "support/add_person.h"
#include "support/hostile_files.h"
#include "support/open_watch.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;
using Bytes = std::vector<uint8_t>;

class CollectFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* d : {"a", "b", "dest"}) std::filesystem::create_directory(dir.file(d));
    }
    PersonRecord* personWith(TextField f, const std::string& stored) {
        PersonRecord* p = test::addPerson(persons, "Jan");
        p->setText(f, stored);
        return p;
    }
    // Relative names are taken from the test's folder, the tree's.
    CollectOutcome collect(bool allowOutside = false) {
        CollectOptions options;
        options.sourceFolder = QString::fromStdString(dir.path());
        options.allowOutside = allowOutside;
        TreeEdit edit(persons);
        return collectPersonFiles(edit, QString::fromStdString(dir.file("dest/")), codec, options);
    }
    std::vector<std::string> destFiles() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.file("dest"))) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    PersonList persons;
    RecordCodec codec;
};

TEST_F(CollectFilesTest, NamesThatMeetInTheFolderNeverOverwriteEachOther) {
    writeBytes(dir.file("a/photo.jpg"), {'A'});
    writeBytes(dir.file("b/photo.jpg"), {'B'});
    writeBytes(dir.file("a/notes.txt"), {'N'});
    writeBytes(dir.file("dest/notes.txt"), {'o', 'l', 'd'});  // someone else's file
    writeBytes(dir.file("dest/in.jpg"), {'I'});               // already collected

    struct Row {
        TextField field;
        std::string stored;
        const char* expected;  // the name in the record afterwards
    } rows[] = {
        {field::pictureFile, dir.file("a/photo.jpg"), "photo.jpg"},
        {field::pictureFile, "b/photo.jpg", "photo (2).jpg"},  // same bare name
        {field::pictureFile, "a\\photo.jpg", "photo.jpg"},     // the first file again
        {field::notesFile, "a/notes.txt", "notes (2).txt"},
        {field::pictureFile, dir.file("dest/in.jpg"), "in.jpg"},
    };
    for (const Row& r : rows) personWith(r.field, r.stored);

    CollectOutcome outcome = collect();

    EXPECT_EQ(outcome.collected, 5);
    EXPECT_TRUE(outcome.failures.isEmpty()) << outcome.failures.join(u',').toStdString();
    const PersonRecord* p = persons.personListHead();
    for (const Row& r : rows) {
        EXPECT_EQ(p->text(r.field), r.expected) << r.stored;
        p = p->nextPerson;
    }
    // One copy each, nothing overwritten, no temporary files left behind.
    EXPECT_EQ(destFiles(), (std::vector<std::string>{"in.jpg", "notes (2).txt", "notes.txt",
                                                     "photo (2).jpg", "photo.jpg"}));
    EXPECT_EQ(readBytes(dir.file("dest/photo.jpg")), Bytes{'A'});
    EXPECT_EQ(readBytes(dir.file("dest/photo (2).jpg")), Bytes{'B'});
    EXPECT_EQ(readBytes(dir.file("dest/notes.txt")), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(readBytes(dir.file("dest/notes (2).txt")), Bytes{'N'});
}

TEST_F(CollectFilesTest, OnlyRegularFilesAreCopied) {
    ASSERT_EQ(mkfifo(dir.file("a/pipe.txt").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("a/folder.jpg"));
    writeBytes(dir.file("a/good.jpg"), {'G'});
    const std::string refused[] = {dir.file("a/pipe.txt"), "/dev/zero", dir.file("a/folder.jpg"),
                                   dir.file("a/gone.jpg")};
    for (const std::string& stored : refused) personWith(field::pictureFile, stored);
    personWith(field::pictureFile, "a/good.jpg");

    // Should the FIFO be opened for reading and wait for a writer, one
    // comes, so that the test fails instead of hanging.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        while (!done) {
            int fd = ::open(dir.file("a/pipe.txt").c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    // /dev/zero lies outside the tree's folder: allowed, so that it meets
    // the test of what it is.
    CollectOutcome outcome = collect(true);
    done = true;
    writer.join();

    EXPECT_EQ(outcome.collected, 1);
    ASSERT_EQ(outcome.failures.size(), 4);
    const PersonRecord* p = persons.personListHead();
    for (int i = 0; i < 4; ++i, p = p->nextPerson) {
        EXPECT_EQ(outcome.failures[i].toStdString(), refused[i]);
        EXPECT_EQ(p->text(field::pictureFile), refused[i]);  // keeps its old name
    }
    EXPECT_EQ(p->text(field::pictureFile), "good.jpg");
    EXPECT_EQ(destFiles(), std::vector<std::string>{"good.jpg"});
}

// The names a tree from someone else may hold. Without leave nothing
// outside the tree's folder is gathered; with it, still only regular files
// of no system folder. A copy is never readable by more people than its
// original.
TEST(CollectHostileFiles, OnlyTheTreesOwnRegularFilesAreCopiedAndKeepTheirMode) {
    TempDir dir;
    const std::vector<test::HostileName> names = test::makeHostileNames(dir);
    RecordCodec codec;
    for (bool allowed : {false, true}) {
        const std::string dest = dir.file(allowed ? "dest-allowed/" : "dest/");
        std::filesystem::create_directory(dest);
        PersonList persons;
        for (const test::HostileName& row : names)
            test::addPerson(persons, "Jan")->setText(field::notesFile, row.stored);
        std::vector<std::unique_ptr<test::OpenWatch>> watches;
        for (const test::HostileName& row : names) {
            if (row.plain == NamedFileProblem::NotRegular)
                watches.push_back(std::make_unique<test::OpenWatch>(row.path));
        }
        CollectOptions options;
        options.sourceFolder = QString::fromStdString(dir.file("tree"));
        options.allowOutside = allowed;
        TreeEdit edit(persons);
        CollectOutcome outcome =
            collectPersonFiles(edit, QString::fromStdString(dest), codec, options);

        const PersonRecord* p = persons.personListHead();
        for (const test::HostileName& row : names) {
            const NamedFileProblem expected = allowed ? row.allowed : row.plain;
            const QString stored = QString::fromStdString(row.stored);
            const std::string label = std::string(row.label) + (allowed ? " (allowed)" : "");
            EXPECT_EQ(outcome.outside.contains(stored), expected == NamedFileProblem::Outside)
                << label;
            EXPECT_EQ(outcome.failures.contains(stored),
                      expected != NamedFileProblem::None && expected != NamedFileProblem::Outside)
                << label;
            if (expected == NamedFileProblem::None) {
                const std::string copy = dest + std::string(p->text(field::notesFile));
                struct stat original, copied;
                ASSERT_EQ(stat(row.path.c_str(), &original), 0) << label;
                ASSERT_EQ(stat(copy.c_str(), &copied), 0) << label;
                EXPECT_EQ(copied.st_mode & 07777, original.st_mode & 07777) << label;
                EXPECT_EQ(readBytes(copy), readBytes(row.path)) << label;
            } else {
                EXPECT_EQ(p->text(field::notesFile), row.stored) << label;  // its old name
            }
            p = p->nextPerson;
        }
        for (auto& watch : watches) EXPECT_FALSE(watch->opened());
        // The secret is copied only with leave.
        EXPECT_EQ(std::filesystem::exists(dest + "secret.txt"), allowed);
        EXPECT_FALSE(std::filesystem::exists(dest + "environ"));
        EXPECT_EQ(outcome.created.size(), allowed ? 2 : 1);  // secret.txt and private.txt
    }
}

TEST_F(CollectFilesTest, TakingTheCopiesBackLeavesWhatWasThereBefore) {
    writeBytes(dir.file("a/photo.jpg"), {'A'});
    writeBytes(dir.file("dest/in.jpg"), {'I'});  // collected before
    personWith(field::pictureFile, "a/photo.jpg");
    personWith(field::pictureFile, dir.file("dest/in.jpg"));
    CollectOutcome outcome = collect();
    ASSERT_EQ(outcome.created, QStringList{QString::fromStdString(dir.file("dest/photo.jpg"))});
    EXPECT_TRUE(outcome.namesChanged);
    EXPECT_TRUE(removeCollectedCopies(outcome).isEmpty());
    EXPECT_EQ(destFiles(), std::vector<std::string>{"in.jpg"});
}

}  // namespace
}  // namespace lineara

// Files that are not what they claim: truncated, oversized fields, odd ids,
// things that are not files at all, and saves that cannot complete.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/formats/tree_file.h"
#include "core/model/document.h"
#include "support/child_process.h"
#include "support/load_centred.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

std::vector<uint8_t> recordWith(int32_t id, int32_t fatherId = 0, int32_t motherId = 0,
                                int32_t partner1 = 0) {
    PersonRecord r;
    r.setPersonId(id);
    r.setFatherId(fatherId);
    r.setMotherId(motherId);
    r.setPartnerId(1, partner1);
    return std::vector<uint8_t>(r.image().begin(), r.image().end());
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> records) {
    std::vector<uint8_t> out;
    for (const auto& r : records) out.insert(out.end(), r.begin(), r.end());
    return out;
}

class BadTreeFile : public ::testing::Test {
protected:
    LoadResult load(const std::vector<uint8_t>& bytes) {
        std::string path = dir.file("in.ln3");
        writeBytes(path, bytes);
        return ReadfromFileCentred(list, path, view, 640, 480);
    }
    PersonList list;
    ViewState view;
    TempDir dir;
};

TEST_F(BadTreeFile, OnlyWholeRecordsAreRecognised) {
    struct Case {
        size_t size;
        bool recognised;
        size_t records;
    } cases[] = {{0, true, 0},     {2559, false, 0}, {2560, true, 1},
                 {2561, false, 0}, {5119, false, 0}, {3 * 2560, true, 3}};
    for (const Case& c : cases) {
        ASSERT_TRUE(list.LagNyPerson(0, 0).ok);  // an old tree, always cleared
        list.setTreeModified(true);
        std::vector<uint8_t> bytes(c.size, 0);
        for (size_t at = 0; at + kRecordSize <= c.size; at += kRecordSize) bytes[at + 8] = 1;
        LoadResult r = load(bytes);
        EXPECT_EQ(r.loaded(), c.recognised) << c.size;
        EXPECT_EQ(list.count(), c.records) << c.size;
        if (!c.recognised) {
            EXPECT_EQ(r.status, LoadResult::Unrecognized);
            EXPECT_EQ(r.message, "Error: Lineara did not recognize the file");
            EXPECT_FALSE(list.treeModified());
            EXPECT_EQ(list.currentPerson(), nullptr);
            EXPECT_EQ(list.highestPersonId(), 0);
        }
    }
}

TEST_F(BadTreeFile, OversizedLengthBytesAreCutToTheField) {
    std::vector<uint8_t> bytes(kRecordSize, 'z');
    PersonRecord probe;
    std::vector<TextField> fields(std::begin(field::kPersonalData), std::end(field::kPersonalData));
    for (int i = 1; i <= kRelationSlots; ++i) {
        fields.push_back(field::relationDate(i));
        fields.push_back(field::relationPlace(i));
    }
    for (TextField f : {field::aliasMark, field::gedcomImportXref, field::gedcomChildFamilyXref,
                        field::reservedXref}) {
        fields.push_back(f);
    }
    for (const TextField& f : fields) bytes[f.offset] = 255;
    // Sane ids and no links, so only the texts are odd.
    std::vector<uint8_t> ids = recordWith(1);
    for (int at : {8, 1308, 1312}) std::copy(&ids[at], &ids[at] + 4, &bytes[at]);
    for (int at = 1348; at < 1380; ++at) bytes[at] = 0;

    ASSERT_TRUE(load(bytes).loaded());
    const PersonRecord* r = list.personListHead();
    for (const TextField& f : fields) {
        EXPECT_EQ(r->text(f).size(), f.capacity) << "field at " << f.offset;
    }
    // Saved again, the lengths stay within their fields.
    std::string out = dir.file("out.ln3");
    ASSERT_TRUE(SavetoFile(list, out).written());
    std::vector<uint8_t> saved = readBytes(out);
    for (const TextField& f : fields) EXPECT_EQ(saved[f.offset], f.capacity);
}

TEST_F(BadTreeFile, OddIdsGiveNullOrFirstMatchLinks) {
    // ids: 0, -3, 7, 7 (duplicate), 9 naming itself as father, dangling 99.
    ASSERT_TRUE(load(join({recordWith(0, 7), recordWith(-3, 0, -3), recordWith(7, 0, 0, 9),
                           recordWith(7, 7, 0, 7), recordWith(9, 9, 99, 0)}))
                    .loaded());
    ASSERT_EQ(list.count(), 5u);
    const PersonRecord* zero = list.personListHead();
    const PersonRecord* negative = zero->nextPerson;
    const PersonRecord* first7 = negative->nextPerson;
    const PersonRecord* second7 = first7->nextPerson;
    const PersonRecord* nine = second7->nextPerson;
    EXPECT_EQ(zero->father, first7);       // a duplicate id links to the first
    EXPECT_EQ(negative->mother, nullptr);  // negative ids never resolve
    EXPECT_EQ(first7->partner[1], nine);
    EXPECT_EQ(second7->father, first7);
    EXPECT_EQ(second7->partner[1], first7);
    EXPECT_EQ(nine->father, nine);  // the file says so; loading does not judge
    EXPECT_EQ(nine->mother, nullptr);
    EXPECT_EQ(list.highestPersonId(), 9);
    EXPECT_EQ(list.findPersonById(7), first7);

    // Saved again, the links come back as the same ids.
    std::string out = dir.file("out.ln3");
    ASSERT_TRUE(SavetoFile(list, out).written());
    std::vector<uint8_t> saved = readBytes(out);
    int32_t fatherOfZero;
    std::memcpy(&fatherOfZero, &saved[offset::fatherId], 4);
    EXPECT_EQ(fatherOfZero, 7);
    int32_t danglingMother;
    std::memcpy(&danglingMother, &saved[4 * kRecordSize + offset::motherId], 4);
    EXPECT_EQ(danglingMother, 0);  // a dangling id is dropped, as its link was
}

TEST_F(BadTreeFile, ExtremePositionsDoNotOverflowTheCentring) {
    PersonRecord r;
    r.setPersonId(1);
    r.setPos(INT32_MIN, INT32_MAX);
    ASSERT_TRUE(load(std::vector<uint8_t>(r.image().begin(), r.image().end())).loaded());
    EXPECT_EQ(view.scrollX, INT32_MAX);
    EXPECT_EQ(view.scrollY, 240 - INT32_MAX - 40);
}

TEST_F(BadTreeFile, ThingsThatAreNotReadableFilesAreFileErrors) {
    ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
    list.setTreeModified(true);
    std::filesystem::create_directory(dir.file("folder.ln3"));
    for (const std::string& path : {dir.file("folder.ln3"), dir.file("missing.ln3")}) {
        LoadResult r = ReadfromFileCentred(list, path, view, 640, 480);
        EXPECT_EQ(r.status, LoadResult::FileError) << path;
        EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
        EXPECT_TRUE(list.empty());
        EXPECT_TRUE(list.treeModified());  // as it was
    }
    EXPECT_NE(ReadfromFileCentred(list, dir.file("missing.ln3"), view, 1, 1)
                  .message.find("No such file or directory"),
              std::string::npos);
}

// A device would hand out records without end and a pipe would keep the
// open waiting for a writer: both are refused before anything is read, also
// behind a link. In a child with an alarm and a memory limit, so that a
// reader that does go ahead fails rather than hangs or fills the memory.
TEST_F(BadTreeFile, DevicesAndPipesAreRefusedUnread) {
    const std::string zero = dir.file("zero.ln3");
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::string pipe = dir.file("pipe.ln3");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    const std::string said = test::runInChild(
        [&] {
#ifndef LINEARA_UNDER_ASAN
            const rlimit memory{rlim_t(1) << 30, rlim_t(1) << 30};
            setrlimit(RLIMIT_AS, &memory);
#endif
            alarm(10);
            std::string problems;
            for (const std::string& path : {zero, pipe, std::string("/dev/null")}) {
                PersonList persons;
                const LoadResult r = ReadfromFile(persons, path);
                const std::string expected =
                    "Cannot open file \"" + path + "\". Not a regular file";
                if (r.status != LoadResult::FileError || r.message != expected)
                    problems += path + ": " + r.message + "\n";
            }
            return problems;
        },
        false);
    EXPECT_EQ(said, "");
}

TEST_F(BadTreeFile, UnreadableFileIsAFileError) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    std::string path = dir.file("locked.ln3");
    writeBytes(path, recordWith(1));
    chmod(path.c_str(), 0);
    LoadResult r = ReadfromFileCentred(list, path, view, 640, 480);
    EXPECT_EQ(r.status, LoadResult::FileError);
    EXPECT_NE(r.message.find("Permission denied"), std::string::npos);
}

TEST_F(BadTreeFile, AReadErrorIsAnUnrecognisedFile) {
    // The start of this process's address space is unmapped, so reading
    // this file fails with an I/O error.
    ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
    LoadResult r = ReadfromFileCentred(list, "/proc/self/mem", view, 640, 480);
    EXPECT_EQ(r.status, LoadResult::Unrecognized);
    EXPECT_TRUE(list.empty());
}

class FailedSave : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 10; ++i) ASSERT_TRUE(list.LagNyPerson(i * 200, 0).ok);
        list.setTreeModified(true);
        oldBytes = recordWith(42);
    }
    // Only the target should be in the folder afterwards: no temporaries.
    size_t filesIn(const std::string& folder) {
        size_t n = 0;
        for (auto& e : std::filesystem::directory_iterator(folder)) n += e.is_regular_file();
        return n;
    }
    PersonList list;
    TempDir dir;
    std::vector<uint8_t> oldBytes;
};

TEST_F(FailedSave, FolderThatDoesNotExistOrIsAFile) {
    writeBytes(dir.file("plain.ln3"), oldBytes);
    for (const std::string& path : {dir.file("nowhere/t.ln3"), dir.file("plain.ln3/t.ln3")}) {
        SaveResult r = SavetoFile(list, path);
        EXPECT_EQ(r.status, SaveResult::FileError) << path;
        EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
    }
    EXPECT_EQ(readBytes(dir.file("plain.ln3")), oldBytes);
    EXPECT_TRUE(list.treeModified());
}

TEST_F(FailedSave, FolderThatCannotBeWritten) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes every folder";
    std::string folder = dir.file("ro");
    std::filesystem::create_directory(folder);
    writeBytes(folder + "/t.ln3", oldBytes);
    chmod(folder.c_str(), 0555);
    EXPECT_EQ(SavetoFile(list, folder + "/t.ln3").status, SaveResult::FileError);
    EXPECT_EQ(readBytes(folder + "/t.ln3"), oldBytes);
}

TEST_F(FailedSave, WriteFailingHalfWayKeepsTheOldFile) {
    // Limit the size of files this process may write, so the save fails
    // after its first batch, as on a full disk.
    std::string path = dir.file("t.ln3");
    writeBytes(path, oldBytes);
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 3 * kRecordSize;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    SaveResult r = SavetoFile(list, path);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r.status, SaveResult::FileError);
    EXPECT_NE(r.message.find("Cannot write file"), std::string::npos) << r.message;
    EXPECT_EQ(readBytes(path), oldBytes);
    EXPECT_EQ(filesIn(dir.path()), 1u);
    EXPECT_TRUE(list.treeModified());
}

TEST_F(FailedSave, TargetThatIsAFolder) {
    std::filesystem::create_directory(dir.file("d.ln3"));
    EXPECT_EQ(SavetoFile(list, dir.file("d.ln3")).status, SaveResult::FileError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("d.ln3")));
}

// The address space this process has mapped now.
size_t addressSpaceInUse() {
    size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * size_t(sysconf(_SC_PAGESIZE));
}

TEST(TreeLargerThanMemory, IsAFileErrorThatLeavesAnEmptyUntitledTree) {
#ifdef LINEARA_UNDER_ASAN
    GTEST_SKIP() << "a memory limit cannot be tested under the address sanitizer";
#endif
    TempDir dir;
    // A gigabyte of empty records that takes no disk: a hole.
    std::string path = dir.file("huge.ln3");
    writeBytes(path, {});
    ASSERT_EQ(truncate(path.c_str(), off_t(400'000) * kRecordSize), 0);

    std::string problems = test::runInChild(
        [&path] {
            struct rlimit limit;
            limit.rlim_cur = limit.rlim_max = addressSpaceInUse() + (size_t(64) << 20);
            if (setrlimit(RLIMIT_AS, &limit) != 0) return std::string("setrlimit failed");
            Document doc;
            doc.setCurrentFileName("/somewhere/old.ln3");
            LoadResult r = doc.ReadfromFile(path);
            std::string said;
            if (r.status != LoadResult::FileError) said += "not a file error\n";
            if (r.message != "Not enough memory to open file \"" + path + "\"") {
                said += r.message + "\n";
            }
            if (!doc.persons().empty()) said += "records left in memory\n";
            if (!doc.currentFileName().empty()) said += "still titled\n";
            if (doc.treeModified()) said += "marked modified\n";
            return said;
        },
        false);
    EXPECT_EQ(problems, "");
}

}  // namespace
}  // namespace lineara

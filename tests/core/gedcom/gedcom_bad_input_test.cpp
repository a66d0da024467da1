// The import on files nobody meant to write: binary junk, lines of
// megabytes, levels past any integer, cross-references to nothing, far more
// families or children than a tree holds. It must neither crash nor break
// the tree, keep what it read, and hold no more than a line's worth of a
// line in memory.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <unordered_set>

#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/gedcom/gedcom_texts.h"
#include "support/child_process.h"
#include "support/gedcom_support.h"

namespace lineara {
namespace {

using test::gedcomLines;
using test::imported;
using test::importText;
using test::slotsWith;

// What holds of every imported tree, whatever the file: ids 1, 2, 3 ...,
// boxes at 0, 0, links only to persons of the tree and never to oneself,
// every relationship recorded on both persons.
std::string treeProblems(const PersonList& list) {
    std::unordered_set<const PersonRecord*> records;
    forEachPerson(list, [&](const PersonRecord* r) { records.insert(r); });
    std::string problems;
    int32_t id = 0;
    forEachPerson(list, [&](const PersonRecord* r) {
        std::string who = "person " + std::to_string(r->personId()) + ": ";
        if (r->personId() != ++id) problems += who + "id out of order; ";
        if (r->posX() != 0 || r->posY() != 0) problems += who + "not at 0, 0; ";
        for (const PersonRecord* parent : {r->father, r->mother}) {
            if (parent == r) problems += who + "own parent; ";
            if (parent != nullptr && records.count(parent) == 0) problems += who + "stray parent; ";
        }
        for (int s = 1; s <= kRelationSlots; ++s) {
            const PersonRecord* q = r->partner[s];
            if (q == nullptr) continue;
            if (q == r) problems += who + "own partner; ";
            if (records.count(q) == 0) {
                problems += who + "stray partner; ";
            } else if (slotsWith(r, q).size() != slotsWith(q, r).size()) {
                problems += who + "one-sided relationship; ";
            }
        }
    });
    if (list.highestPersonId() != id) problems += "highest id wrong; ";
    return problems;
}

// Every text and link of the tree, to compare two imports of one file.
std::string fingerprint(const PersonList& list) {
    std::string out;
    auto idOf = [](const PersonRecord* r) { return std::to_string(r ? r->personId() : 0); };
    forEachPerson(list, [&](const PersonRecord* r) {
        out += std::string(reinterpret_cast<const char*>(r->image().data()), kRecordSize);
        out += idOf(r->father) + "," + idOf(r->mother);
        for (int s = 1; s <= kRelationSlots; ++s) out += "," + idOf(r->partner[s]);
        out += "\n";
    });
    return out;
}

struct Imported {
    GedcomImportResult result;
    std::string tree;
};

// Imports the file whole and in small pieces: both must give the same, and
// a sound tree; undo gives back the empty one.
Imported importChecked(const std::string& file, size_t piece, const std::string& what) {
    Document whole, pieces;
    GedcomImportResult a = importText(whole, file);
    GedcomImportResult b = importText(pieces, file, piece);
    EXPECT_EQ(a.status, b.status) << what;
    EXPECT_EQ(a.counters.linesRead, b.counters.linesRead) << what;
    EXPECT_EQ(a.counters.bytesRead, b.counters.bytesRead) << what;
    EXPECT_EQ(a.statusText, b.statusText) << what;
    std::string tree = fingerprint(whole.persons());
    EXPECT_TRUE(tree == fingerprint(pieces.persons())) << what;
    EXPECT_EQ(treeProblems(whole.persons()), "") << what;
    if (!whole.persons().empty()) {
        EXPECT_TRUE(whole.undo()) << what;
        EXPECT_TRUE(whole.persons().empty()) << what;
    }
    return {a, tree};
}

TEST(GedcomBadInput, SurvivesJunkAndHugeLines) {
    const std::string mb4(4 << 20, 'x');
    std::mt19937 rng(7);
    std::string junk(1 << 16, '\0');
    for (char& c : junk) c = static_cast<char>(rng());

    Imported o = importChecked(junk, 977, "binary junk");
    EXPECT_NE(o.result.status, GedcomImportResult::Cancelled);

    o = importChecked(
        gedcomLines({"0 @I1@ INDI", "1 NAME " + mb4 + " /" + mb4 + "/", "1 SOUR " + mb4}), 65537,
        "values of megabytes");
    ASSERT_EQ(o.result.status, GedcomImportResult::Done);

    Document doc;
    importText(doc,
               gedcomLines({"0 @" + mb4 + " INDI", "0 @I2@ INDI", "1 " + mb4 + " NAME",
                            std::string(1 << 20, '0') + "1 NAME Jan", std::string(mb4.size(), '\t'),
                            "0 @F1@ FAM", "1 HUSB @" + mb4.substr(0, 19), "1 WIFE @I2@"}));
    ASSERT_EQ(doc.persons().count(), 2u);
    const PersonRecord* first = doc.persons().personListHead();
    const PersonRecord* second = first->nextPerson;
    EXPECT_EQ(first->text(field::gedcomImportXref), "@" + mb4.substr(0, 19));
    EXPECT_EQ(second->text(field::givenNames), "Jan");  // level 0000...01
    // Cross-references are matched whole: the first bytes of one name nobody.
    EXPECT_TRUE(slotsWith(first, second).empty());
    EXPECT_EQ(treeProblems(doc.persons()), "");
}

TEST(GedcomBadInput, LineEndsOfEveryKindGiveTheSameTree) {
    std::vector<std::string> lines = {"0 HEAD",      "0 @I1@ INDI",         "1 NAME Jan /Kowalski/",
                                      "0 @I2@ INDI", "1 NAME Anna /Nowak/", "0 @I3@ INDI",
                                      "0 @F1@ FAM",  "1 HUSB @I1@",         "1 WIFE @I2@",
                                      "1 MARR",      "2 DATE 1900",         "1 CHIL @I3@",
                                      "0 TRLR"};
    std::string tree;
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string file;
        for (const std::string& l : lines) file += l + end;
        Imported o =
            importChecked(file, 3, std::string("line end ") + (end[0] == '\n' ? "LF" : "CR"));
        EXPECT_EQ(o.result.status, GedcomImportResult::Done);
        EXPECT_EQ(o.result.counters.linesRead, 13);
        if (tree.empty()) tree = o.tree;
        EXPECT_TRUE(o.tree == tree);
    }
    // Mixed, with a byte 26 ending the file early.
    Imported mixed = importChecked(
        "0 @I1@ INDI\r1 NAME Jan\n0 @I2@ INDI\r\n\x1A"
        "0 @I3@ INDI\r\n",
        1, "mixed");
    EXPECT_EQ(mixed.result.counters.personsRead, 2);
}

TEST(GedcomBadInput, AManyTimesMarriedPersonKeepsEightAndIsToldOnce) {
    std::vector<std::string> lines = {"0 HEAD", "0 @I1@ INDI", "1 NAME Jan /Kowalski/"};
    for (int i = 2; i <= 1201; ++i) lines.push_back("0 @I" + std::to_string(i) + "@ INDI");
    for (int i = 2; i <= 1201; ++i) {
        lines.insert(lines.end(), {"0 @F" + std::to_string(i) + "@ FAM", "1 HUSB @I1@",
                                   "1 WIFE @I" + std::to_string(i) + "@", "1 MARR",
                                   "2 DATE " + std::to_string(1800 + i)});
    }
    lines.push_back("0 TRLR");
    Document doc;
    GedcomImportResult result = importText(doc, gedcomLines(lines));
    EXPECT_EQ(result.status, GedcomImportResult::Done);
    EXPECT_EQ(result.counters.familiesRead, 1200);
    EXPECT_EQ(result.relationshipsLeftOut, 1192);
    EXPECT_EQ(result.messages, std::vector<std::string>{kMsgMarriageLimit});
    EXPECT_EQ(result.statusText, "Done. Relationships left out (at most 8 per person): 1192");
    const PersonRecord* jan = imported(doc.persons(), "@I1@");
    for (int s = 1; s <= kRelationSlots; ++s) {
        ASSERT_NE(jan->partner[s], nullptr);
        EXPECT_EQ(jan->text(field::relationDate(s)), std::to_string(1801 + s));
    }
    const PersonRecord* ninth = imported(doc.persons(), "@I10@");
    EXPECT_TRUE(slotsWith(ninth, jan).empty());
    EXPECT_EQ(treeProblems(doc.persons()), "");
}

TEST(GedcomBadInput, AFamilyOfThousandsOfChildrenLinksThemAll) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 1202; ++i) lines.push_back("0 @I" + std::to_string(i) + "@ INDI");
    lines.insert(lines.end(), {"0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@"});
    for (int i = 3; i <= 1202; ++i) lines.push_back("1 CHIL @I" + std::to_string(i) + "@");
    Document doc;
    ASSERT_TRUE(importText(doc, gedcomLines(lines)).done());
    const PersonRecord* father = imported(doc.persons(), "@I1@");
    const PersonRecord* mother = imported(doc.persons(), "@I2@");
    int children = 0;
    forEachPerson(doc.persons(), [&](const PersonRecord* r) {
        if (r->father == father && r->mother == mother) ++children;
    });
    EXPECT_EQ(children, 1200);
}

// Files of GEDCOM's own words in any order, with references to persons
// that exist, do not exist yet, or never will, now and then a junk byte.
std::string gedcomSoup(std::mt19937& rng) {
    static const char* tags[] = {"INDI", "FAM",  "HUSB", "WIFE", "CHIL", "DIV",  "DIVF", "MARR",
                                 "DATE", "PLAC", "NAME", "SEX",  "BIRT", "DEAT", "BAPM", "OCCU",
                                 "SOUR", "NOTE", "@I1@", "@F1@", "TRLR", "HEAD", ""};
    static const char* ends[] = {"\r\n", "\n", "\r", "\r\r\n", ""};
    std::string file;
    int lines = int(rng() % 300);
    for (int i = 0; i < lines; ++i) {
        int roll = int(rng() % 100);
        std::string ref = "@I" + std::to_string(rng() % 12) + "@";
        std::string line;
        if (roll < 15) {
            line = "0 " + ref + " INDI";
        } else if (roll < 22) {
            line = "0 @F" + std::to_string(rng() % 4) + "@ FAM";
        } else if (roll < 50) {
            line = std::to_string(rng() % 3) + " " + tags[rng() % 23] + " " + ref;
        } else if (roll < 90) {
            line = std::to_string(int(rng() % 5) - 1) + " " + tags[rng() % 23] + " " +
                   tags[rng() % 23] + " /" + tags[rng() % 23] + "/";
        } else {
            for (int n = int(rng() % 12); n > 0; --n) line += static_cast<char>(rng());
        }
        file += line + ends[rng() % 5];
    }
    return file;
}

// Whatever a tree read from such a file holds, its export reads back to a
// tree that exports the same again: no text of it breaks a line, forges a
// record or changes on the way. (The standard form may first turn a byte
// the code page leaves undefined into "?"; from then on it is stable too.)
std::string exportOf(const PersonList& list, GedcomForm form) {
    GedcomExportOptions options;
    options.form = form;
    return gedcomText(list, {2026, 1, 2, 3, 4}, options);
}

void expectStableExport(const Document& doc, const std::string& what) {
    for (GedcomForm form : {GedcomForm::Own, GedcomForm::Standard}) {
        std::string first = exportOf(doc.persons(), form);
        Document again;
        ASSERT_TRUE(importText(again, first).done()) << what;
        EXPECT_EQ(again.persons().count(), doc.persons().count()) << what;
        std::string second = exportOf(again.persons(), form);
        if (form == GedcomForm::Standard) {
            Document third;
            ASSERT_TRUE(importText(third, second).done()) << what;
            first = std::move(second);
            second = exportOf(third.persons(), form);
        }
        EXPECT_TRUE(second == first) << what;
    }
}

TEST(GedcomBadInput, AnyMixOfRecordsGivesASoundTree) {
    std::mt19937 rng(11);
    int failed = 0, done = 0;
    for (int n = 0; n < 400; ++n) {
        std::string file = gedcomSoup(rng);
        Imported o = importChecked(file, 1 + rng() % 17, "soup #" + std::to_string(n));
        (o.result.done() ? done : failed)++;
        Document doc;
        importText(doc, file);
        expectStableExport(doc, "soup #" + std::to_string(n));
    }
    // Both ends were reached: the soup is not all junk, nor all clean.
    EXPECT_GT(done, 20);
    EXPECT_GT(failed, 20);
}

// A line of a given length made up on the fly: nothing holds all of it.
class GiantLine : public ByteSource {
public:
    GiantLine(std::string head, char filler, uint64_t count, std::string tail)
        : head_(std::move(head)), tail_(std::move(tail)), filler_(filler), count_(count) {}
    int64_t read(char* buffer, size_t size, int&) override {
        size_t n = 0;
        while (n < size && at_ < head_.size()) buffer[n++] = head_[at_++];
        uint64_t fill = std::min<uint64_t>(size - n, count_);
        std::fill(buffer + n, buffer + n + fill, filler_);
        n += size_t(fill);
        count_ -= fill;
        while (n < size && count_ == 0 && tailAt_ < tail_.size()) buffer[n++] = tail_[tailAt_++];
        return int64_t(n);
    }

private:
    std::string head_, tail_;
    char filler_;
    uint64_t count_;
    size_t at_ = 0, tailAt_ = 0;
};

TEST(GedcomBadInput, ALineOfHundredsOfMegabytesCostsNoMemory) {
#ifdef LINEARA_UNDER_ASAN
    GTEST_SKIP() << "a memory limit cannot be tested under the address sanitizer";
#endif
    std::string problems = test::runInChild(
        [] {
            // Room for a few megabytes more than the process has now, far
            // less than one of the lines.
            unsigned long pages = 0;
            if (FILE* f = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(f, "%lu", &pages) != 1) pages = 0;
                std::fclose(f);
            }
            rlim_t room = rlim_t(pages) * 4096 + (rlim_t(96) << 20);
            struct rlimit limit = {room, room};
            if (pages == 0 || setrlimit(RLIMIT_AS, &limit) != 0) return std::string("no limit");
            const uint64_t size = uint64_t(160) << 20;
            const struct {
                const char* what;
                std::string head;
                char filler;
                std::string tail;
            } lines[] = {
                {"a value", "0 @I1@ INDI\r\n1 NAME Jan /", 'x', "/\r\n1 SEX M\r\n"},
                {"a tag", "0 @I1@ INDI\r\n1 ", 'T', " x\r\n1 SEX M\r\n"},
                {"a level", "0 @I1@ INDI\r\n", '0', "1 SEX M\r\n"},
                {"blanks", "", '\t', "\r\n0 @I1@ INDI\r\n1 SEX M\r\n"},
            };
            std::string said;
            for (const auto& l : lines) {
                GiantLine source(l.head, l.filler, size, l.tail);
                Document doc;
                GedcomImportResult r = importGedcom(doc, source, {"giant.ged", false, 0});
                const PersonRecord* p = doc.persons().personListHead();
                if (!r.done() || p == nullptr || p->text(field::sex) != "M") {
                    said += std::string(l.what) + ": " + r.statusText + " " +
                            (r.messages.empty() ? "" : r.messages.back()) + "; ";
                }
            }
            return said;
        },
        false);
    EXPECT_EQ(problems, "");
}

}  // namespace
}  // namespace lineara

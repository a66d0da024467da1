#include "testdata/synthetic_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/model/relationships.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::TempDir;

std::vector<uint8_t> generatedFile(const TempDir& dir, int persons, uint32_t seed) {
    PersonList list;
    generateSyntheticTree(list, persons, seed);
    std::string path = dir.file("tree.ln3");
    EXPECT_TRUE(SavetoFile(list, path).written());
    return test::readBytes(path);
}

TEST(SyntheticTree, SameSizeAndSeedGiveTheSameFileAndAnotherSeedAnother) {
    TempDir dir;
    std::vector<uint8_t> first = generatedFile(dir, 2000, 7);
    std::vector<uint8_t> again = generatedFile(dir, 2000, 7);
    std::vector<uint8_t> other = generatedFile(dir, 2000, 8);
    ASSERT_EQ(first.size(), 2000u * kRecordSize);
    // Compared whole rather than with EXPECT_EQ, which would print megabytes.
    EXPECT_TRUE(first == again);
    EXPECT_FALSE(first == other);
}

TEST(SyntheticTree, MakesExactlyTheRequestedNumberOfRecords) {
    for (int n : {0, 1, 2, 3, 4, 5, 17, 100, 999, 4321}) {
        SCOPED_TRACE(n);
        PersonList list;
        generateSyntheticTree(list, n, 3);
        EXPECT_EQ(list.count(), static_cast<size_t>(n));
        EXPECT_EQ(list.highestPersonId(), n);
        EXPECT_EQ(list.currentPerson(), nullptr);
    }
}

// Every rule the rest of the program relies on, as a list of complaints
// (empty when the tree is sound), so one broken rule does not flood the log.
class Checker {
public:
    explicit Checker(const PersonList& list) : list_(list) {}

    std::vector<std::string> run() {
        forEachPerson(list_, [this](const PersonRecord* r) {
            checkIdentity(*r);
            checkParents(*r);
            checkRelationships(*r);
            checkPlacement(*r);
        });
        checkAliasCounts();
        checkOverlaps();
        return problems_;
    }

private:
    void complain(const PersonRecord& r, const std::string& what) {
        if (problems_.size() < 20)
            problems_.push_back("#" + std::to_string(r.personId()) + ": " + what);
    }

    void checkIdentity(const PersonRecord& r) {
        if (r.personId() <= 0 || !ids_.insert(r.personId()).second)
            complain(r, "bad or repeated id");
        if (r.text(field::sex) != "M" && r.text(field::sex) != "F") complain(r, "sex not M or F");
        if (r.isEmpty(field::givenNames) || r.isEmpty(field::surname)) complain(r, "no name");
    }

    void checkParents(const PersonRecord& r) {
        if (r.father == &r || r.mother == &r) complain(r, "own parent");
        if (r.isAliasBox()) {
            checkAliasBox(r);
            return;
        }
        if (r.father != nullptr && r.father->text(field::sex) != "M") complain(r, "female father");
        if (r.mother != nullptr && r.mother->text(field::sex) != "F") complain(r, "male mother");
        for (const PersonRecord* parent : {r.father, r.mother}) {
            if (parent != nullptr && parent->posY() >= r.posY()) complain(r, "not below a parent");
        }
    }

    void checkAliasBox(const PersonRecord& r) {
        if (r.father == nullptr || !r.father->isAliasOriginal()) {
            complain(r, "alias box without an ALIAS original");
            return;
        }
        if (r.mother != nullptr) complain(r, "alias box with a mother");
        for (TextField f : field::kPersonalData) {
            if (r.text(f) != r.father->text(f))
                complain(r, "alias box data differs at " + std::to_string(f.offset));
        }
        ++aliasBoxes_[r.father];
    }

    void checkRelationships(const PersonRecord& r) {
        for (int i = 1; i <= kRelationSlots; ++i) {
            const PersonRecord* p = r.partner[i];
            if (p == nullptr) continue;
            if (p == &r) complain(r, "own partner");
            const PersonRecord* father = realFather(r);
            if (father != nullptr && father == realFather(*p)) complain(r, "partner is a sibling");
            if (std::string("MPDFSOU").find(r.relationType(i)) == std::string::npos)
                complain(r, "type code");
            int there = findBackSlot(r, i).slot;
            if (there == 0 || p->partner[there] != &r ||
                p->text(field::relationDate(there)) != r.text(field::relationDate(i)) ||
                p->text(field::relationPlace(there)) != r.text(field::relationPlace(i)) ||
                p->relationType(there) != r.relationType(i)) {
                complain(r, "relationship in slot " + std::to_string(i) + " not mirrored");
            }
        }
    }

    // The father of the person a box stands for.
    static const PersonRecord* realFather(const PersonRecord& r) {
        if (!r.isAliasBox()) return r.father;
        return r.father != nullptr ? r.father->father : nullptr;
    }

    void checkPlacement(const PersonRecord& r) {
        auto onGrid = [](int32_t v) { return ((v % 5) + 5) % 5 == 2; };
        if (!onGrid(r.posX()) || !onGrid(r.posY())) complain(r, "off the 5k+2 grid");
        rows_[r.posY()].push_back(r.posX());
    }

    void checkAliasCounts() {
        forEachPerson(list_, [this](const PersonRecord* r) {
            auto it = aliasBoxes_.find(r);
            int boxes = it != aliasBoxes_.end() ? it->second : 0;
            if (r->isAliasOriginal() && boxes != 1)
                complain(*r, "original with " + std::to_string(boxes) + " alias boxes");
        });
    }

    // Rows are far enough apart not to touch, and boxes in a row are at
    // least a box width apart: then no two boxes overlap.
    void checkOverlaps() {
        int32_t previousY = 0;
        bool first = true;
        for (auto& [y, xs] : rows_) {
            if (!first && y - previousY < kBoxHeight)
                problems_.push_back("rows overlap at y " + std::to_string(y));
            first = false;
            previousY = y;
            std::sort(xs.begin(), xs.end());
            for (size_t k = 1; k < xs.size(); ++k) {
                if (xs[k] - xs[k - 1] < kBoxWidth) {
                    problems_.push_back("boxes overlap at " + std::to_string(xs[k]) + "," +
                                        std::to_string(y));
                    break;
                }
            }
        }
    }

    const PersonList& list_;
    std::vector<std::string> problems_;
    std::set<int32_t> ids_;
    std::map<const PersonRecord*, int> aliasBoxes_;
    std::map<int32_t, std::vector<int32_t>> rows_;
};

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

TEST(SyntheticTree, KeepsTheRulesOfTheDataAtAnySize) {
    // The small sizes end the tree in the middle of a couple or a family.
    for (int n : {1, 2, 3, 5, 8, 13, 40, 250, 3000}) {
        for (uint32_t seed : {1u, 2u, 99u}) {
            SCOPED_TRACE(testing::Message() << n << " persons, seed " << seed);
            PersonList list;
            generateSyntheticTree(list, n, seed);
            EXPECT_EQ(joined(Checker(list).run()), "");
        }
    }
}

struct Census {
    int divorced = 0, twoPartners = 0, threePartners = 0, aliasBoxes = 0;
    int highBytes = 0, questionMarks = 0, emptyBirth = 0, occupations = 0, datedRelations = 0;
    std::set<std::string> dateForms;
};

// Which of the free-text forms a date is written in.
std::string dateForm(std::string_view d) {
    if (d.empty()) return "empty";
    if (d[0] == '~') return "~year";
    if (d.substr(0, 4) == "ABT ") return "ABT year";
    if (d.find('/') != std::string_view::npos) return "m/d/y";
    if (d.find('.') != std::string_view::npos) return "d.m.y";
    if (d.find(' ') != std::string_view::npos) return "d MON y";
    return "year";
}

Census census(const PersonList& list) {
    Census c;
    forEachPerson(list, [&c](const PersonRecord* r) {
        int partners = 0;
        for (int i = 1; i <= kRelationSlots; ++i) {
            if (r->partner[i] == nullptr) continue;
            ++partners;
            if (r->relationType(i) == 'D') ++c.divorced;
            if (!r->isEmpty(field::relationDate(i))) ++c.datedRelations;
        }
        c.twoPartners += partners >= 2;
        c.threePartners += partners >= 3;
        c.aliasBoxes += r->isAliasBox();
        c.emptyBirth += r->isEmpty(field::birthDate);
        c.occupations += !r->isEmpty(field::occupation);
        c.dateForms.insert(dateForm(r->text(field::birthDate)));
        for (TextField f : {field::givenNames, field::surname, field::birthPlace}) {
            for (char ch : r->text(f)) {
                c.highBytes += static_cast<unsigned char>(ch) >= 0x80;
                c.questionMarks += ch == '?';
            }
        }
    });
    return c;
}

TEST(SyntheticTree, HasTheVarietyOfARealTree) {
    PersonList list;
    generateSyntheticTree(list, 3000, 1);
    Census c = census(list);
    EXPECT_GT(c.divorced, 0);
    EXPECT_GT(c.twoPartners, 0);
    EXPECT_GT(c.threePartners, 0);
    EXPECT_GE(c.aliasBoxes, 3000 / 200);  // about one in a hundred
    EXPECT_LE(c.aliasBoxes, 3000 / 50);
    EXPECT_GT(c.emptyBirth, 0);
    EXPECT_GT(c.occupations, 0);
    EXPECT_GT(c.datedRelations, 0);
    EXPECT_EQ(c.dateForms, (std::set<std::string>{"empty", "~year", "ABT year", "m/d/y", "d.m.y",
                                                  "d MON y", "year"}));
    // The texts are CP1250: diacritics are single high bytes, and none was
    // lost to a failed conversion.
    EXPECT_GT(c.highBytes, 1000);
    EXPECT_EQ(c.questionMarks, 0);
}

TEST(SyntheticTree, ChildrenTakeTheirFathersSurnameInTheirOwnForm) {
    PersonList list;
    generateSyntheticTree(list, 2000, 4);
    int daughtersOfSki = 0;
    forEachPerson(list, [&](const PersonRecord* r) {
        if (r->father == nullptr || r->isAliasBox()) return;
        std::string father(r->father->text(field::surname));
        std::string expected = father;
        // Kowalski's daughter is Kowalska; Nowak's is Nowak.
        if (r->text(field::sex) == "F" && father.size() > 2 &&
            father.substr(father.size() - 2) == "ki") {
            expected.back() = 'a';
            ++daughtersOfSki;
        }
        EXPECT_EQ(r->text(field::surname), expected) << "#" << r->personId();
    });
    EXPECT_GT(daughtersOfSki, 0);
}

TEST(SyntheticTree, WritesPolishLettersInCp1250) {
    PersonList list;
    generateSyntheticTree(list, 1000, 5);
    // Ł, Ś, Ż, ł: their CP1250 bytes; in UTF-8 each would start with 0xC5.
    std::set<unsigned char> seen;
    bool utf8Lead = false;
    forEachPerson(list, [&](const PersonRecord* r) {
        for (char ch :
             std::string(r->text(field::surname)) + std::string(r->text(field::givenNames))) {
            seen.insert(static_cast<unsigned char>(ch));
            utf8Lead |= static_cast<unsigned char>(ch) == 0xC5;
        }
    });
    for (unsigned char b : {0xA3, 0x8C, 0xAF, 0xB3}) EXPECT_TRUE(seen.count(b)) << int(b);
    EXPECT_FALSE(utf8Lead);
}

}  // namespace
}  // namespace lineara

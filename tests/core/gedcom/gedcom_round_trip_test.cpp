// A tree exported and imported again. GEDCOM keeps less than the tree file,
// so the comparison is by what an export carries:
// - the persons, in list order, alias boxes left out: names, sex, birth and
//   death with their places, occupation and source;
// - who is whose father and mother, an alias box counting as the person it
//   stands for;
// - the relationships, each as the pair of persons with a date cut to 20
//   bytes and a place cut to 70.
// Ids, baptism, pictures, notes, positions and relationship types are not
// carried. The generated trees hold no couple with two relationships, no
// parents without one and no couple of one sex, so each relationship makes
// exactly one family, and each family one relationship again.
#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_map>

#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/platform/codepage.h"
#include "support/gedcom_support.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

std::vector<std::string> describe(const PersonList& list) {
    std::unordered_map<const PersonRecord*, int> number;
    int n = 0;
    forEachPerson(list, [&](const PersonRecord* r) {
        if (!r->isAliasBox()) number[r] = n++;
    });
    auto of = [&](const PersonRecord* r) -> std::string {
        if (r != nullptr && r->isAliasBox()) r = r->father;
        if (r == nullptr) return "-";
        auto it = number.find(r);
        return it == number.end() ? "?" : std::to_string(it->second);
    };
    std::vector<std::string> persons, relationships;
    forEachPerson(list, [&](const PersonRecord* r) {
        for (int s = 1; s <= kRelationSlots; ++s) {
            if (r->partner[s] == nullptr) continue;
            std::string a = of(r), b = of(r->partner[s]);
            relationships.push_back("relationship " + std::min(a, b) + " " + std::max(a, b) + " " +
                                    std::string(r->text(field::relationDate(s)).substr(0, 20)) +
                                    "|" +
                                    std::string(r->text(field::relationPlace(s)).substr(0, 70)));
        }
        if (r->isAliasBox()) return;
        std::string line = "person " + of(r);
        for (TextField f :
             {field::givenNames, field::surname, field::sex, field::birthDate, field::birthPlace,
              field::deathDate, field::deathPlace, field::occupation, field::source}) {
            line += "|" + std::string(r->text(f));
        }
        persons.push_back(line + " father " + of(r->father) + " mother " + of(r->mother));
    });
    std::sort(relationships.begin(), relationships.end());
    persons.insert(persons.end(), relationships.begin(), relationships.end());
    return persons;
}

TEST(GedcomRoundTrip, GivesBackWhatTheExportCarries) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        PersonList original;
        generateSyntheticTree(original, 1500, seed);
        std::string text = gedcomText(original, {2025, 3, 1, 8, 0});

        Document doc;
        GedcomImportResult result = test::importText(doc, text);
        ASSERT_EQ(result.status, GedcomImportResult::Done) << result.statusText;
        EXPECT_EQ(result.relationshipsLeftOut, 0);

        std::vector<std::string> expected = describe(original);
        std::vector<std::string> actual = describe(doc.persons());
        size_t aliasBoxes = 0;
        forEachPerson(original, [&](const PersonRecord* r) { aliasBoxes += r->isAliasBox(); });
        ASSERT_GT(aliasBoxes, 0u) << "the tree should put alias boxes to the test";
        EXPECT_EQ(result.counters.personsRead, int64_t(original.count() - aliasBoxes));
        for (size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
            ASSERT_EQ(actual[i], expected[i]) << "seed " << seed << ", item " << i;
        }
        ASSERT_EQ(actual.size(), expected.size()) << "seed " << seed;
    }
}

// The standard form carries the same and baptism besides, in UTF-8: the
// tree's letters come back as they were.
TEST(GedcomRoundTrip, TheStandardFormGivesBackTheSame) {
    const char* polish[] = {"Łucja", "Żaneta", "Źdźbło", "Gęślą", "Ćwikła", "Ńoś"};
    for (uint32_t seed : {1u, 2u, 3u}) {
        PersonList original;
        generateSyntheticTree(original, 1200, seed);
        int i = 0;
        forEachPerson(original, [&](const PersonRecord* r) {
            PersonRecord* p = original.edit(r);
            std::string letters = toCodePage(polish[i++ % 6], "CP1250");
            p->setText(field::surname, std::string(r->text(field::surname)) + letters);
            p->setText(field::baptismPlace, letters);
            p->setText(field::baptismDate, std::to_string(1800 + i % 200));
        });
        GedcomExportOptions standard;
        standard.form = GedcomForm::Standard;
        std::string text = gedcomText(original, {2025, 3, 1, 8, 0}, standard);
        ASSERT_NE(text.find("1 CHAR UTF-8\r\n"), std::string::npos);

        Document doc;
        GedcomImportResult result = test::importText(doc, text);
        ASSERT_EQ(result.status, GedcomImportResult::Done) << result.statusText;
        std::vector<std::string> expected = describe(original);
        std::vector<std::string> actual = describe(doc.persons());
        ASSERT_EQ(actual.size(), expected.size()) << "seed " << seed;
        for (size_t k = 0; k < expected.size(); ++k) {
            ASSERT_EQ(actual[k], expected[k]) << "seed " << seed << ", item " << k;
        }
        // Baptisms, which the program's own form leaves out.
        std::vector<std::string> before, after;
        forEachPerson(original, [&](const PersonRecord* r) {
            if (!r->isAliasBox()) {
                before.push_back(std::string(r->text(field::baptismDate)) + "|" +
                                 std::string(r->text(field::baptismPlace)));
            }
        });
        forEachPerson(doc.persons(), [&](const PersonRecord* r) {
            after.push_back(std::string(r->text(field::baptismDate)) + "|" +
                            std::string(r->text(field::baptismPlace)));
        });
        EXPECT_EQ(after, before) << "seed " << seed;
    }
}

}  // namespace
}  // namespace lineara

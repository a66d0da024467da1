// The export's families and whole text against a plain literal version:
// families found by walking the family list, alias boxes by walking the
// person list, spouse families by walking the families for every person.
// The export itself indexes all three; both must give the same file, on
// generated trees bent into every shape a loaded file may have.
#include "core/gedcom/export_families.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <random>
#include <sstream>

#include "core/gedcom/gedcom_export.h"
#include "support/add_person.h"
#include "support/gedcom_support.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

struct LiteralFamily {
    int number = 0;
    const PersonRecord* husband = nullptr;
    const PersonRecord* wife = nullptr;
    std::string date, place;
    std::vector<const PersonRecord*> children;
};

class LiteralExport {
public:
    explicit LiteralExport(const PersonList& list) : list_(list) {}

    const PersonRecord* aliasBoxOf(const PersonRecord* person) const {
        const PersonRecord* found = person;
        forEachPerson(list_, [&](const PersonRecord* r) {
            if (r->father == person && r->text(field::aliasMark) == "REF") found = r;
        });
        return found;
    }

    static int lastSlot(const PersonRecord* a, const PersonRecord* b) {
        int found = 0;
        for (int i = 1; i <= 8; ++i) {
            if (a->partner[i] == b) found = i;
        }
        return found;
    }

    LiteralFamily* findOrCreate(const PersonRecord* wife, const PersonRecord* husband) {
        if (wife == nullptr && husband == nullptr) return nullptr;
        if (wife != nullptr && wife->text(field::aliasMark) == "REF") wife = wife->father;
        if (husband != nullptr && husband->text(field::aliasMark) == "REF") {
            husband = husband->father;
        }
        for (LiteralFamily& f : families) {
            if (f.husband == husband && f.wife == wife) return &f;
        }
        LiteralFamily& f = families.emplace_back();
        f.number = int(families.size());
        f.husband = husband;
        f.wife = wife;
        if (husband == nullptr || wife == nullptr) return &f;
        const PersonRecord* h = husband;
        const PersonRecord* w = wife;
        int slot = lastSlot(h, w);
        if (slot == 0) {
            if (husband->text(field::aliasMark) == "ALIAS") h = aliasBoxOf(husband);
            slot = lastSlot(h, w);
        }
        if (slot == 0) {
            const PersonRecord* w2 =
                wife->text(field::aliasMark) == "ALIAS" ? aliasBoxOf(wife) : wife;
            slot = lastSlot(h, w2);
            if (slot != 0) w = w2;
        }
        if (slot == 0) return &f;
        f.date = std::string(h->text(field::relationDate(slot)).substr(0, 20));
        f.place = std::string(h->text(field::relationPlace(slot)).substr(0, 70));
        for (int j = 1; j <= 8; ++j) {
            if (w->partner[j] != h) continue;
            std::string_view d = w->text(field::relationDate(j));
            std::string_view p = w->text(field::relationPlace(j));
            if (d.size() > f.date.size()) f.date = std::string(d.substr(0, 20));
            if (p.size() > f.place.size()) f.place = std::string(p.substr(0, 70));
        }
        return &f;
    }

    std::string text(const GedcomTime& now) {
        std::map<const PersonRecord*, int> famc;
        forEachPerson(list_, [&](const PersonRecord* p) {
            if (p->text(field::aliasMark) != "REF") {
                LiteralFamily* f = findOrCreate(p->mother, p->father);
                if (f != nullptr && f->children.size() < 30) {
                    f->children.push_back(p);
                    famc[p] = f->number;
                }
            }
            for (int i = 1; i <= 8; ++i) {
                if (p->partner[i] == nullptr) continue;
                if (p->text(field::sex) == "F") findOrCreate(p, p->partner[i]);
                if (p->text(field::sex) == "M") findOrCreate(p->partner[i], p);
            }
        });
        static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        std::ostringstream out;
        out << "0 HEAD\r\n1 SOUR LINEARA_1.1\r\n1 DATE " << now.day << " " << months[now.month - 1]
            << " " << now.year << "\r\n1 TIME " << now.hour << ":" << now.minute
            << "\r\n1 CHAR ANSI\r\n";
        forEachPerson(list_, [&](const PersonRecord* p) {
            if (p->text(field::aliasMark) == "REF") return;
            auto t = [p](TextField f) { return p->text(f); };
            out << "0 @I" << p->personId() << "@ INDI\r\n1 NAME " << t(field::givenNames) << "/"
                << t(field::surname) << "/\r\n2 GIVN " << t(field::givenNames) << "\r\n2 SURN "
                << t(field::surname) << "\r\n1 SEX " << t(field::sex) << "\r\n";
            event(out, "BIRT", t(field::birthDate), t(field::birthPlace));
            event(out, "DEAT", t(field::deathDate), t(field::deathPlace));
            if (!t(field::occupation).empty()) out << "1 OCCU " << t(field::occupation) << "\r\n";
            if (!t(field::source).empty()) out << "1 SOUR " << t(field::source) << "\r\n";
            for (const LiteralFamily& f : families) {
                if (f.husband == p || f.wife == p) out << "1 FAMS @F" << f.number << "@\r\n";
            }
            if (famc.count(p) != 0) out << "1 FAMC @F" << famc[p] << "@\r\n";
        });
        for (const LiteralFamily& f : families) {
            out << "0 @F" << f.number << "@ FAM\r\n";
            if (f.husband != nullptr) out << "1 HUSB @I" << f.husband->personId() << "@\r\n";
            if (f.wife != nullptr) out << "1 WIFE @I" << f.wife->personId() << "@\r\n";
            event(out, "MARR", f.date, f.place);
            for (const PersonRecord* c : f.children) out << "1 CHIL @I" << c->personId() << "@\r\n";
        }
        out << "0 TRLR\r\n";
        return out.str();
    }

    std::deque<LiteralFamily> families;

private:
    static void event(std::ostringstream& out, const char* tag, std::string_view date,
                      std::string_view place) {
        if (date.empty() && place.empty()) return;
        out << "1 " << tag << "\r\n";
        if (!date.empty()) out << "2 DATE " << date << "\r\n";
        if (!place.empty()) out << "2 PLAC " << place << "\r\n";
    }

    const PersonList& list_;
};

// Bends a generated tree into shapes a loaded file may have: persons of
// any sex, alias boxes of alias boxes and boxes standing for nobody,
// couples of one sex, a person his own partner, halves of a relationship
// that disagree, texts longer than a family keeps, families of many
// children.
void bend(PersonList& list, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<PersonRecord*> all;
    forEachPerson(list, [&](const PersonRecord* r) { all.push_back(list.edit(r)); });
    auto any = [&]() { return all[rng() % all.size()]; };
    auto chance = [&](int percent) { return int(rng() % 100) < percent; };
    const char* sexes[] = {"M", "F", "?", "", "m", "FF"};
    for (PersonRecord* r : all) {
        if (chance(10)) r->setText(field::sex, sexes[rng() % 6]);
        if (chance(3)) {
            r->setText(field::aliasMark, "REF");
            PersonRecord* original = chance(85) ? any() : nullptr;
            r->father = original;
            if (original != nullptr && chance(80)) original->setText(field::aliasMark, "ALIAS");
        }
        if (chance(2)) r->setText(field::aliasMark, chance(50) ? "ALIAS" : "REF ");
        for (int i = 1; i <= 8; ++i) {
            if (r->partner[i] == nullptr) continue;
            if (chance(15)) r->setText(field::relationDate(i), std::string(rng() % 36, 'd'));
            if (chance(15)) r->setText(field::relationPlace(i), std::string(rng() % 101, 'p'));
        }
        if (chance(3)) list.AddMarriage(r, chance(20) ? r : any());
        if (chance(5)) r->mother = any();
        if (chance(3)) r->father = nullptr;
    }
    // One couple with far more children than a family takes.
    PersonRecord* father = any();
    PersonRecord* mother = any();
    for (int i = 0; i < 45; ++i) {
        PersonRecord* child = any();
        if (child->text(field::aliasMark) == "REF") continue;
        child->father = father;
        child->mother = mother;
    }
}

TEST(ExportFamilies, GiveTheSameFileAsTheLiteralSearches) {
    const GedcomTime now{2024, 2, 29, 13, 7};
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        PersonList list;
        generateSyntheticTree(list, 600, seed);
        if (seed > 1) bend(list, seed);
        LiteralExport literal(list);
        std::vector<std::string> expected = test::exportedLines(literal.text(now));
        std::vector<std::string> actual = test::exportedLines(gedcomText(list, now));
        for (size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
            ASSERT_EQ(actual[i], expected[i]) << "seed " << seed << ", line " << i + 1;
        }
        ASSERT_EQ(actual.size(), expected.size()) << "seed " << seed;

        // The family list itself, and the alias box of every person.
        ExportFamilies families(list);
        families.buildAll();
        ASSERT_EQ(families.families().size(), literal.families.size());
        forEachPerson(list, [&](const PersonRecord* r) {
            ASSERT_EQ(families.AliasBoxOf(r), literal.aliasBoxOf(r)) << "person " << r->personId();
        });
    }
}

TEST(ExportFamilies, FindOrCreateFamilyNumbersPairsAndReplacesAliasBoxes) {
    PersonList list;
    PersonRecord* jan = test::addPerson(list, "Jan");
    PersonRecord* anna = test::addPerson(list, "Anna");
    PersonRecord* box = test::addPerson(list, "Anna");
    box->setText(field::aliasMark, "REF");
    box->father = anna;
    anna->setText(field::aliasMark, "ALIAS");
    PersonRecord* second = test::addPerson(list, "Anna");  // a later box wins
    second->setText(field::aliasMark, "REF");
    second->father = anna;
    PersonRecord* notABox = test::addPerson(list, "Ref");
    notABox->setText(field::aliasMark, "REF ");  // not exactly REF
    notABox->father = jan;

    ExportFamilies families(list);
    EXPECT_EQ(families.AliasBoxOf(anna), second);
    EXPECT_EQ(families.AliasBoxOf(jan), jan);
    EXPECT_EQ(families.AliasBoxOf(box), box);

    EXPECT_EQ(families.FindOrCreateFamily(nullptr, nullptr), nullptr);
    ExportFamily* f1 = families.FindOrCreateFamily(anna, jan);
    ASSERT_NE(f1, nullptr);
    EXPECT_EQ(f1->number, 1);
    EXPECT_EQ(families.FindOrCreateFamily(box, jan), f1);       // the box stands for Anna
    ExportFamily* f2 = families.FindOrCreateFamily(jan, anna);  // the order counts
    EXPECT_EQ(f2->number, 2);
    ExportFamily* f3 = families.FindOrCreateFamily(nullptr, jan);
    EXPECT_EQ(f3->number, 3);
    EXPECT_EQ(f3->wife, nullptr);
    EXPECT_EQ(families.FindOrCreateFamily(nullptr, jan), f3);
    EXPECT_EQ(families.FindOrCreateFamily(notABox, nullptr)->wife, notABox);

    EXPECT_FALSE(families.AddChildToFamily(nullptr, jan));
    EXPECT_TRUE(families.AddChildToFamily(f2, box));
    EXPECT_EQ(families.childFamilyOf(box), 2);
    EXPECT_EQ(families.childFamilyOf(jan), 0);
}

}  // namespace
}  // namespace lineara

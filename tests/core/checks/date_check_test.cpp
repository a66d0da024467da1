#include "core/checks/date_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/add_person.h"

namespace lineara {
namespace {

PersonRecord* addPerson(PersonList& list, const char* surname, const char* given) {
    return test::addPerson(list, given, surname);
}

std::vector<std::string> listed(const DateCheckResult& result) {
    std::vector<std::string> lines;
    for (const DateConversion& e : result.entries) lines.push_back(e.caption + " | " + e.action);
    return lines;
}

class DCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        nowak = addPerson(list, "Nowak", "Jan");
        adamska = addPerson(list, "Adamska", "Ewa");
        list.setTreeModified(false);
    }
    PersonList list;
    TreeEdit edit{list};
    PersonRecord* nowak = nullptr;
    PersonRecord* adamska = nullptr;
};

TEST_F(DCheckTest, ListsEachChangedDateByCaptionInFieldOrder) {
    ASSERT_TRUE(list.AddMarriage(nowak, adamska).ok);
    nowak->setText(field::relationDate(1), "~1875");
    adamska->setText(field::relationDate(1), "ABT 1875");  // already in form
    nowak->setText(field::birthDate, "5.12.1850");
    nowak->setText(field::deathDate, "12/25/1900");
    nowak->setText(field::baptismDate, "6.12.1850");  // never converted here
    adamska->setText(field::deathDate, "1.1.1901");
    adamska->setText(field::relationDate(3), "1.1.1880");  // slot not in use

    DateCheckResult result = DCheckOnList(edit);

    EXPECT_EQ(result.count, 4);
    EXPECT_EQ(listed(result),
              (std::vector<std::string>{
                  "Adamska Ewa | Death date converted from \"1.1.1901\" to \"1 Jan 1901\"",
                  "Nowak Jan | Birth date converted from \"5.12.1850\" to \"5 Dec 1850\"",
                  "Nowak Jan | Death date converted from \"12/25/1900\" to \"25 Dec 1900\"",
                  "Nowak Jan | Spouse date converted from \"~1875\" to \"ABT 1875\"",
              }));
    EXPECT_EQ(result.entries[0].person, adamska);
    EXPECT_EQ(result.entries[3].person, nowak);
    EXPECT_EQ(nowak->text(field::birthDate), "5 Dec 1850");
    EXPECT_EQ(nowak->text(field::relationDate(1)), "ABT 1875");
    EXPECT_EQ(nowak->text(field::baptismDate), "6.12.1850");
    EXPECT_EQ(adamska->text(field::relationDate(3)), "1.1.1880");
    // The document's door marks the tree modified (see the undo tests).
    EXPECT_FALSE(list.treeModified());
}

TEST_F(DCheckTest, CaptionsAreTrimmedAndSortedByBytes) {
    nowak->setText(field::surname, "");
    nowak->setText(field::givenNames, "  Jan ");
    adamska->setText(field::surname, "\xA3ucka");  // "Łucka": above every ASCII letter
    PersonRecord* zet = addPerson(list, "Zawada", "Piotr");
    for (PersonRecord* p : {nowak, adamska, zet}) p->setText(field::birthDate, "1.2.1850");

    DateCheckResult result = DCheckOnList(edit);

    ASSERT_EQ(result.count, 3);
    EXPECT_EQ(result.entries[0].caption, "Jan");
    EXPECT_EQ(result.entries[1].caption, "Zawada Piotr");
    EXPECT_EQ(result.entries[2].caption, "\xA3ucka Ewa");
}

TEST_F(DCheckTest, ConvertsAgainUntilTheDateSettles) {
    nowak->setText(field::birthDate, "5.12. 1850");  // one pass gives "5 12 1850"
    DateCheckResult result = DCheckOnList(edit);
    ASSERT_EQ(result.count, 1);
    EXPECT_EQ(result.entries[0].action,
              "Birth date converted from \"5.12. 1850\" to \"5 Dec 1850\"");
    EXPECT_EQ(nowak->text(field::birthDate), "5 Dec 1850");
    EXPECT_EQ(convertDateUntilStable("5 . 12 . 1850"), "5 Dec 1850");
}

TEST_F(DCheckTest, StoresLongResultsCutToTheFieldButListsThemWhole) {
    nowak->setText(field::birthDate, std::string(10, '~'));
    nowak->setText(field::deathDate, std::string(35, '~'));
    DateCheckResult result = DCheckOnList(edit);
    ASSERT_EQ(result.count, 2);

    std::string ten = "ABT ABT ABT ABT ABT ABT ABT ABT ABT ABT";
    EXPECT_EQ(result.entries[0].action,
              "Birth date converted from \"~~~~~~~~~~\" to \"" + ten + "\"");
    EXPECT_EQ(nowak->text(field::birthDate), ten.substr(0, 35));
    EXPECT_EQ(nowak->text(field::deathDate), ten.substr(0, 35));

    // What was stored is in form already: a second run changes nothing.
    list.setTreeModified(false);
    EXPECT_EQ(DCheckOnList(edit).count, 0);
    EXPECT_FALSE(list.treeModified());
}

TEST_F(DCheckTest, ALeadingBlankCountsAsAChange) {
    nowak->setText(field::birthDate, " 1850");
    adamska->setText(field::birthDate, "1850 ");
    DateCheckResult result = DCheckOnList(edit);
    EXPECT_EQ(listed(result), (std::vector<std::string>{
                                  "Adamska Ewa | Birth date converted from \"1850 \" to \"1850\"",
                                  "Nowak Jan | Birth date converted from \" 1850\" to \"1850\"",
                              }));
}

TEST_F(DCheckTest, NothingToConvertLeavesTheTreeUnmodified) {
    nowak->setText(field::birthDate, "5 Dec 1850");
    nowak->setText(field::deathDate, "day 32.12.1900");  // refused: stays as it is
    DateCheckResult result = DCheckOnList(edit);
    EXPECT_EQ(result.count, 0);
    EXPECT_TRUE(result.entries.empty());
    EXPECT_FALSE(list.treeModified());
}

TEST(DCheck, EmptyTreeListsNothingAndKeepsTheModifiedFlag) {
    PersonList list;
    TreeEdit edit(list);
    for (bool modified : {false, true}) {
        list.setTreeModified(modified);
        DateCheckResult result = DCheckOnList(edit);
        EXPECT_EQ(result.count, 0);
        EXPECT_TRUE(result.entries.empty());
        EXPECT_EQ(list.treeModified(), modified);
    }
}

}  // namespace
}  // namespace lineara

#include "core/search/navigation_lists.h"

#include <gtest/gtest.h>

#include "support/add_person.h"

namespace lineara {
namespace {

class NavigationLists : public ::testing::Test {
protected:
    PersonRecord* add(const char* given, const char* surname) {
        return test::addPerson(list, given, surname);
    }
    // An alias box standing for `original`.
    PersonRecord* aliasOf(PersonRecord* original) {
        PersonRecord* box = add("", "");
        box->setText(field::givenNames, original->text(field::givenNames));
        box->setText(field::surname, original->text(field::surname));
        original->setText(field::aliasMark, kAliasOriginal);
        box->setText(field::aliasMark, kAliasBox);
        box->father = original;
        return box;
    }
    PersonList list;
};

using Persons = std::vector<const PersonRecord*>;

TEST_F(NavigationLists, EitherBoxOfAPersonListsTheChildrenOfBoth) {
    PersonRecord* jan = add("Jan", "Nowak");
    PersonRecord* ewa = add("Ewa", "Nowak");
    PersonRecord* first = add("Adam", "Nowak");
    first->father = jan;
    PersonRecord* box = aliasOf(jan);
    PersonRecord* second = add("Ola", "Nowak");
    second->father = box;  // linked to the alias box
    PersonRecord* third = add("Piotr", "Nowak");
    third->mother = ewa;
    third->father = jan;
    // A child's alias box is never listed itself.
    PersonRecord* childBox = aliasOf(first);
    childBox->mother = jan;

    EXPECT_EQ(childrenOf(list, *jan), (Persons{first, third, second}));
    EXPECT_EQ(childrenOf(list, *box), (Persons{second, first, third}));
    EXPECT_EQ(childrenOf(list, *ewa), (Persons{third}));
    EXPECT_EQ(childrenOf(list, *second), Persons{});
}

TEST_F(NavigationLists, HalfSiblingsShareOneParentAndAnAliasBoxAsksForItsPerson) {
    PersonRecord* dad = add("Jan", "Nowak");
    PersonRecord* mumA = add("Ewa", "Nowak");
    PersonRecord* mumB = add("Anna", "Lis");
    PersonRecord* a = add("Adam", "Nowak");
    a->father = dad;
    a->mother = mumA;
    PersonRecord* b = add("Basia", "Nowak");
    b->father = dad;
    b->mother = mumB;
    PersonRecord* c = add("Celina", "Lis");
    c->mother = mumB;
    PersonRecord* orphan = add("Olek", "Sam");
    PersonRecord* orphan2 = add("Ula", "Sama");  // no parents in common: unset ones never match
    PersonRecord* boxOfA = aliasOf(a);

    EXPECT_EQ(siblingsOf(list, *a), (Persons{b}));
    EXPECT_EQ(siblingsOf(list, *b), (Persons{a, c}));
    EXPECT_EQ(siblingsOf(list, *c), (Persons{b}));
    EXPECT_EQ(siblingsOf(list, *boxOfA), (Persons{b}));
    EXPECT_EQ(siblingsOf(list, *orphan), Persons{});
    EXPECT_EQ(siblingsOf(list, *orphan2), Persons{});
    EXPECT_EQ(siblingsList(list, *boxOfA).caption, "Rodzenstwo Adam Nowak");
}

TEST_F(NavigationLists, LinesCaptionsAndTheIdReadBack) {
    PersonRecord* jan = add("Jan", "Nowak");
    PersonRecord* wife = add("Ewa", "Lis");
    PersonRecord* friendP = add("Ola", "Mak");
    jan->partner[3] = friendP;
    jan->partner[1] = wife;
    PersonRecord* kid = add("Piotr", "Nowak");
    kid->father = jan;
    kid->setText(field::birthDate, "1900");
    PersonRecord* sis = add("Zofia", "Nowak");
    sis->father = jan;
    sis->setText(field::deathDate, "1990");

    const GoToList children = childrenList(list, *jan);
    EXPECT_EQ(children.caption, "Dzieci dla Jan Nowak");
    EXPECT_EQ(children.entries,
              (std::vector<std::string>{"Piotr Nowak (1900-) [4]", "Zofia Nowak (-1990) [5]"}));
    const GoToList siblings = siblingsList(list, *kid);
    EXPECT_EQ(siblings.entries, (std::vector<std::string>{"Zofia Nowak ( - 1990) [5]"}));
    const GoToList relatives = relativesList(*jan);
    EXPECT_EQ(relatives.caption, "Krewni dla Jan Nowak");
    EXPECT_EQ(relatives.entries, (std::vector<std::string>{"Ewa Lis (-) [2]", "Ola Mak (-) [3]"}));

    for (const std::string& line : children.entries) {
        EXPECT_NE(list.findPersonById(entryPersonId(line)), nullptr) << line;
    }
    const struct {
        const char* line;
        int32_t id;
    } ids[] = {
        {"A [12]", 12}, {"A [x] (1900) [7]", 7}, {"Bez [numeru]", 0}, {"Nic", 0},
        {"[]", 0},      {"Obcięte [12", 1},      {"Ujemne [-3]", -3}, {"Za duże [99999999999]", 0}};
    for (const auto& c : ids) EXPECT_EQ(entryPersonId(c.line), c.id) << c.line;
}

}  // namespace
}  // namespace lineara

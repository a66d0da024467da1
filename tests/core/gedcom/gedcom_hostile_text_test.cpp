// Texts that fight the GEDCOM line structure, in every field the export
// carries, through both forms and back: slashes in names, line breaks,
// control bytes, a forged record, leading "@", values as long as the field.
// The same tree must come back, but for the replacement the export makes:
// a line break becomes a blank (a source goes on in CONT lines, read back
// the same way), other control bytes vanish, and blanks at a value's ends
// are trimmed as every value's are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/gedcom/gedcom_values.h"
#include "support/add_person.h"
#include "support/gedcom_support.h"

namespace lineara {
namespace {

using test::exportedLines;

const GedcomTime kNow{2026, 12, 7, 9, 5};

// What a text comes back as: line breaks a blank each, control bytes gone,
// blanks trimmed at both ends.
std::string cleaned(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else if (c >= 0x20 && c != 0x7F) {
            out += static_cast<char>(c);
        }
    }
    size_t begin = out.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    return out.substr(begin, out.find_last_not_of(' ') - begin + 1);
}

const std::vector<std::string>& hostileTexts() {
    static const std::vector<std::string> texts = {
        "Anna/Maria",
        "/Kowalski/",
        "a/b/c/",
        "/",
        "line\rbreak",
        "line\nbreak",
        "line\r\nbreak",
        "\r\n\r\nblank lines\n\n",
        "Jan\n0 @I99@ INDI\n1 NAME Forged /Person/",
        "x\r\n0 TRLR",
        std::string("nul\0inside", 10),
        "\x01\x02\x1b[31mred\x7f\ttab",
        "@I1@",
        "@S1@",
        "@@ twice @@@ thrice",
        "mail@example.com",
        "  blanks around  ",
        std::string(100, '@'),
        std::string(100, '/'),
        std::string(99, 'x') + "\n",
        std::string(60, 'a') + " " + std::string(39, 'b'),
        "Zażółć gęślą jaźń",  // UTF-8 bytes, as a code page would hold others
    };
    return texts;
}

struct Tree {
    PersonList list;
    PersonRecord* husband = nullptr;
    PersonRecord* wife = nullptr;
    PersonRecord* other = nullptr;
};

// A married couple with the text in every field the export carries, and a
// third person whose sex is the text.
void build(Tree& tree, const std::string& text) {
    tree.husband = test::addPerson(tree.list);
    tree.wife = test::addPerson(tree.list);
    tree.other = test::addPerson(tree.list, "Other", "Person");
    for (PersonRecord* p : {tree.husband, tree.wife}) {
        for (TextField f : {field::givenNames, field::surname, field::birthDate, field::birthPlace,
                            field::deathDate, field::deathPlace, field::baptismDate,
                            field::baptismPlace, field::occupation, field::source}) {
            p->setText(f, text);
        }
    }
    tree.husband->setText(field::sex, "M");
    tree.wife->setText(field::sex, "F");
    tree.other->setText(field::sex, text);
    ASSERT_TRUE(tree.list.AddMarriage(tree.husband, tree.wife));
    for (PersonRecord* p : {tree.husband, tree.wife}) {
        p->setText(field::relationDate(1), text);
        p->setText(field::relationPlace(1), text);
    }
}

TEST(GedcomHostileText, EveryFieldComesBackThroughBothForms) {
    for (GedcomForm form : {GedcomForm::Own, GedcomForm::Standard}) {
        const bool standard = form == GedcomForm::Standard;
        for (const std::string& text : hostileTexts()) {
            SCOPED_TRACE(std::string(standard ? "standard: " : "own: ") + text);
            Tree tree;
            build(tree, text);
            GedcomExportOptions options;
            options.form = form;
            options.codePage = "CP1250";
            const std::string file = gedcomText(tree.list, kNow, options);

            // No line of the file is anything but a GEDCOM line.
            for (const std::string& line : exportedLines(file)) {
                ASSERT_FALSE(line.empty());
                ASSERT_TRUE(line[0] >= '0' && line[0] <= '9') << line;
                ASSERT_LE(line.size(), kStandardGedcomLineBytes) << line;
                for (char c : line) ASSERT_GE(static_cast<unsigned char>(c), 0x20) << line;
            }

            Document doc;
            GedcomImportResult result = test::importText(doc, file);
            ASSERT_EQ(result.status, GedcomImportResult::Done) << result.statusText;
            EXPECT_FALSE(result.incomplete);
            const PersonList& back = doc.persons();
            ASSERT_EQ(back.count(), 3u) << "a text made a record of its own";
            const PersonRecord* husband = back.personListHead();
            const PersonRecord* wife = husband->nextPerson;
            const PersonRecord* other = wife->nextPerson;

            std::vector<TextField> fields = {field::givenNames, field::surname,   field::birthDate,
                                             field::birthPlace, field::deathDate, field::deathPlace,
                                             field::occupation, field::source};
            // Baptisms go in the standard form only.
            if (standard) fields.insert(fields.end(), {field::baptismDate, field::baptismPlace});
            for (const PersonRecord* p : {husband, wife}) {
                const PersonRecord* original = p == husband ? tree.husband : tree.wife;
                for (TextField f : fields) {
                    EXPECT_EQ(p->text(f), cleaned(original->text(f))) << "field at " << f.offset;
                }
            }
            // The sex is a letter of the standard's own in the standard form.
            if (!standard) {
                EXPECT_EQ(other->text(field::sex), cleaned(text.substr(0, 1)));
            }

            // The couple's one relationship, with its date and place: whole in
            // the standard form, cut to 20 and 70 bytes in the program's own.
            ASSERT_EQ(test::slotsWith(husband, wife), std::vector<int>{1});
            std::string_view date = tree.husband->text(field::relationDate(1));
            std::string_view place = tree.husband->text(field::relationPlace(1));
            if (!standard) {
                date = date.substr(0, 20);
                place = place.substr(0, 70);
            }
            for (const PersonRecord* side : {husband, wife}) {
                EXPECT_EQ(side->text(field::relationDate(1)), cleaned(date));
                EXPECT_EQ(side->text(field::relationPlace(1)), cleaned(place));
            }
        }
    }
}

// The values themselves, where a doubled "@" and a line break must land.
TEST(GedcomHostileText, ValuesAreCleanedAndReadBack) {
    const struct {
        std::string text, flat;
        std::vector<std::string> pieces;
    } cases[] = {
        {"plain text", "plain text", {"plain text"}},
        {"", "", {""}},
        {"a\r\nb\rc\nd", "a b c d", {"a", "b", "c", "d"}},
        {"\n", " ", {"", ""}},
        {"@I1@", "@@I1@@", {"@@I1@@"}},
        {std::string("a\0b\x1f\x7f", 5), "ab", {"ab"}},
        {"x\n0 @I9@ INDI", "x 0 @@I9@@ INDI", {"x", "0 @@I9@@ INDI"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gedcomFlatValue(c.text), c.flat) << c.text;
        EXPECT_EQ(gedcomValuePieces(c.text), c.pieces) << c.text;
    }
    EXPECT_EQ(gedcomNamePart("Anna/Maria\n@"), "Anna Maria @@");

    const struct {
        std::string value, read;
    } doubled[] = {{"@@", "@"},
                   {"@@@", "@@"},
                   {"@@@@", "@@"},
                   {"a@@b@@@@c", "a@b@@c"},
                   {"@single@", "@single@"},
                   {"no at", "no at"}};
    for (const auto& d : doubled) {
        std::string value = d.value;
        undoubleAt(value);
        EXPECT_EQ(value, d.read) << d.value;
    }
    for (const char* pointer : {"@S1@", "@I12345@", "@a b@"}) EXPECT_TRUE(isGedcomPointer(pointer));
    for (const char* text : {"@", "@@", "@@S1@@", "@S1@ x", "x @S1@", "S1@", "@S@1@"}) {
        EXPECT_FALSE(isGedcomPointer(text)) << text;
    }
}

// The program's own form as the lines it writes for such texts.
TEST(GedcomHostileText, OwnFormLines) {
    PersonList list;
    PersonRecord* p = test::addPerson(list, "Anna/Maria", "Nowak\n0 @I9@ INDI");
    p->setText(field::sex, "F");
    p->setText(field::source, "Parish book\r\npage 5\n@S1@");
    p->setText(field::occupation, std::string("tab\there\0", 9));
    std::vector<std::string> lines = exportedLines(gedcomText(list, kNow));
    const std::vector<std::string> person(lines.begin() + 5, lines.end() - 1);
    EXPECT_EQ(person, (std::vector<std::string>{
                          "0 @I1@ INDI",
                          "1 NAME Anna Maria/Nowak 0 @@I9@@ INDI/",
                          "2 GIVN Anna/Maria",
                          "2 SURN Nowak 0 @@I9@@ INDI",
                          "1 SEX F",
                          "1 OCCU tabhere",
                          "1 SOUR Parish book",
                          "2 CONT page 5",
                          "2 CONT @@S1@@",
                      }));
}

}  // namespace
}  // namespace lineara

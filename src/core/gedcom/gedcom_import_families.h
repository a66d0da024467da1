// The family records of a GEDCOM import. Their lines are kept while the
// file is read and linked once every person is known, so that families may
// name persons that come after them.
//
// Husband, wife and children are linked in the order of their lines: each
// parent goes to the children read so far and to every child read after
// it, and the couple's relationship is made when both are known. A later
// HUSB or WIFE line replaces the one before (one that names nobody leaves
// none). The family's events are kept until its record ends, wherever they
// stand in it, and then go to the relationships: the first marriage with a
// date or a place gives both to the couple's relationship; a divorce makes
// a relationship of its own, of type "D", with the date and place of the
// first divorce that has them. An event whose value is "N" says that it
// did not happen and records nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/gedcom_line.h"
#include "core/model/tree_edit.h"

namespace lineara {

class ImportedFamilies {
public:
    ImportedFamilies(TreeEdit& list, GedcomTextDecoder& decoder) : list_(list), decoder_(decoder) {}

    // --- while reading: the lines of the family records ---
    void start();  // "0 @F1@ FAM"
    // A line of level 1 (HUSB, WIFE, CHIL, MARR, DIV) or 2 (the DATE and
    // PLAC of an event) of the family record; other tags say nothing.
    void fact(const GedcomLine& line, std::string_view raw);
    void detail(const GedcomLine& line, std::string_view raw);

    // --- once the persons are read ---
    using FindPerson = std::function<const PersonRecord*(std::string_view xref)>;
    // Links every family read and forgets their lines.
    void link(const FindPerson& find);

    // Relationships that found no free slot on one of the two persons.
    int64_t relationshipsLeftOut() const { return leftOut_; }
    // Why they found none, each text once.
    const std::vector<std::string>& messages() const { return messages_; }

private:
    enum class Step : uint8_t {
        Start,
        Husband,
        Wife,
        Child,
        Marriage,
        Divorce,
        Nothing,
        Date,
        Place
    };
    struct Line {
        Step step;
        std::string text;  // a cross-reference, a date or a place
    };
    struct Event {
        bool divorce = false;
        std::string date;
        std::string place;
    };
    // A relationship made by this family: on whom, in which slot.
    struct Made {
        const PersonRecord* husband = nullptr;
        int husbandSlot = 0;
        const PersonRecord* wife = nullptr;
        int wifeSlot = 0;
    };

    void linkLine(const Line& line, const FindPerson& find);
    void endFamily();
    void setFather(const PersonRecord* child, const PersonRecord* father);
    void setMother(const PersonRecord* child, const PersonRecord* mother);
    Made addRelationship(bool divorce);
    void giveEvent(const Made& made, bool divorce);

    TreeEdit& list_;
    GedcomTextDecoder& decoder_;
    std::vector<Line> lines_;
    bool inEvent_ = false;  // the level-1 line read last is a MARR or DIV
    int64_t leftOut_ = 0;
    std::vector<std::string> messages_;

    // The family being linked.
    bool inFamily_ = false;
    const PersonRecord* husband_ = nullptr;
    const PersonRecord* wife_ = nullptr;
    const PersonRecord* child_ = nullptr;
    // Children read before the family's husband or wife was known.
    std::vector<const PersonRecord*> awaitingFather_;
    std::vector<const PersonRecord*> awaitingMother_;
    Made marriage_;  // the couple's relationship made last
    std::vector<Event> events_;
    bool eventOpen_ = false;  // whether DATE and PLAC lines have an event to go to
};

}  // namespace lineara

#include "core/reports/html_person_page.h"

#include <algorithm>

#include "core/reports/html_ancestor_table.h"

namespace lineara {

namespace {

struct RelationWords {
    const char* kind;
    const char* linking;
};

RelationWords wordsFor(char code) {
    switch (relationTypeOf(code)) {
    case RelationType::Partner:
        return {"Partner", "with"};
    case RelationType::Divorced:
        return {"Divorced", "from"};
    case RelationType::Friend:
        return {"Friend", "with"};
    case RelationType::Single:
        return {"Relationship", "with"};
    case RelationType::Other:
        return {"Other relationship", "with"};
    case RelationType::Unknown:
        return {"Unknown relationship", "with"};
    case RelationType::Married:
    default:
        return {"Married", "to"};
    }
}

std::string names(const PersonRecord& p, HtmlTextEncoder& text) {
    return text.text(p.text(field::givenNames)) + " " + text.text(p.text(field::surname));
}

// "<LI>Born: date, place<BR>" and its like; nothing when both are empty.
std::string fact(const char* label, std::string_view date, std::string_view place,
                 HtmlTextEncoder& text) {
    if (date.empty() && place.empty()) return {};
    std::string item = std::string("<LI>") + label + text.text(date);
    if (!place.empty()) item += ", " + text.text(place);
    return item + "<BR>";
}

// One relationship item. The link goes to the person behind an alias box
// but shows the names of the partner's box.
std::string relationItem(const PersonRecord& owner, int slot, const RelationWords& words,
                         const HtmlPageIds& ids, HtmlTextEncoder& text) {
    const PersonRecord* partner = owner.partner[slot];
    std::string item =
        std::string("<LI>") + words.kind + " " + text.text(owner.text(field::relationDate(slot)));
    std::string_view place = owner.text(field::relationPlace(slot));
    if (!place.empty()) item += ", " + text.text(place) + ",";
    item += std::string(" ") + words.linking + " <A HREF=\"" + ids.text(aliasResolved(partner)) +
            ".html\">" + names(*partner, text) + "</A><BR>";
    return item;
}

// "<BR>link<BR>link..." without its first <BR>.
std::string joined(const std::vector<std::string>& links) {
    std::string out;
    for (const std::string& link : links) {
        if (!out.empty()) out += "<BR>";
        out += link;
    }
    return out;
}

std::vector<std::string> linksOf(const std::vector<const PersonRecord*>& persons,
                                 const HtmlPageIds& ids, HtmlTextEncoder& text) {
    std::vector<std::string> links;
    links.reserve(persons.size());
    for (const PersonRecord* p : persons) links.push_back(personLink(*p, ids, text));
    return links;
}

// The co-parents' links sorted by their text, each once.
std::vector<std::string> coParentLinks(const std::vector<const PersonRecord*>& coParents,
                                       const HtmlPageIds& ids, HtmlTextEncoder& text,
                                       const HtmlTextLess& less) {
    struct Link {
        std::string bytes;  // what the order compares
        const PersonRecord* person;
    };
    std::vector<Link> links;
    links.reserve(coParents.size());
    for (const PersonRecord* p : coParents) links.push_back({personLinkBytes(*p, ids), p});
    std::stable_sort(links.begin(), links.end(),
                     [&](const Link& a, const Link& b) { return less(a.bytes, b.bytes); });
    std::vector<std::string> out;
    for (size_t i = 0; i < links.size(); ++i) {
        bool same = i > 0 && !less(links[i - 1].bytes, links[i].bytes) &&
                    !less(links[i].bytes, links[i - 1].bytes);
        if (!same) out.push_back(personLink(*links[i].person, ids, text));
    }
    return out;
}

}  // namespace

std::string personLinkBytes(const PersonRecord& person, const HtmlPageIds& ids) {
    std::string link = "<A HREF=\"" + ids.text(&person) + ".html\">";
    link.append(person.text(field::givenNames)).append(" ");
    link.append(person.text(field::surname)).append("</A>");
    return link;
}

std::string personLink(const PersonRecord& person, const HtmlPageIds& ids, HtmlTextEncoder& text) {
    return "<A HREF=\"" + ids.text(&person) + ".html\">" + names(person, text) + "</A>";
}

std::string factsLine(const PersonRecord& person, const PersonRecord* aliasBox,
                      const HtmlPageIds& ids, HtmlTextEncoder& text) {
    std::string line =
        fact("Born: ", person.text(field::birthDate), person.text(field::birthPlace), text);
    line +=
        fact("Baptized: ", person.text(field::baptismDate), person.text(field::baptismPlace), text);
    for (int slot = 1; slot <= kRelationSlots; ++slot) {
        if (person.partner[slot] != nullptr) {
            line += relationItem(person, slot, wordsFor(person.relationType(slot)), ids, text);
        }
    }
    if (aliasBox != nullptr) {
        // Relationships drawn at the alias box are the person's too; their
        // type was never told apart there.
        for (int slot = 1; slot <= kRelationSlots; ++slot) {
            if (aliasBox->partner[slot] != nullptr) {
                line += relationItem(*aliasBox, slot, {"Married", "to"}, ids, text);
            }
        }
    }
    line += fact("Died: ", person.text(field::deathDate), person.text(field::deathPlace), text);
    return line;
}

std::vector<std::string> linksBoxLines(const FamilyLists& family, const HtmlPageStyle& style,
                                       const HtmlPageIds& ids, HtmlTextEncoder& text,
                                       const HtmlTextLess& less) {
    bool hasSiblings = style.siblings && !family.siblings.empty();
    bool hasChildren = !family.children.empty();
    if (!hasChildren && !hasSiblings) return {};
    std::vector<std::string> lines = {
        "<TABLE BORDER=\"0\" CELLPADDING=\"2\" CELLSPACING=\"2\" ALIGN=\"right\"><TR><TD>",
        "<TABLE BORDER=\"0\" CELLSPACING=\"0\" BGCOLOR=\"black\" CELLPADDING=\"1\" "
        "WIDTH=\"200\"><TR><TD>",
        "<TABLE BORDER=\"0\" CELLPADDING=\"10\" CELLSPACING=\"0\" WIDTH=\"100%\">",
        "<TR><TD ALIGN=\"CENTER\" BGCOLOR=\"" + style.linksHeaderColour + "\" " +
            style.headerBackground + "><font color=\"" + style.headerTextColour +
            "\" size=\"3\" face=\"Verdana,Helvetica,Sans Serif\"><b>l i n k s</b></font></TD></TR>",
        "<TR><TD bgcolor=\"" + style.linksBodyColour + "\" " + style.bodyBackground +
            "><font size=\"-1\" COLOR=\"" + style.textColour + "\">",
    };
    std::vector<std::string> coParents = coParentLinks(family.coParents, ids, text, less);
    if (!coParents.empty()) lines.push_back("Children with:<BR>" + joined(coParents) + "<BR><BR>");
    if (hasSiblings) {
        lines.push_back("Siblings:<BR>" + joined(linksOf(family.siblings, ids, text)) +
                        (hasChildren ? "<BR><BR>" : ""));
    }
    if (hasChildren) lines.push_back("Children:<BR>" + joined(linksOf(family.children, ids, text)));
    lines.push_back("</font></TD></TR></TABLE></TD></TR></TABLE></TD></TR></TABLE>");
    return lines;
}

std::string personPage(const PersonRecord& person, const PersonPageParts& parts,
                       const HtmlPageStyle& style, const HtmlPageIds& ids, HtmlTextEncoder& text,
                       const HtmlTextLess& less) {
    std::string page;
    auto line = [&page](const std::string& l) {
        page += l;
        page += '\n';
    };
    auto lines = [&line](const std::vector<std::string>& ls) {
        for (const std::string& l : ls) line(l);
    };
    std::string fullName = names(person, text);
    std::string textColour = "\"" + style.textColour + "\"";

    line("<HTML><HEAD>");
    line("<META NAME=\"GENERATOR\" CONTENT=\"Lineara " + style.versionText + "\">");
    line("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=" +
         text.utf8Text(style.charset) + "\">");
    line("<TITLE>The genealogical tree of " + fullName + "</TITLE>");
    line("<BODY " + style.pageBackground + "BGCOLOR=\"" + style.pageColour + "\" LINK=\"" +
         style.linkColour + "\" ALINK=\"" + style.activeLinkColour + "\" VLINK=\"" +
         style.visitedLinkColour + "\">");
    line("<TABLE BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=\"590\" ALIGN=CENTER><TR><TD>");
    line("<FONT COLOR=" + textColour + ">");
    lines(ancestorTableLines(person, ids, text));
    static const FamilyLists kNoFamily;
    const FamilyLists& family = parts.family != nullptr ? *parts.family : kNoFamily;
    lines(linksBoxLines(family, style, ids, text, less));
    line("<FONT SIZE=+2>" + fullName + "</FONT><BR>");
    line("<FONT FACE=\"Verdana,Helvetica\" SIZE=-2>");
    line(factsLine(person, family.aliasBox, ids, text));
    if (!person.isEmpty(field::occupation)) {
        line("<LI>Occupation: " + text.text(person.text(field::occupation)) + "<BR>");
    }
    if (!person.isEmpty(field::source)) {
        line("<LI>Reference: " + text.text(person.text(field::source)) + "<BR>");
    }
    line("</FONT>");
    line("<HR SIZE=1 NOSHADE WIDTH=\"100%\" COLOR=" + textColour + ">");
    lines(parts.pictureLines);
    for (const std::string& note : parts.notesLines) line(text.text(note) + "<BR>");
    line("</TD></TR><TR><TD><CENTER>");
    line("<FONT FACE=\"Verdana,Helvetica\" SIZE=-2 COLOR=" + textColour + ">");
    if (!style.frames) line("[ <A HREF=\"index.html\">NAME INDEX</A> ]<BR>");
    line("<HR SIZE=1 NOSHADE WIDTH=\"100%\" COLOR=" + textColour + ">");
    line("Generated by <A HREF=\"" + style.webAddress + "\" TARGET=\"_top\">Lineara " +
         style.versionText + "</A>");
    line("</FONT></CENTER></TD></TR></TABLE></BODY></HTML>");
    return page;
}

}  // namespace lineara

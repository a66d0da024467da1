#include "core/reports/html_ancestor_table.h"

#include <algorithm>

#include "core/reports/html_family.h"

namespace lineara {

namespace {

const char kBlankBox[] = "<IMG SRC=\"blank.gif\" WIDTH=140 HEIGHT=50 BORDER=0>";
const char kRowGap[] = "<IMG SRC=\"blank.gif\" WIDTH=580 HEIGHT=10 SHOW=\"NO\" BORDER=0><BR>";
const char kNarrowGap[] = "<IMG SRC=\"blank.gif\" WIDTH=4 HEIGHT=50 BORDER=0>";
const char kParentGap[] = "<IMG SRC=\"blank.gif\" WIDTH=100 HEIGHT=50 BORDER=0>";
const char kCentreGap[] = "<IMG SRC=\"blank.gif\" WIDTH=220 HEIGHT=50 BORDER=0>";

std::string idOf(const PersonRecord* p) { return std::to_string(p->personId()); }

std::string altNames(const PersonRecord* p, HtmlTextEncoder& text) {
    return text.text(p->text(field::givenNames)) + " " + text.text(p->text(field::surname));
}

std::string image(const PersonRecord* p, HtmlTextEncoder& text) {
    return "<IMG SRC=\"" + idOf(p) + ".gif\" ALT=\"" + altNames(p, text) +
           "\" WIDTH=140 HEIGHT=50 BORDER=0>";
}

std::string linkCell(const PersonRecord* p, HtmlTextEncoder& text) {
    if (p == nullptr) return kBlankBox;
    return "<A HREF=\"" + idOf(p) + ".html\">" + image(p, text) + "</A>";
}

std::string arrowCell(const PersonRecord* g) {
    if (g == nullptr || (g->father == nullptr && g->mother == nullptr)) return kBlankBox;
    std::string id = idOf(g);
    return "<IMG ISMAP USEMAP=\"#" + id + "\" SRC=\"arrow.gif\" WIDTH=140 HEIGHT=50 BORDER=0>" +
           "<MAP NAME=\"" + id + "\"><AREA SHAPE=\"RECT\" HREF=\"" + id +
           ".html\" COORDS=\"60,10,80,41\"></MAP>";
}

const PersonRecord* fatherOf(const PersonRecord* p) {
    return p == nullptr ? nullptr : aliasResolved(p->father);
}
const PersonRecord* motherOf(const PersonRecord* p) {
    return p == nullptr ? nullptr : aliasResolved(p->mother);
}

}  // namespace

std::vector<std::string> ancestorTableLines(const PersonRecord& person, HtmlTextEncoder& text) {
    const PersonRecord* f = fatherOf(&person);
    const PersonRecord* m = motherOf(&person);
    const PersonRecord* grand[4] = {fatherOf(f), motherOf(f), fatherOf(m), motherOf(m)};

    std::string arrows = kNarrowGap;
    std::string grandparents = kNarrowGap;
    for (const PersonRecord* g : grand) {
        arrows += arrowCell(g) + kNarrowGap;
        grandparents += linkCell(g, text) + kNarrowGap;
    }
    std::string parents = std::string(kParentGap) + linkCell(f, text) + kParentGap +
                          linkCell(m, text) + kParentGap + "<BR>";
    std::string own = std::string(kCentreGap) + image(&person, text) + kCentreGap + "<BR>";
    return {arrows + "<BR>", grandparents + "<BR>", kRowGap, parents, kRowGap, own, kRowGap};
}

std::vector<std::string> pictureTableLines(const PersonRecord& person, int width, int height,
                                           const std::string& textColour, HtmlTextEncoder& text) {
    std::string id = std::to_string(person.personId());
    int w = std::max(width, 80);
    std::vector<std::string> lines;
    lines.push_back("<TABLE BORDER=\"0\" ALIGN=\"left\" WIDTH=\"" + std::to_string(w + 2) +
                    "\"><TR><TD><CENTER><IMG SRC=\"pict" + id + ".jpg\" ALT=\"pict" + id +
                    ".jpg [" + std::to_string(w) + "x" + std::to_string(height) +
                    "]\" WIDTH=" + std::to_string(w) + " BORDER=1>");
    if (!person.isEmpty(field::pictureComment)) {
        lines.push_back(" <FONT FACE=\"Verdana,Helvetica\" SIZE=-2 COLOR=\"" + textColour + "\">" +
                        text.text(person.text(field::pictureComment)) + "<BR></FONT>");
    }
    lines.push_back("</CENTER></TD></TR></TABLE>");
    return lines;
}

}  // namespace lineara

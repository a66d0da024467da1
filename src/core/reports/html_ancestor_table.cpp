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

std::string altNames(const PersonRecord* p, HtmlTextEncoder& text) {
    return text.text(p->text(field::givenNames)) + " " + text.text(p->text(field::surname));
}

std::string image(const PersonRecord* p, const HtmlPageIds& ids, HtmlTextEncoder& text) {
    return "<IMG SRC=\"" + ids.text(p) + ".gif\" ALT=\"" + altNames(p, text) +
           "\" WIDTH=140 HEIGHT=50 BORDER=0>";
}

std::string linkCell(const PersonRecord* p, const HtmlPageIds& ids, HtmlTextEncoder& text) {
    if (p == nullptr) return kBlankBox;
    return "<A HREF=\"" + ids.text(p) + ".html\">" + image(p, ids, text) + "</A>";
}

std::string arrowCell(const PersonRecord* g, const HtmlPageIds& ids) {
    if (g == nullptr || (g->father == nullptr && g->mother == nullptr)) return kBlankBox;
    std::string id = ids.text(g);
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

std::vector<std::string> ancestorTableLines(const PersonRecord& person, const HtmlPageIds& ids,
                                            HtmlTextEncoder& text) {
    const PersonRecord* f = fatherOf(&person);
    const PersonRecord* m = motherOf(&person);
    const PersonRecord* grand[4] = {fatherOf(f), motherOf(f), fatherOf(m), motherOf(m)};

    std::string arrows = kNarrowGap;
    std::string grandparents = kNarrowGap;
    for (const PersonRecord* g : grand) {
        arrows += arrowCell(g, ids) + kNarrowGap;
        grandparents += linkCell(g, ids, text) + kNarrowGap;
    }
    std::string parents = std::string(kParentGap) + linkCell(f, ids, text) + kParentGap +
                          linkCell(m, ids, text) + kParentGap + "<BR>";
    std::string own = std::string(kCentreGap) + image(&person, ids, text) + kCentreGap + "<BR>";
    return {arrows + "<BR>", grandparents + "<BR>", kRowGap, parents, kRowGap, own, kRowGap};
}

std::vector<std::string> pictureTableLines(const PersonRecord& person, const std::string& id,
                                           int width, int height, const std::string& textColour,
                                           HtmlTextEncoder& text) {
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

// The name index of the presentation and its frameset start page.
#pragma once

#include <string>
#include <vector>

#include "core/model/person_record.h"
#include "core/reports/html_page_style.h"
#include "core/reports/html_person_page.h"
#include "core/reports/html_text.h"

namespace lineara {

// One person's line of the index: `bytes` in the tree's code page, which
// the index is sorted by (a leading comment with surname and given names
// makes the order run by them), and `line` as the page writes it.
struct HtmlIndexLine {
    std::string bytes;
    std::string line;
};
HtmlIndexLine htmlIndexLine(const PersonRecord& person, const HtmlPageStyle& style,
                            const HtmlPageIds& ids, HtmlTextEncoder& text);

// Sorts the lines with `less` (stable: equal lines keep the list order).
void sortIndexLines(std::vector<HtmlIndexLine>& lines, const HtmlTextLess& less);

// The index page, each line ended by a line feed. `head` is the first
// record of the list (its names head the page, its page is linked, through
// an alias box if it is one); `lines` are sorted already.
std::string indexPage(const PersonRecord& head, const std::vector<HtmlIndexLine>& lines,
                      int personCount, const HtmlPageStyle& style, const HtmlPageIds& ids,
                      HtmlTextEncoder& text);

// The frameset page: the index on the left, the head's page on the right.
std::string startPage(const PersonRecord& head, const HtmlPageStyle& style, const HtmlPageIds& ids,
                      HtmlTextEncoder& text);

}  // namespace lineara

// The page of one person: ancestor table, links box, facts, picture and
// notes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/model/person_record.h"
#include "core/reports/html_family.h"
#include "core/reports/html_page_ids.h"
#include "core/reports/html_page_style.h"
#include "core/reports/html_text.h"

namespace lineara {

// Case-insensitive order of texts in the tree's code page.
using HtmlTextLess = std::function<bool(const std::string&, const std::string&)>;

// `<A HREF="id.html">given surname</A>` for `person` as it is (callers
// resolve alias boxes first), in code-page bytes or as the page writes it.
std::string personLinkBytes(const PersonRecord& person, const HtmlPageIds& ids);
std::string personLink(const PersonRecord& person, const HtmlPageIds& ids, HtmlTextEncoder& text);

// The facts line: born, baptized, the relationships (the person's own,
// then those on the alias box) and died.
std::string factsLine(const PersonRecord& person, const PersonRecord* aliasBox,
                      const HtmlPageIds& ids, HtmlTextEncoder& text);

// The lines of the links box, empty when it has nothing to show.
std::vector<std::string> linksBoxLines(const FamilyLists& family, const HtmlPageStyle& style,
                                       const HtmlPageIds& ids, HtmlTextEncoder& text,
                                       const HtmlTextLess& less);

struct PersonPageParts {
    const FamilyLists* family = nullptr;
    std::vector<std::string> pictureLines;  // as the page writes them
    std::vector<std::string> notesLines;    // code-page bytes, without line ends
};

// The whole page, each line ended by a line feed.
std::string personPage(const PersonRecord& person, const PersonPageParts& parts,
                       const HtmlPageStyle& style, const HtmlPageIds& ids, HtmlTextEncoder& text,
                       const HtmlTextLess& less);

}  // namespace lineara

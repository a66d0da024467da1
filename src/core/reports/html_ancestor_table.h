// The lines of a person page that place images: the table of the person's
// parents and grandparents at the top, and the table of the picture.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/model/person_record.h"
#include "core/reports/html_page_ids.h"
#include "core/reports/html_text.h"

namespace lineara {

// The seven lines of the ancestor table, each ending in <BR>; every row is
// 580 pixels wide. Parents and grandparents are shown through alias boxes.
std::vector<std::string> ancestorTableLines(const PersonRecord& person, const HtmlPageIds& ids,
                                            HtmlTextEncoder& text);

// The lines of the picture table for a picture of `width` x `height` after
// fitting; narrower pictures are shown 80 pixels wide. `id` names the
// person's page.
std::vector<std::string> pictureTableLines(const PersonRecord& person, const std::string& id,
                                           int width, int height, const std::string& textColour,
                                           HtmlTextEncoder& text);

}  // namespace lineara

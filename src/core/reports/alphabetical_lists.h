// The two alphabetical text lists: every person with dates, and every
// surname with the number of persons bearing it. Alias boxes stand for a
// person who has a box of their own, so they are left out of both.
//
// Record texts are bytes in the tree's code page; the caller says how a
// text becomes a line of the file (`Recode`, the identity by default) and
// how two lines compare (`TextLess`, for readers the order of
// core/search/list_text.h). Each person or surname is one line, whatever
// line breaks or control bytes its names hold.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/person_list.h"
#include "core/search/list_text.h"

namespace lineara {

using Recode = std::function<std::string(std::string_view)>;
using TextLess = TextOrder;

// Blanks and control characters cut from both ends.
std::string_view trimmed(std::string_view text);

// A byte-wise order that ignores the case of ASCII letters.
bool asciiCaseLess(const std::string& a, const std::string& b);

// "surname givenNames (birth - death)", trimmed, for every person in list
// order, unsorted.
std::vector<std::string> personLines(const PersonList& list, const Recode& recode = {});
// The trimmed surname of every person in list order, unsorted.
std::vector<std::string> surnames(const PersonList& list, const Recode& recode = {});
// "name (count)" for every run of exactly equal names of a sorted list.
std::vector<std::string> surnameRuns(const std::vector<std::string>& sortedNames);

// The finished lists, sorted with `less` (persons that compare equal keep
// their list order). The surname list counts runs of equal names, so
// `less` must keep each spelling together, as readersOrder does.
std::vector<std::string> personListLines(const PersonList& list, const TextLess& less,
                                         const Recode& recode = {});
std::vector<std::string> surnameListLines(const PersonList& list, const TextLess& less,
                                          const Recode& recode = {});

// The lines as a file: each ended by a line feed.
std::string joinLines(const std::vector<std::string>& lines);

}  // namespace lineara

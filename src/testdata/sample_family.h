// The sample family, the example tree shipped with the program: four
// generations of two families from Żywiec and Łowicz, joined by two
// marriages; one daughter appears twice (an alias), one grandson divorces
// and marries again, and two persons have pictures and one a notes file.
// Its texts are CP1250, as in the file.
#pragma once

#include <string>
#include <vector>

#include "core/model/person_list.h"
#include "testdata/portrait.h"

namespace lineara {

// A picture the sample tree names, by its bare file name.
struct SamplePicture {
    const char* file;
    PortraitStyle style;
};

// The pictures, in the order of the persons they belong to.
std::vector<SamplePicture> samplePictures();

// The notes file the sample tree names, and what it holds: CP1250 text
// with Windows line ends.
constexpr char kSampleNotesFile[] = "anna_nowak.txt";
std::string sampleNotesText();

// Appends the sample persons to `list` (normally empty) and leaves nothing
// current. False, with the reason in `error`, when the list refuses.
bool buildSampleFamily(PersonList& list, std::string& error);

}  // namespace lineara

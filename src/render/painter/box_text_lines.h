// Where the four text lines of a person's box stand: tree units below the
// box's top edge. The canvas and the printed tree place them differently;
// both sets live here so that neither is changed without the other in
// sight.
#pragma once

namespace lineara {

struct BoxTextLines {
    int givenNames;
    int surname;
    int birth;
    int death;
};

inline constexpr BoxTextLines kScreenBoxLines{3, 17, 43, 57};
inline constexpr BoxTextLines kPrintedBoxLines{0, 14, 30, 44};

}  // namespace lineara

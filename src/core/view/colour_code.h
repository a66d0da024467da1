// Which property of a person the box fill shows ("Kolory kodowania"):
// women in aqua, or persons with a notes file or a picture in yellow.
#pragma once

namespace lineara {

enum class ColourCode { None, Gender, Notes, Picture };

}  // namespace lineara

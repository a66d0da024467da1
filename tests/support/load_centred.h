// Loading a tree as the program opens one: the file, then the view centred
// on the home person in a window of the given size.
#pragma once

#include <string>

#include "core/formats/tree_file.h"
#include "core/view/viewport.h"

namespace lineara {

inline LoadResult ReadfromFileCentred(PersonList& list, const std::string& path, ViewState& view,
                                      int width, int height) {
    LoadResult r = ReadfromFile(list, path);
    if (r.loaded()) centreOnHome(view, list, WindowExtent{width, height});
    return r;
}

}  // namespace lineara

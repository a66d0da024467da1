#include "model/document.h"

namespace lineara {

LoadResult Document::ReadfromFile(const std::string& path, ViewState& view, int windowWidth,
                                  int windowHeight) {
    LoadResult result = lineara::ReadfromFile(persons_, path, view, windowWidth, windowHeight);
    if (result.status == LoadResult::Unrecognized || result.outOfMemory) currentFileName_.clear();
    return result;
}

}  // namespace lineara

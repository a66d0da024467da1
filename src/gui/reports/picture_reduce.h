// The person's picture reduced for the HTML presentation.
#pragma once

#include <QImage>
#include <string>

#include "core/reports/picture_fit.h"

namespace lineara {

// The picture at `path` (the file system's bytes, used as they are)
// fitted within `frame` (never enlarged), scaled
// with smoothing; a null image when it cannot be read. A large JPEG is
// decoded at a fraction of its size first, so a camera's picture costs
// little more than a small one.
QImage reducedPicture(const std::string& path, PictureSize frame);

}  // namespace lineara

// The person's picture reduced for the HTML presentation.
#pragma once

#include <QByteArray>
#include <QImage>
#include <string>

#include "core/platform/named_file.h"
#include "core/reports/picture_fit.h"

namespace lineara {

// A picture file read into memory with the size it will have once fitted,
// known from its header alone; `fitted` is 0 x 0, and `problem` says why,
// when the file is not a picture we can read.
struct PictureSource {
    QByteArray bytes;
    PictureSize fitted{0, 0};
    NamedFileProblem problem = NamedFileProblem::None;
    bool usable() const { return fitted.width > 0 && fitted.height > 0; }
};

// Reads the file at `path` (the file system's bytes, used as they are) and
// its size fitted within `frame` (never enlarged). A file over
// kPictureFileLimit is not read at all, and a picture that would take more
// than kPictureDecodeLimit pixels at the least size it can be decoded at is
// not kept: both are TooLarge.
PictureSource readPictureSource(const std::string& path, PictureSize frame);

// The picture decoded and scaled with smoothing to exactly `source.fitted`;
// a null image when it cannot be decoded after all. A large JPEG is decoded
// at a fraction of its size first, so a camera's picture costs little more
// than a small one.
QImage reducePicture(const PictureSource& source);

// Both in one.
QImage reducedPicture(const std::string& path, PictureSize frame);

}  // namespace lineara

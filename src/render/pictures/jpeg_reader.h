// Reading JPEG pictures with libjpeg, so that the pictures of a tree show
// the same wherever the program runs, with or without Qt's image plugins.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace lineara {

// The picture of a JPEG file as RGB; a null image when the file cannot be
// read or is damaged.
QImage readJpeg(const QString& path);
// The same for the bytes of a JPEG file already read. With `atLeast`, a
// picture larger than needed is decoded at 1/2, 1/4 or 1/8 of its size,
// the smallest of these still at least `atLeast` both ways: libjpeg scales
// while decoding, far faster than decoding whole and scaling after.
QImage decodeJpeg(const QByteArray& bytes, QSize atLeast = QSize());

// The size of the picture from the file's header; an empty size when the
// bytes are not a readable JPEG.
QSize jpegSize(const QByteArray& bytes);

}  // namespace lineara

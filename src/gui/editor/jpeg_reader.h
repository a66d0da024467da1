// Reading JPEG pictures with libjpeg, so that the pictures of a tree show
// the same wherever the program runs, with or without Qt's image plugins.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace lineara {

// The picture of a JPEG file as RGB; a null image when the file cannot be
// read or is damaged.
QImage readJpeg(const QString& path);
// The same for the bytes of a JPEG file already read.
QImage decodeJpeg(const QByteArray& bytes);

}  // namespace lineara

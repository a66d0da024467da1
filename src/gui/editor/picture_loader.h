// The pictures of persons: JPEG through our own reader, GIF, PNG and the
// rest through Qt.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace lineara {

// A null image when the file is missing, unreadable, damaged or not a
// plain file (a pipe or a device is never opened for reading, so it cannot
// hang the caller).
QImage loadPicture(const QString& path);

// The picture held by the bytes of a picture file.
QImage decodePicture(const QByteArray& bytes);

// The content of a plain file, read as loadPicture reads it; empty for
// anything else. The second form takes the name as the file system's bytes.
QByteArray readPictureFile(const QString& path);
QByteArray readPictureFile(const QByteArray& nativePath);

// Whether picture bytes are a JPEG (by content: pictures are often renamed
// by hand).
bool looksLikeJpeg(const QByteArray& bytes);

}  // namespace lineara

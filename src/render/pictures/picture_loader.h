// The pictures of persons: JPEG through our own reader, GIF, PNG and the
// rest through Qt.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstddef>

#include "core/platform/named_file.h"

namespace lineara {

// No photograph of a person comes near this; a file beyond it is left
// unread rather than held whole in memory.
constexpr size_t kPictureFileLimit = 64u << 20;  // 64 MiB
// Nor does any picture we show or reduce need more pixels than this once
// decoded (at the reduced size the decoder is asked for): 256 MB at four
// bytes a pixel, the most Qt's own readers allocate.
constexpr qint64 kPictureDecodeLimit = 64'000'000;  // pixels

// A null image when the file is missing, unreadable, damaged, too large, or
// not a plain file: it is read as every file a tree names is (see
// core/platform/named_file.h), so a pipe or a device is never opened.
QImage loadPicture(const QString& path);

// The picture held by the bytes of a picture file.
QImage decodePicture(const QByteArray& bytes);

// The content of a plain file, read as loadPicture reads it; empty for
// anything else, and `problem` (when given) says why. The second form takes
// the name as the file system's bytes.
QByteArray readPictureFile(const QString& path, NamedFileProblem* problem = nullptr);
QByteArray readPictureFile(const QByteArray& nativePath, NamedFileProblem* problem = nullptr);

// Whether picture bytes are a JPEG (by content: pictures are often renamed
// by hand).
bool looksLikeJpeg(const QByteArray& bytes);

}  // namespace lineara

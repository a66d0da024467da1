#include "gui/editor/picture_loader.h"

#include <QFile>
#include <QImageReader>

#include "gui/editor/jpeg_reader.h"

namespace lineara {

namespace {

// By content, not by name: pictures are often renamed by hand.
bool looksLikeJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray start = file.read(2);
    return start.size() == 2 && static_cast<unsigned char>(start[0]) == 0xFF &&
           static_cast<unsigned char>(start[1]) == 0xD8;
}

}  // namespace

QImage loadPicture(const QString& path) {
    if (looksLikeJpeg(path)) return readJpeg(path);
    QImageReader reader(path);
    return reader.read();
}

}  // namespace lineara

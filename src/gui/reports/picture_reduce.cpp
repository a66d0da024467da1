#include "gui/reports/picture_reduce.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

#include "gui/editor/jpeg_reader.h"
#include "gui/editor/picture_loader.h"

namespace lineara {

PictureSource readPictureSource(const std::string& path, PictureSize frame) {
    PictureSource source;
    source.bytes = readPictureFile(QByteArray::fromStdString(path));
    if (source.bytes.isEmpty()) return source;
    QSize full;
    if (looksLikeJpeg(source.bytes)) {
        full = jpegSize(source.bytes);
    } else {
        QBuffer buffer(&source.bytes);
        buffer.open(QIODevice::ReadOnly);
        full = QImageReader(&buffer).size();
    }
    if (full.isEmpty()) return source;
    source.fitted = fitWithin({full.width(), full.height()}, frame);
    return source;
}

QImage reducePicture(const PictureSource& source) {
    if (!source.usable()) return QImage();
    const PictureSize fitted = source.fitted;
    QImage picture;
    if (looksLikeJpeg(source.bytes)) {
        // The decoder's own scaling averages whole blocks, a good filter,
        // so it may go down to the size needed; the smooth scaling after it
        // only makes up the rest. Never below 16 pixels, where the
        // decoder's last, partly padded block of a narrow picture would
        // weigh too much.
        const auto atLeast = [](int side) { return std::max(side, 16); };
        picture = decodeJpeg(source.bytes, QSize(atLeast(fitted.width), atLeast(fitted.height)));
    } else {
        picture = decodePicture(source.bytes);
    }
    if (picture.isNull()) return QImage();
    if (picture.size() == QSize(fitted.width, fitted.height)) return picture;
    return picture.scaled(fitted.width, fitted.height, Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

QImage reducedPicture(const std::string& path, PictureSize frame) {
    return reducePicture(readPictureSource(path, frame));
}

}  // namespace lineara

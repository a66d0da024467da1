#include "render/reports/picture_reduce.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

#include "render/pictures/jpeg_reader.h"
#include "render/pictures/picture_loader.h"

namespace lineara {

PictureSource readPictureSource(const std::string& path, PictureSize frame) {
    PictureSource source;
    source.bytes = readPictureFile(QByteArray::fromStdString(path), &source.problem);
    if (source.problem != NamedFileProblem::None) return source;
    QSize full;
    // The least size the decoder can give: libjpeg reduces by up to 8
    // while decoding, the other formats are decoded whole.
    qint64 decodedPixels = 0;
    if (looksLikeJpeg(source.bytes)) {
        full = jpegSize(source.bytes);
        decodedPixels = qint64((full.width() + 7) / 8) * ((full.height() + 7) / 8);
    } else {
        QBuffer buffer(&source.bytes);
        buffer.open(QIODevice::ReadOnly);
        full = QImageReader(&buffer).size();
        decodedPixels = qint64(full.width()) * full.height();
    }
    if (full.isEmpty()) {
        source.problem = NamedFileProblem::NotPicture;
        return source;
    }
    if (decodedPixels > kPictureDecodeLimit) {
        source.problem = NamedFileProblem::TooLarge;
        source.bytes = QByteArray();
        return source;
    }
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

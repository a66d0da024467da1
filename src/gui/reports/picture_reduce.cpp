#include "gui/reports/picture_reduce.h"

#include <algorithm>

#include "gui/editor/jpeg_reader.h"
#include "gui/editor/picture_loader.h"

namespace lineara {

QImage reducedPicture(const std::string& path, PictureSize frame) {
    const QByteArray bytes = readPictureFile(QByteArray::fromStdString(path));
    QImage picture;
    PictureSize fitted;
    if (looksLikeJpeg(bytes)) {
        // The fitted size comes from the picture's own size, exactly as if
        // it had been decoded whole.
        const QSize full = jpegSize(bytes);
        if (full.isEmpty()) return QImage();
        fitted = fitWithin({full.width(), full.height()}, frame);
        // The decoder's own scaling averages whole blocks, a good filter,
        // so it may go down to the size needed; the smooth scaling after it
        // only makes up the rest. Never below 16 pixels, where the
        // decoder's last, partly padded block of a narrow picture would
        // weigh too much.
        const auto atLeast = [](int side) { return std::max(side, 16); };
        picture = decodeJpeg(bytes, QSize(atLeast(fitted.width), atLeast(fitted.height)));
    } else {
        picture = decodePicture(bytes);
        fitted = fitWithin({picture.width(), picture.height()}, frame);
    }
    if (picture.isNull() || fitted.width < 1) return QImage();
    if (picture.size() == QSize(fitted.width, fitted.height)) return picture;
    return picture.scaled(fitted.width, fitted.height, Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

}  // namespace lineara

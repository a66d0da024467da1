#include "render/pictures/picture_loader.h"

#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cerrno>

#include "render/pictures/jpeg_reader.h"

namespace lineara {

QByteArray readPictureFile(const QString& path, NamedFileProblem* problem) {
    return readPictureFile(QFile::encodeName(path), problem);
}

QByteArray readPictureFile(const QByteArray& nativePath, NamedFileProblem* problem) {
    NamedFileProblem why = NamedFileProblem::None;
    QByteArray bytes;
    NamedFile file(nativePath.toStdString());
    if (!file.isOpen()) {
        why = file.problem();
    } else if (file.info().st_size > qint64(kPictureFileLimit)) {
        why = NamedFileProblem::TooLarge;
    } else {
        // The size is only a hint: the file may change while we read it.
        bytes.reserve(qsizetype(file.info().st_size));
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(file.fd(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                why = NamedFileProblem::Unreadable;
                break;
            }
            if (n == 0) break;
            if (size_t(bytes.size()) + size_t(n) > kPictureFileLimit) {
                why = NamedFileProblem::TooLarge;  // it grew while we read it
                break;
            }
            bytes.append(buffer, n);
        }
        if (why != NamedFileProblem::None) bytes = QByteArray();
    }
    if (problem != nullptr) *problem = why;
    return bytes;
}

bool looksLikeJpeg(const QByteArray& bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8;
}

QImage decodePicture(const QByteArray& bytes) {
    if (bytes.isEmpty()) return QImage();
    if (looksLikeJpeg(bytes)) return decodeJpeg(bytes);
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return QImage();
    QImageReader reader(&buffer);
    // Told by the header, before anything is allocated.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kPictureDecodeLimit)
        return QImage();
    return reader.read();
}

QImage loadPicture(const QString& path) { return decodePicture(readPictureFile(path)); }

}  // namespace lineara

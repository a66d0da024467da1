#include "gui/editor/picture_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cerrno>

#include "gui/editor/jpeg_reader.h"

namespace lineara {

// The whole content of a plain file; empty for anything else. The file is
// opened without waiting, so a pipe without a writer does not block us
// before fstat tells us what it is.
QByteArray readPictureFile(const QString& path) { return readPictureFile(QFile::encodeName(path)); }

QByteArray readPictureFile(const QByteArray& nativePath) {
    int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return QByteArray();
    QByteArray bytes;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        // Only a hint: the file may change while we read it.
        if (st.st_size > 0 && st.st_size < (qint64(1) << 30)) bytes.reserve(qsizetype(st.st_size));
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                bytes.append(buffer, n);
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                if (n < 0) bytes.clear();
                break;
            }
        }
    }
    ::close(fd);
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
    return reader.read();
}

QImage loadPicture(const QString& path) { return decodePicture(readPictureFile(path)); }

}  // namespace lineara

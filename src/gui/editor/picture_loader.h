// The pictures of persons: JPEG through our own reader, GIF, PNG and the
// rest through Qt.
#pragma once

#include <QImage>
#include <QString>

namespace lineara {

// A null image when the file is missing, unreadable or damaged.
QImage loadPicture(const QString& path);

}  // namespace lineara

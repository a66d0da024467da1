// The hourglass while long work runs, the arrow again when it ends, however
// it ends.
#pragma once

#include <QApplication>
#include <QCursor>

namespace lineara {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace lineara

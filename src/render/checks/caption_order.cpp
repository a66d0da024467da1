#include "render/checks/caption_order.h"

#include <QLocale>

namespace lineara {

// Polish whatever the system's locale: the program and the names in its
// trees are Polish, and a list should not reorder from machine to machine.
QCollator captionCollator() {
    QCollator collator(QLocale(QLocale::Polish, QLocale::Poland));
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

}  // namespace lineara

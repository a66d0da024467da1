// Fonts for the box texts, chosen by character cell height.
//
// A box's font height is the height of the character cell (ascent plus
// descent) in pixels, whereas Qt sizes fonts by their em. The pixel size
// whose cell comes closest to the wanted height is looked up once per
// family, style and height and remembered, since the zoom asks for the same
// few heights over and over.
#pragma once

#include <QFont>
#include <QString>

namespace lineara {

// Underlining does not change the cell, so it is simply set on the result.
QFont cellHeightFont(const QString& family, int cellHeight, bool italic, bool underline);

}  // namespace lineara

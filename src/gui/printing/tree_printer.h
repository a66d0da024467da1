// The printed tree: every box of the persons taking part at its place on
// the canvas, with the lines to parents and partners, fitted to one page
// or enlarged over N x N pages to be pasted together.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

#include "core/model/person_list.h"
#include "core/reports/print_geometry.h"
#include "gui/platform/record_codec.h"
#include "gui/printing/page_target.h"

namespace lineara {

struct PrintChoices {
    bool landscape = true;
    int borderWidth = 1;  // printer pixels, boxes and parent lines
    int pagesAcross = 1;  // N
    bool selectedOnly = false;
};

struct PrintJob {
    PrintChoices choices;
    QString fontName = QStringLiteral("Times New Roman");  // the canvas's screen font
    int fontSize = 16;
    const RecordCodec* codec = nullptr;
};

// "Printed with Lineara <version> - aee <web address>", at the top of the
// first row of pages.
QString printFooterText();

// Draws page `cell` of the sheet. Without text the boxes are empty
// outlines (the preview, where letters would be specks).
void paintPrintedPage(QPainter& painter, const PageGeometry& geometry, const PageCell& cell,
                      const PersonList& list, const PrintJob& job, int dotsPerInch,
                      bool withText = true);

enum class PrintOutcome { Printed, NothingToPrint, DeviceFailed };

// Prints every page, row by row. Nothing at all is printed for an empty
// tree or, with only selected persons asked for, an empty selection.
PrintOutcome printTree(PageTarget& target, const PersonList& list, const PrintJob& job);

// The window's picture scaled to fit one page, keeping its proportions.
PrintOutcome printImageFitted(PageTarget& target, const QImage& image);

}  // namespace lineara

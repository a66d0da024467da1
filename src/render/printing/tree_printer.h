// The printed tree: every box of the persons taking part at its place on
// the canvas, with the lines to parents and partners, fitted to one page
// or enlarged over N x N pages to be pasted together.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

#include "core/model/person_list.h"
#include "core/reports/print_geometry.h"
#include "render/platform/record_codec.h"
#include "render/printing/page_target.h"

namespace lineara {

struct PrintChoices {
    bool landscape = true;
    int borderWidth = 1;  // 1 to 5, boxes and parent lines (see printedPenWidth)
    int pagesAcross = 1;  // N
    bool selectedOnly = false;
};

struct PrintJob {
    PrintChoices choices;
    QString fontName = QStringLiteral("Times New Roman");  // the canvas's screen font
    int fontSize = 16;
    const RecordCodec* codec = nullptr;
    // Every box is visited on every page instead of those the box index
    // finds on it: the reference the index is tested against.
    bool walkWholeList = false;
};

// "Printed with Lineara <version> - aee <web address>", at the top of the
// first row of pages.
QString printFooterText();

// The width in device pixels of a printed line of border `step` (1 to 5;
// the partners' dashed lines are 1): half a point a step on a single page,
// and never thinner than `step` pixels, so that each step is bolder than the
// one before on any printer. Over N x N pages the drawing is N times as
// large, and so are its lines.
int printedPenWidth(int step, int pagesAcross, int dotsPerInch);

enum class PagePurpose {
    Print,
    // Scaled down to a picture of the page: the boxes are empty outlines
    // (letters would be specks) and every line is at least one pixel of
    // the picture wide, whatever the scale.
    Preview,
};

// Draws page `cell` of the sheet.
void paintPrintedPage(QPainter& painter, const PageGeometry& geometry, const PageCell& cell,
                      const PersonList& list, const PrintJob& job, int dotsPerInch,
                      PagePurpose purpose = PagePurpose::Print);

enum class PrintOutcome { Printed, NothingToPrint, DeviceFailed };

// Prints every page, row by row. Nothing at all is printed for an empty
// tree or, with only selected persons asked for, an empty selection.
PrintOutcome printTree(PageTarget& target, const PersonList& list, const PrintJob& job);

// The window's picture scaled to fit one page, keeping its proportions.
PrintOutcome printImageFitted(PageTarget& target, const QImage& image);

}  // namespace lineara

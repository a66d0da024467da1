// The small pieces an SVG document is written from: numbers, colours and
// texts appended to a byte buffer, the texts escaped for XML.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QStringView>
#include <QTransform>
#include <string>

namespace lineara {

// A coordinate to a hundredth of a pixel, without trailing zeros: "12",
// "-3.5", "0.25".
void appendSvgNumber(std::string& out, double value);

// "x,y", as path data and point lists write a point.
void appendSvgPair(std::string& out, const QPointF& p);

// Attributes, each after a space: one number; x, y, width and height; x
// and y; a transform as a matrix.
void appendSvgAttribute(std::string& out, const char* name, double value);
void appendSvgRect(std::string& out, const QRectF& r);
void appendSvgPoint(std::string& out, const QPointF& p);
void appendSvgMatrix(std::string& out, const QTransform& t);

// "#rrggbb"; the colour's alpha is left to the caller.
void appendSvgColour(std::string& out, const QColor& colour);

// UTF-16 text as UTF-8 for an attribute's value or an element's content:
// the markup characters and quotes as entities; tab, line feed and
// carriage return as character references, so that a reader does not
// fold them into spaces; every character XML does not allow (other
// control characters, a lone surrogate, U+FFFE and U+FFFF) as U+FFFD, so
// that the document stays readable and the place of the character shows.
void appendSvgEscaped(std::string& out, QStringView text);

}  // namespace lineara

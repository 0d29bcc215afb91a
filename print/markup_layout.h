#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

class QPainter;
class QPaintDevice;

// The inline mark-up layer: one layout for measuring and drawing, so that the
// height a caller reserves is exactly the height that gets drawn, on the
// screen, on a page picture and on a printer alike.
//
// Tags: <b> <i> <u> <s> and their closing forms, <font face size color bgcolor>
// </font>, <p align bgcolor>, <ind x>, <br>, <hr>, <sub> <sup> <shad>, <z>
// (hidden), <a href> </a>, <img src width height align>, <ul> <li> </ul>.
// Entities &lt; &gt; &amp; &quot;. Unknown tags are skipped.
namespace qel {

enum class MarkupMode { Measure, Draw };

struct MarkupStyle {
    QColor linkColor = Qt::black;
    bool underlineLinks = false;
};

struct MarkupFragment {
    QString text;  // empty for a picture
    QRect rect;
};

struct MarkupLine {
    QRect rect;  // from the rectangle's left edge to its right edge
    QString text;
    QList<MarkupFragment> fragments;
};

struct MarkupLink {
    QString href;
    QRect rect;
};

struct MarkupResult {
    int width = 0;   // widest visual line, without its alignment offset
    int height = 0;  // sum of the visual lines (drawn ones in draw mode)
    QList<MarkupLine> lines;
    QList<MarkupLink> links;

    QString linkAt(const QPoint& p) const;
};

// Lays out (and in draw mode draws) markup inside rect on the painter's device,
// starting from the painter's font and pen colour. The painter's state is
// unchanged afterwards.
MarkupResult RenderMarkup(QPainter& painter, const QString& markup, const QRect& rect, MarkupMode mode,
                          const MarkupStyle& style = {});

// Measure mode without a painter.
MarkupResult MeasureMarkup(const QString& markup, const QRect& rect, const QFont& font, QPaintDevice* device,
                           const MarkupStyle& style = {});

// A colour of the mark-up: a colour name ("clRed", "clBtnFace", any case) or
// "#RRGGBB"; anything else is black.
QColor MarkupColor(const QString& value);

// Registers the pictures that "res://" names (also used by the windows of print/).
void LoadPrintResources();

// The text without its tags, entities resolved, <br> as a line end.
QString MarkupPlainText(const QString& markup);

}  // namespace qel

#pragma once

#include <QColor>

namespace qel {

// The controls' hover and pressed shades: each channel times 1.05 (capped) or
// divided by 1.05, rounded.
QColor Lighter(const QColor& c);
QColor Darker(const QColor& c);

}  // namespace qel

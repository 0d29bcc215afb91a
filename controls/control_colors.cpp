#include "controls/control_colors.h"

#include <algorithm>
#include <cmath>

namespace qel {
namespace {

int Scale(int channel, double factor)
{
    return std::min(255, static_cast<int>(std::lround(channel * factor)));
}

QColor ScaleColor(const QColor& c, double factor)
{
    return QColor(Scale(c.red(), factor), Scale(c.green(), factor), Scale(c.blue(), factor));
}

}  // namespace

QColor Lighter(const QColor& c)
{
    return ScaleColor(c, 1.05);
}

QColor Darker(const QColor& c)
{
    return ScaleColor(c, 1 / 1.05);
}

}  // namespace qel

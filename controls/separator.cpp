#include "controls/separator.h"

#include <QPainter>

TqelSeparator::TqelSeparator(Qt::Orientation orientation, QWidget* parent) : QWidget(parent)
{
    if (orientation == Qt::Vertical)
        setFixedWidth(1);
    else
        setFixedHeight(1);
    resize(1, 1);
}

void TqelSeparator::setColor(const QColor& c)
{
    color_ = c;
    update();
}

void TqelSeparator::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), color_);
}

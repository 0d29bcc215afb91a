#include "widgets/markup_label.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qel {

namespace {
constexpr int kUnbounded = 1 << 20;
}

MarkupLabel::MarkupLabel(QWidget* parent) : QWidget(parent)
{
    style_.linkColor = Qt::blue;
    style_.underlineLinks = true;
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

MarkupLabel::MarkupLabel(const QString& text, QWidget* parent) : MarkupLabel(parent)
{
    setText(text);
}

void MarkupLabel::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    fitSize();
    update();
}

void MarkupLabel::setAutoSize(bool on)
{
    autoSize_ = on;
    fitSize();
}

void MarkupLabel::setWordWrap(bool on)
{
    wordWrap_ = on;
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(on);
    setSizePolicy(policy);
    fitSize();
    update();
}

void MarkupLabel::setLinkStyle(const MarkupStyle& style)
{
    style_ = style;
    update();
}

void MarkupLabel::setBackground(const QColor& color)
{
    background_ = color;
    update();
}

MarkupResult MarkupLabel::layout(int width) const
{
    const QMargins m = contentsMargins();
    const QRect rect(m.left(), m.top(), wordWrap_ ? std::max(1, width - m.left() - m.right()) : kUnbounded,
                     kUnbounded);
    return MeasureMarkup(text_, rect, font(), const_cast<MarkupLabel*>(this), style_);
}

QList<MarkupLink> MarkupLabel::links() const
{
    return layout(width()).links;
}

QString MarkupLabel::visibleText() const
{
    return MarkupPlainText(text_);
}

int MarkupLabel::heightForWidth(int width) const
{
    const QMargins m = contentsMargins();
    return layout(width).height + m.top() + m.bottom();
}

QSize MarkupLabel::sizeHint() const
{
    const QMargins m = contentsMargins();
    if (wordWrap_) {
        const int w = width() > 1 ? width() : 200;
        return {w, heightForWidth(w)};
    }
    const MarkupResult r = layout(kUnbounded);
    return {r.width + m.left() + m.right(), r.height + m.top() + m.bottom()};
}

QSize MarkupLabel::minimumSizeHint() const
{
    return wordWrap_ ? QSize(0, heightForWidth(std::max(1, width()))) : sizeHint();
}

void MarkupLabel::fitSize()
{
    updateGeometry();
    // Inside a layout the layout sizes the label from the hints; a free label
    // follows its text itself.
    if (!autoSize_ || fitting_ || (parentWidget() && parentWidget()->layout()))
        return;
    fitting_ = true;
    if (wordWrap_)
        resize(width(), heightForWidth(width()));
    else
        resize(sizeHint());
    fitting_ = false;
}

void MarkupLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (background_.isValid())
        p.fillRect(rect(), background_);
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QMargins m = contentsMargins();
    const QRect r = wordWrap_ ? contentsRect() : QRect(m.left(), m.top(), kUnbounded, height() - m.top() - m.bottom());
    RenderMarkup(p, text_, r, MarkupMode::Draw, style_);
}

void MarkupLabel::mouseMoveEvent(QMouseEvent* event)
{
    const bool overLink = !layout(width()).linkAt(event->position().toPoint()).isEmpty();
    if (overLink)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void MarkupLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QString href = layout(width()).linkAt(event->position().toPoint());
        if (!href.isEmpty()) {
            clickLink(href);
            return;
        }
    }
    QWidget::mouseReleaseEvent(event);
}

void MarkupLabel::clickLink(const QString& href)
{
    emit linkClicked(href);
}

void MarkupLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (wordWrap_)
        fitSize();
}

void MarkupLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        fitSize();
    QWidget::changeEvent(event);
}

}  // namespace qel

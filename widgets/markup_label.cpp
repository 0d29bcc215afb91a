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

QRect MarkupLabel::layoutRect(int width) const
{
    const QMargins m = contentsMargins();
    QRect rect(m.left(), m.top(), std::max(1, width - m.left() - m.right()), kUnbounded);
    if (!wordWrap_) {
        // One line as long as the text needs, aligned within the label's width.
        const int natural = MeasureMarkup(text_, QRect(0, 0, kUnbounded, kUnbounded), font(),
                                          const_cast<MarkupLabel*>(this), style_)
                                .width;
        rect.setWidth(std::max(rect.width(), natural));
    }
    return rect;
}

MarkupResult MarkupLabel::layout(int width) const
{
    return MeasureMarkup(text_, layoutRect(width), font(), const_cast<MarkupLabel*>(this), style_);
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
    const MarkupResult r = layout(0);
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
    QRect r = layoutRect(width());
    r.setHeight(contentsRect().height());
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

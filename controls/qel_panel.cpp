#include "controls/qel_panel.h"

#include "controls/control_colors.h"

#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>

TqelPanel::TqelPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
}

bool TqelPanel::isExpanded() const
{
    return height() > 5 && isEnabled() && isVisible();
}

void TqelPanel::setPanelHeight(int h)
{
    setFixedHeight(h);
    resize(width(), h);
}

void TqelPanel::toggle()
{
    if (height() > 5 && isEnabled() && !isHidden())
        collapse();
    else
        expand();
}

void TqelPanel::collapse()
{
    if (height() <= 1)
        return;
    restoreHeight_ = height();
    setPanelHeight(1);
    setPalette(parentWidget() ? parentWidget()->palette() : QPalette());
}

void TqelPanel::expand()
{
    if (restoreHeight_ > 1)
        setPanelHeight(restoreHeight_);
    QPalette pal = palette();
    const QColor parentColour = (parentWidget() ? parentWidget()->palette() : palette()).color(QPalette::Window);
    pal.setColor(QPalette::Window, qel::Lighter(parentColour));
    setPalette(pal);
}

void TqelPanel::fitHeight()
{
    int h = 2 * frameWidth() + 2;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            h += child->height();
    }
    setPanelHeight(h);
}

void TqelPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (QScrollArea* area = qel::EnclosingScrollArea(this))
        qel::UpdateScrollRange(area);
}

namespace qel {

QScrollArea* EnclosingScrollArea(const QWidget* w)
{
    // The scroll area's content widget is the label's or panel's parent; the
    // viewport sits between the two.
    const QWidget* content = w->parentWidget();
    if (!content || !content->parentWidget())
        return nullptr;
    auto* area = qobject_cast<QScrollArea*>(content->parentWidget()->parentWidget());
    return area && area->widget() == content ? area : nullptr;
}

void UpdateScrollRange(QScrollArea* area)
{
    QWidget* content = area->widget();
    if (!content)
        return;
    // With a layout the content's own hints already sum the stacked children.
    if (QLayout* layout = content->layout()) {
        layout->activate();
        const QSize hint = layout->sizeHint().expandedTo(layout->minimumSize());
        const int w = area->widgetResizable() ? std::max(hint.width(), area->viewport()->width()) : hint.width();
        const int h = area->widgetResizable() ? std::max(hint.height(), area->viewport()->height()) : hint.height();
        if (content->size() != QSize(w, h))
            content->resize(w, h);
        return;
    }
    int h = 0;
    int w = 0;
    for (QWidget* child : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden())
            continue;
        h = std::max(h, child->geometry().bottom() + 1);
        w = std::max(w, child->geometry().right() + 1);
    }
    if (content->size() != QSize(w, h))
        content->resize(w, h);
}

}  // namespace qel

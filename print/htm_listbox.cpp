#include "print/htm_listbox.h"

#include "core/interaction.h"
#include "core/messages.h"
#include "print/markup_layout.h"
#include "text/strings.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QUrl>

namespace {

// Measuring boxes are as high as any item can be.
constexpr int kMeasureHeight = 100000;
constexpr int kDotIndent = 16;

class HtmItemDelegate : public QStyledItemDelegate {
public:
    explicit HtmItemDelegate(TqelHTMListBase* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        return QSize(list_->viewport()->width(), list_->measureItemHeight(index.row()));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        list_->drawItem(*painter, option.rect, index.row(), option.state & QStyle::State_Selected,
                        option.state & QStyle::State_HasFocus);
    }

private:
    TqelHTMListBase* list_;
};

QFont SmallerByOnePoint(QFont f)
{
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() - 1);
    else
        f.setPixelSize(std::max(1, f.pixelSize() - 1));
    return f;
}

void DrawFocus(QPainter& painter, const QRect& rect, QWidget* widget)
{
    QStyleOptionFocusRect focus;
    focus.initFrom(widget);
    focus.rect = rect;
    widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, widget);
}

bool OpensOutside(const QString& link)
{
    return link.contains(QStringLiteral("://")) || link.contains(QStringLiteral("mailto:"), Qt::CaseInsensitive);
}

TqelHTMSimplelistbox::UrlOpener& Opener()
{
    static TqelHTMSimplelistbox::UrlOpener opener = [](const QString& url) {
        QDesktopServices::openUrl(QUrl(url));
    };
    return opener;
}

}  // namespace

// ---- TqelHTMListBase ----

TqelHTMListBase::TqelHTMListBase(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new HtmItemDelegate(this));
    setUniformItemSizes(false);
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemClicked, this, &TqelHTMListBase::clicked);
    // The height follows the items as they are added, inserted and deleted.
    QAbstractItemModel* m = model();
    connect(m, &QAbstractItemModel::rowsInserted, this, [this] { adaptHeight(); });
    connect(m, &QAbstractItemModel::rowsRemoved, this, [this] { adaptHeight(); });
    connect(m, &QAbstractItemModel::modelReset, this, [this] { adaptHeight(); });
    connect(m, &QAbstractItemModel::dataChanged, this, [this] { adaptHeight(); });
}

// The items go after this (and the derived part) is gone: no height to adapt then.
TqelHTMListBase::~TqelHTMListBase()
{
    model()->disconnect(this);
}

void TqelHTMListBase::setAlign(TqelAlign align)
{
    align_ = align;
    adaptHeight();
}

QString TqelHTMListBase::visibleText() const
{
    QStringList lines;
    for (int i = 0; i < count(); ++i)
        lines << qel::MarkupPlainText(item(i)->text());
    return lines.join(u'\n');
}

void TqelHTMListBase::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    doItemsLayout();
    adaptHeight();
}

void TqelHTMListBase::applyHeight(int itemsHeight)
{
    if (align_ != TqelAlign::alTop && align_ != TqelAlign::alBottom)
        return;
    const int h = 2 * frameWidth() + itemsHeight;
    if (h != height())
        setFixedHeight(h);
}

// ---- TqelHTMSimplelistbox ----

TqelHTMSimplelistbox::TqelHTMSimplelistbox(QWidget* parent) : TqelHTMListBase(parent)
{
    viewport()->setMouseTracking(true);
    adaptHeight();
}

TqelHTMSimplelistbox::UrlOpener TqelHTMSimplelistbox::setUrlOpener(UrlOpener opener)
{
    UrlOpener previous = Opener();
    Opener() = std::move(opener);
    return previous;
}

void TqelHTMSimplelistbox::setSectionTitle(bool on)
{
    sectionTitle_ = on;
    doItemsLayout();
    adaptHeight();
}

void TqelHTMSimplelistbox::setDotLeft(bool on)
{
    dotLeft_ = on;
    doItemsLayout();
    adaptHeight();
}

void TqelHTMSimplelistbox::setDolnyOdstep(int px)
{
    dolnyOdstep_ = px;
    adaptHeight();
}

QFont TqelHTMSimplelistbox::itemFont(int index) const
{
    return sectionTitle_ && index == 0 ? SmallerByOnePoint(font()) : font();
}

QRect TqelHTMSimplelistbox::textBox(const QRect& itemRect) const
{
    return itemRect.adjusted(dotLeft_ ? kDotIndent : 0, 0, 0, 0);
}

int TqelHTMSimplelistbox::measureItemHeight(int index) const
{
    const QListWidgetItem* it = item(index);
    if (!it)
        return 0;
    const QString text = it->text();
    const QRect box = textBox(QRect(0, 0, viewport()->width(), kMeasureHeight));
    const QFont f = itemFont(index);
    int h = 0;
    const qsizetype bar = text.indexOf(u'|');
    if (bar >= 0) {
        const int right = qel::MeasureMarkup(text.mid(bar + 1), box, f, viewport()).height;
        const int left = qel::MeasureMarkup(text.left(bar), box, f, viewport()).height;
        h = std::max({right, left, 0});
    } else {
        h = std::max(0, qel::MeasureMarkup(text, box, f, viewport()).height);
    }
    return h + (text.toUpper().contains(QStringLiteral("<IMG")) ? 4 : 2);
}

void TqelHTMSimplelistbox::adaptHeight()
{
    int sum = dolnyOdstep_;
    for (int i = 0; i < count(); ++i)
        sum += measureItemHeight(i);
    applyHeight(sum);
}

TqelHTMSimplelistbox::ItemLayout TqelHTMSimplelistbox::itemLayout(int index, const QRect& itemRect) const
{
    ItemLayout layout;
    const QString text = item(index) ? item(index)->text() : QString();
    const QRect box = textBox(itemRect);
    const qsizetype bar = text.indexOf(u'|');
    layout.leftBox = box;
    if (bar < 0) {
        layout.left = text;
        return layout;
    }
    layout.left = text.left(bar);
    const QString right = text.mid(bar + 1);
    const int rightWidth = qel::MeasureMarkup(right, box, itemFont(index), viewport()).width;
    layout.right = right;
    if (minusRed_ && right.startsWith(u'-'))
        layout.right.prepend(QStringLiteral("<font color=\"%1\">").arg(minusRedColor_.name(QColor::HexRgb).toUpper()));
    layout.right.prepend(QStringLiteral("<p align=\"alRight\">"));
    layout.rightBox = box;
    // Right edges exclusive, as the original's: the amount, 4 pixels, the text.
    const int leftEdge = std::max(itemRect.x() + itemRect.width() - rightWidth - 4, viewport()->width() / 3);
    layout.leftBox.setWidth(std::max(0, leftEdge - box.x()));
    return layout;
}

void TqelHTMSimplelistbox::drawItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused)
{
    const bool shown = selected && !selectionInvisible_;
    QColor background = palette().color(QPalette::Base);
    QColor text = palette().color(QPalette::Text);
    if (shown) {
        background = selectionColor_;
        text = selectionFontColor_;
    } else if (sectionTitle_ && index == 0) {
        background = parentWidget() ? parentWidget()->palette().color(QPalette::Window) : background;
    } else if (sections_ && index % 2 == 0) {
        background = sectionColor_;
    }
    painter.save();
    painter.fillRect(rect, background);
    painter.setFont(itemFont(index));
    painter.setPen(text);
    qel::MarkupStyle style;
    style.linkColor = shown ? selectionFontColor_ : urlColor_;
    const ItemLayout layout = itemLayout(index, rect);
    if (!layout.right.isEmpty())
        qel::RenderMarkup(painter, layout.right, layout.rightBox, qel::MarkupMode::Draw, style);
    qel::RenderMarkup(painter, layout.left, layout.leftBox, qel::MarkupMode::Draw, style);
    if (dotLeft_ && index > 0) {
        const int boxLeft = textBox(rect).x();
        if (dotNumber_) {
            painter.setFont(SmallerByOnePoint(itemFont(index)));
            painter.drawText(QRect(rect.x(), rect.y() + 2, boxLeft - 2 - rect.x(), rect.height() - 2),
                             Qt::AlignRight | Qt::AlignTop, QString::number(index));
        } else {
            painter.drawText(QRect(rect.x(), rect.y(), boxLeft - 10 - rect.x(), rect.height()),
                             Qt::AlignRight | Qt::AlignTop, QStringLiteral("·"));
        }
    }
    if (focused)
        DrawFocus(painter, rect, this);
    painter.restore();
}

QString TqelHTMSimplelistbox::linkAt(const QPoint& point, int* index) const
{
    const int row = indexAt(point).row();
    if (index)
        *index = row;
    if (row < 0)
        return QString();
    const ItemLayout layout = itemLayout(row, visualRect(model()->index(row, 0)));
    const QFont f = itemFont(row);
    if (!layout.right.isEmpty()) {
        const QString link = qel::MeasureMarkup(layout.right, layout.rightBox, f, viewport()).linkAt(point);
        if (!link.isEmpty())
            return link;
    }
    return qel::MeasureMarkup(layout.left, layout.leftBox, f, viewport()).linkAt(point);
}

void TqelHTMSimplelistbox::mousePressEvent(QMouseEvent* event)
{
    int row = -1;
    const QString link = linkAt(event->position().toPoint(), &row);
    if (link.isEmpty()) {
        TqelHTMListBase::mousePressEvent(event);
        return;
    }
    if (OpensOutside(link))
        Opener()(link);
    else
        emit anchorClick(row, link);
}

void TqelHTMSimplelistbox::setHoveredLink(int index, const QString& link)
{
    if (link == hoveredLink_ && index == hoveredItem_)
        return;
    QToolTip::hideText();
    if (!hoveredLink_.isEmpty())
        emit anchorExit(hoveredItem_, hoveredLink_);
    hoveredItem_ = index;
    hoveredLink_ = link;
    if (link.isEmpty()) {
        viewport()->unsetCursor();
    } else {
        viewport()->setCursor(Qt::PointingHandCursor);
        emit anchorEnter(index, link);
    }
}

void TqelHTMSimplelistbox::mouseMoveEvent(QMouseEvent* event)
{
    TqelHTMListBase::mouseMoveEvent(event);
    int row = -1;
    const QString link = linkAt(event->position().toPoint(), &row);
    setHoveredLink(link.isEmpty() ? -1 : row, link);
}

void TqelHTMSimplelistbox::leaveEvent(QEvent* event)
{
    TqelHTMListBase::leaveEvent(event);
    setHoveredLink(-1, QString());
}

// ---- TqelHTMListbox ----

TqelHTMListbox::TqelHTMListbox(QWidget* parent) : TqelHTMListBase(parent)
{
    adaptHeight();
}

void TqelHTMListbox::addItem(const QString& markup, tQelObject* object)
{
    auto* it = new QListWidgetItem(markup);
    it->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
    QListWidget::addItem(it);
}

tQelObject* TqelHTMListbox::objectAt(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? reinterpret_cast<tQelObject*>(it->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

tQelObject* TqelHTMListbox::SelectedObject() const
{
    const QListWidgetItem* it = currentItem();
    return it && it->isSelected() ? objectAt(row(it)) : nullptr;
}

void TqelHTMListbox::SelectObject(const tQelObject* object)
{
    for (int i = 0; i < count(); ++i) {
        if (object && objectAt(i) == object) {
            setCurrentRow(i);
            return;
        }
    }
    clearSelection();
    setCurrentRow(-1);
}

bool TqelHTMListbox::SearchItem()
{
    qel::Prompt prompt;
    prompt.kind = qel::Prompt::Kind::Input;
    prompt.title = QStringLiteral("Wyszukaj");
    prompt.text = QStringLiteral("Podaj szukany ciąg znaków");
    prompt.value = lastSearch_;
    const qel::Reply reply = qel::Ask(prompt);
    if (!reply.accepted() || reply.text.isEmpty())
        return false;
    lastSearch_ = reply.text;
    // The texts as shown: a search for "font" must not find every item that has
    // a font tag.
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << qel::MarkupPlainText(item(i)->text());
    const int found = IndexContaining(shown, reply.text);
    if (found < 0)
        RaiseError(QStringLiteral("Nic nie znalazłem!"));
    setCurrentRow(found);
    emit clicked();
    return true;
}

int TqelHTMListbox::measureItemHeight(int index) const
{
    const QListWidgetItem* it = item(index);
    if (!it)
        return 0;
    const QRect box(0, 0, viewport()->width(), kMeasureHeight);
    return std::max(0, qel::MeasureMarkup(it->text(), box, font(), viewport()).height) + 2;
}

void TqelHTMListbox::adaptHeight()
{
    int sum = 0;
    for (int i = 0; i < count(); ++i)
        sum += measureItemHeight(i);
    applyHeight(sum);
}

void TqelHTMListbox::drawItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused)
{
    const bool shown = selected && !selectionInvisible_;
    painter.save();
    painter.fillRect(rect, shown ? selectionColor_ : palette().color(QPalette::Base));
    painter.setPen(shown ? selectionFontColor_ : palette().color(QPalette::Text));
    qel::MarkupStyle style;
    style.linkColor = shown ? selectionFontColor_ : urlColor_;
    qel::RenderMarkup(painter, item(index)->text(), rect.adjusted(1, 1, -1, -1), qel::MarkupMode::Draw, style);
    if (focused)
        DrawFocus(painter, rect, this);
    painter.restore();
}

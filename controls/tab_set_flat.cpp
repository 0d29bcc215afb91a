#include "controls/tab_set_flat.h"

#include "widgets/notebook.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyleOptionFocusRect>

namespace {

constexpr int kDefaultHeight = 27;
constexpr int kMaxTabHeight = 17;

// The original's rectangle: right and bottom are exclusive.
struct Box {
    int l, t, r, b;
    QRect rect() const { return QRect(l, t, r - l, b - t); }
    bool empty() const { return r <= l || b <= t; }
};

Box BoxOf(const QRect& q)
{
    return {q.x(), q.y(), q.x() + q.width(), q.y() + q.height()};
}

QString WithoutAmpersands(QString text)
{
    return text.remove(u'&');
}

}  // namespace

TqelTabSetFlat::TqelTabSetFlat(QWidget* parent) : QWidget(parent)
{
    items_ = {QStringLiteral("pierwsza"), QStringLiteral("druga"), QStringLiteral("trzecia")};
    QFont f(QFontDatabase::families().contains(QStringLiteral("Tahoma")) ? QStringLiteral("Tahoma")
                                                                         : QStringLiteral("Sans Serif"));
    f.setPixelSize(11);
    f.setBold(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(kDefaultHeight);
    connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
    grabMnemonics();
}

TqelTabSetFlat::~TqelTabSetFlat() = default;

QColor TqelTabSetFlat::color() const
{
    if (color_.isValid())
        return color_;
    return parentWidget() ? parentWidget()->palette().color(QPalette::Window) : palette().color(QPalette::Window);
}

QSize TqelTabSetFlat::sizeHint() const
{
    int w = startMargin_ + 1 + endMargin_;
    for (int i = 0; i < items_.size(); ++i)
        w += tabWidth(i);
    return QSize(w, kDefaultHeight);
}

void TqelTabSetFlat::setItems(const QStringList& items)
{
    items_ = items;
    tabIndex_ = 0;
    grabMnemonics();
    update();
}

void TqelTabSetFlat::setTabIndex(int v)
{
    if (v == tabIndex_)
        return;
    if (v < -1 || v >= items_.size())
        v = 0;
    tabIndex_ = v;
    runClick();
    update();
}

void TqelTabSetFlat::selectNext()
{
    setTabIndex(tabIndex_ + 1 >= items_.size() ? 0 : tabIndex_ + 1);
}

void TqelTabSetFlat::selectPrevious()
{
    setTabIndex(tabIndex_ <= 0 ? static_cast<int>(items_.size()) - 1 : tabIndex_ - 1);
}

void RunTabSetClick(QWidget* tabSet, int index, qel::Notebook* notebook, qel::Notebook* notebook2, QLabel* info)
{
    if (notebook)
        notebook->setPageIndex(index);
    if (notebook2)
        notebook2->setPageIndex(index);
    if (info && notebook && index >= 0 && index < notebook->count())
        info->setText(TqelTabSetFlat::descriptionOfPageName(notebook->pageName(index)));
    if (QWidget* w = tabSet->window()) {
        for (QObject* o : w->findChildren<QObject*>()) {
            if (o->property("tabSetFlat").value<QObject*>() == tabSet
                && o->metaObject()->indexOfProperty("itemIndex") >= 0)
                o->setProperty("itemIndex", index);
        }
    }
}

void TqelTabSetFlat::runClick()
{
    RunTabSetClick(this, tabIndex_, notebook_, notebook2_, infoLabel_);
    emit clicked();
}

QString TqelTabSetFlat::captionOfPageName(const QString& name)
{
    const QString n = QString(name).replace(u'<', u'|');
    const qsizetype bar = n.indexOf(u'|');
    return bar < 0 ? n : n.left(bar);
}

QString TqelTabSetFlat::descriptionOfPageName(const QString& name)
{
    const qsizetype bar = name.indexOf(u'|');
    return bar < 0 ? name : name.mid(bar + 1);
}

void TqelTabSetFlat::setNotebook(qel::Notebook* notebook)
{
    notebook_ = notebook;
    if (!notebook)
        return;
    items_.clear();
    for (const QString& name : notebook->pageNames())
        items_ << captionOfPageName(name);
    grabMnemonics();
    update();
}

QFont TqelTabSetFlat::captionFont(bool bold) const
{
    QFont f = font();
    f.setBold(bold);
    return f;
}

int TqelTabSetFlat::tabWidth(int index) const
{
    if (index < 0 || index >= items_.size())
        return 2 * textMargin_ + 4;
    return QFontMetrics(captionFont(true)).horizontalAdvance(WithoutAmpersands(items_[index])) + 2 * textMargin_;
}

QRect TqelTabSetFlat::tabRect(int index) const
{
    if (index < 0 || index >= items_.size())
        return QRect(-1, -1, 0, 0);
    const int areaLeft = startMargin_ + 1;
    const int areaRight = width() - endMargin_;
    int left = areaLeft;
    for (int i = 0; i < index; ++i)
        left += tabWidth(i);
    if (left >= areaRight)
        return QRect(areaRight, 0, 0, 0);
    const int right = std::min(left + tabWidth(index), areaRight);
    return Box{left, 0, right, height()}.rect();
}

int TqelTabSetFlat::tabAt(const QPoint& point) const
{
    for (int i = 0; i < items_.size(); ++i) {
        const QRect r = tabRect(i);
        if (r.isEmpty())
            break;
        if (r.contains(point))
            return i;
    }
    return -1;
}

int TqelTabSetFlat::visibleTabs() const
{
    int sum = 0;
    int n = 0;
    for (int i = 0; i < items_.size(); ++i) {
        sum += tabWidth(i);
        if (sum < width())
            ++n;
    }
    return n;
}

QString TqelTabSetFlat::visibleText() const
{
    return tabIndex_ >= 0 && tabIndex_ < items_.size() ? WithoutAmpersands(items_[tabIndex_]) : QString();
}

void TqelTabSetFlat::simulateInput(const QString& value)
{
    bool ok = false;
    const int index = value.trimmed().toInt(&ok);
    if (ok)
        setTabIndex(index);
}

void TqelTabSetFlat::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect area = event->rect();
    p.fillRect(area, color());
    for (int i = 0; i < items_.size(); ++i) {
        const QRect r = tabRect(i);
        if (r.isEmpty())
            break;
        drawTab(p, r, i == tabIndex_, i);
    }
    const QRect sel = tabRect(tabIndex_);
    if (frameStyle_ && tabIndex_ >= 0 && !sel.isEmpty()) {
        // The selected tab stays open towards its pages.
        const Box a = BoxOf(area);
        const Box s = BoxOf(sel);
        const int y = qelStyle_ == tQelTabStyle::Gorny ? a.b - 1 : a.t;
        const auto lines = [&](int at, const QColor& colour) {
            p.setPen(colour);
            if (s.l > a.l)
                p.drawLine(a.l, at, s.l - 1, at);
            if (s.r < a.r)
                p.drawLine(s.r, at, a.r - 1, at);
        };
        lines(y, palette().color(QPalette::Light));
        lines(y + 1, palette().color(QPalette::Dark));
    }
    if (downLine_) {
        p.setPen(downLineColor_);
        p.drawLine(0, height() - 1, width() - 1, height() - 1);
    }
    if (hasFocus() && !sel.isEmpty()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = sel.adjusted(2, margin_ + 2, -3, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void TqelTabSetFlat::drawTab(QPainter& p, QRect rect, bool selected, int index)
{
    Box r = BoxOf(rect);
    if (r.empty())
        return;
    const bool gorny = qelStyle_ == tQelTabStyle::Gorny;
    if (gorny)
        r.t += margin_;
    else
        r.b -= margin_;

    QFont f = captionFont(selected);
    if (hover_ && isEnabled() && index == hovered_)
        f.setUnderline(true);

    QColor background;
    QColor caption;
    if (selected) {
        background = frameStyle_ ? color() : selectedColor_;
        caption = selectedFontColor_;
    } else {
        background = frameStyle_ ? unselectedColor_ : color();
        caption = unselectedFontColor_;
    }

    if (!selected) {
        if (frameStyle_) {
            const int away = gorny ? 1 : -1;
            r.t += away;
            r.b += away;
        }
        if (index > tabIndex_)
            r.r += 1;
        else
            r.l -= 1;
    } else if (frameStyle_) {
        if (gorny)
            r.b += 1;
        else
            r.t -= 1;
    }
    r.r -= 1;
    r.b = std::min(r.b, r.t + kMaxTabHeight);

    if (selected || frameStyle_) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        p.setPen(light);
        p.drawLine(r.l, r.t, r.r - 1, r.t);
        p.drawLine(r.l, r.t, r.l, r.b - 1);
        p.setPen(dark);
        p.drawLine(r.l, r.b - 1, r.r - 1, r.b - 1);
        p.drawLine(r.r - 1, r.t, r.r - 1, r.b - 1);
        r = {r.l + 1, r.t + 1, r.r - 1, r.b - 1};
    }
    p.fillRect(r.rect(), background);
    if (selected)
        r.b -= 1;
    p.setFont(f);
    p.setPen(caption);
    p.drawText(r.rect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic,
               items_.value(index));
}

void TqelTabSetFlat::setHovered(int tab)
{
    if (tab == hovered_)
        return;
    hovered_ = tab;
    update();
}

void TqelTabSetFlat::mousePressEvent(QMouseEvent* event)
{
    setHovered(tabAt(event->position().toPoint()));
    if (event->button() == Qt::LeftButton) {
        const int tab = tabAt(event->position().toPoint());
        if (tab >= 0)
            setTabIndex(tab);
        return;
    }
    QWidget::mousePressEvent(event);
}

void TqelTabSetFlat::mouseReleaseEvent(QMouseEvent* event)
{
    setHovered(tabAt(event->position().toPoint()));
    QWidget::mouseReleaseEvent(event);
}

void TqelTabSetFlat::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    setHovered(rect().contains(at) ? tabAt(at) : -1);
}

void TqelTabSetFlat::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void TqelTabSetFlat::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    hovered_ = -1;
    if (isEnabled())
        update();
}

void TqelTabSetFlat::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: selectPrevious(); break;
    case Qt::Key_Right: selectNext(); break;
    case Qt::Key_Home: setTabIndex(0); break;
    case Qt::Key_End: setTabIndex(static_cast<int>(items_.size()) - 1); break;
    default: QWidget::keyPressEvent(event); return;
    }
}

void TqelTabSetFlat::grabMnemonics()
{
    for (int id : shortcuts_)
        releaseShortcut(id);
    shortcuts_.clear();
    for (const QString& caption : items_) {
        const QKeySequence key = QKeySequence::mnemonic(caption);
        shortcuts_ << (key.isEmpty() ? 0 : grabShortcut(key));  // ids are never 0
    }
}

bool TqelTabSetFlat::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        const int id = static_cast<QShortcutEvent*>(event)->shortcutId();
        const int tab = id == 0 ? -1 : static_cast<int>(shortcuts_.indexOf(id));
        if (tab >= 0) {
            setTabIndex(tab);
            return true;
        }
    }
    return QWidget::event(event);
}

#include "controls/clickable_label.h"

#include "controls/control_colors.h"
#include "controls/qel_panel.h"
#include "core/messages.h"
#include "print/markup_layout.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcutEvent>

namespace {

constexpr int kDecorationWidth = 16;

// Whether a menu entry has a handler of its own. Every menu holding the action
// listens to its triggered signal; any further receiver is the entry's handler.
// QObject keeps the receiver count to subclasses, this one only lends it.
struct SignalPeek : QObject {
    static bool hasOwnHandler(const QAction* action)
    {
        int n = (action->*(&SignalPeek::receivers))(SIGNAL(triggered(bool)));
        for (const QObject* o : action->associatedObjects()) {
            if (qobject_cast<const QMenu*>(o))
                --n;
        }
        return n > 0;
    }
};

QString ArrowText(bool dbl)
{
    return dbl ? QStringLiteral("»") : QStringLiteral("›");
}

}  // namespace

TqelClickableLabel::TqelClickableLabel(QWidget* parent) : QLabel(parent)
{
    init();
}

TqelClickableLabel::TqelClickableLabel(const QString& caption, QWidget* parent) : QLabel(parent)
{
    init();
    setText(caption);
}

void TqelClickableLabel::init()
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void TqelClickableLabel::setText(const QString& caption)
{
    QLabel::setText(caption);
    updateShortcut();
    updateGeometry();
    update();
}

void TqelClickableLabel::updateShortcut()
{
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(text());
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key);
}

#define QEL_SETTER(name, member)        \
    void TqelClickableLabel::name(bool v) \
    {                                   \
        member = v;                     \
        updateGeometry();               \
        update();                       \
    }
QEL_SETTER(setBorder, border_)
QEL_SETTER(setDotLeft, dotLeft_)
QEL_SETTER(setArrowRight, arrowRight_)
QEL_SETTER(setArrowRightDouble, arrowRightDouble_)
QEL_SETTER(setDropArrowRight, dropArrowRight_)
QEL_SETTER(setDownLine, downLine_)
QEL_SETTER(setHover, hover_)
QEL_SETTER(setHtmlAware, htmlAware_)
QEL_SETTER(setHtmlCenterText, htmlCenterText_)
#undef QEL_SETTER

void TqelClickableLabel::setInnerBorder(int v)
{
    innerBorder_ = std::max(0, v);
    updateGeometry();
    update();
}

void TqelClickableLabel::setColor(const QColor& c)
{
    color_ = c;
    update();
}

void TqelClickableLabel::setDropDownMenu(QMenu* menu)
{
    menu_ = menu;
    adoptMenuEntries(menu_);
    updateGeometry();
    update();
}

void TqelClickableLabel::adoptMenuEntries(QMenu* menu)
{
    if (!menu)
        return;
    static const char* const kAdopted = "qelLabelEntry";
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            adoptMenuEntries(action->menu());
            continue;
        }
        if (action->isSeparator() || action->property(kAdopted).toBool() ||
            SignalPeek::hasOwnHandler(action))
            continue;
        action->setProperty(kAdopted, true);
        connect(action, &QAction::triggered, this, [this, action] { menuEntryChosen(action); });
    }
}

void TqelClickableLabel::setFocusControl(QWidget* control)
{
    focusControl_ = control;
    update();
}

QString TqelClickableLabel::visibleText() const
{
    QString t = text();
    if (htmlAware_)
        return qel::MarkupPlainText(t);
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove(u'&');
    t.replace(u'\x01', u'&');
    return t.replace(u'|', u' ');
}

QColor TqelClickableLabel::parentColor() const
{
    const QWidget* p = parentWidget();
    return (p ? p->palette() : palette()).color(QPalette::Window);
}

QColor TqelClickableLabel::fillColor() const
{
    const QColor base = color_.isValid() ? color_ : parentColor();
    if (hover_ || dotLeft_)
        return mouseOver_ ? qel::Lighter(base) : base;
    if (pressed_)
        return qel::Darker(base);
    return mouseOver_ ? qel::Lighter(base) : base;
}

QRect TqelClickableLabel::textRect() const
{
    QRect r = rect().adjusted(innerBorder_, innerBorder_, -innerBorder_, -innerBorder_);
    if (border_)
        r.adjust(5, 1, -5, -1);
    if (dotLeft_)
        r.setLeft(r.left() + kDecorationWidth);
    if ((arrowRight_ || arrowRightDouble_) && !dropArrowRight_)
        r.setRight(r.right() - kDecorationWidth);
    return r;
}

QString TqelClickableLabel::markupCaption() const
{
    return htmlCenterText_ ? QStringLiteral("<p align=\"alCenter\">") + text() : text();
}

int TqelClickableLabel::textHeightFor(int width) const
{
    if (htmlAware_) {
        return qel::MeasureMarkup(markupCaption(), QRect(0, 0, std::max(1, width), 1 << 20), font(),
                                  const_cast<TqelClickableLabel*>(this))
            .height;
    }
    const int flags = Qt::TextShowMnemonic | (wordWrap() ? Qt::TextWordWrap : 0);
    return fontMetrics().boundingRect(QRect(0, 0, std::max(1, width), 1 << 20), flags, visibleCaption()).height();
}

QString TqelClickableLabel::visibleCaption() const
{
    QString t = text();
    if (dropArrowRight_ && (arrowRight_ || arrowRightDouble_))
        t += QStringLiteral("  ") + ArrowText(arrowRightDouble_);
    return t;
}

QSize TqelClickableLabel::sizeHint() const
{
    const int extraW = 2 * innerBorder_ + (border_ ? 10 : 0) + (dotLeft_ ? kDecorationWidth : 0) +
                       ((arrowRight_ || arrowRightDouble_) && !dropArrowRight_ ? kDecorationWidth : 0) +
                       ((menu_ || qobject_cast<TqelPanel*>(focusControl_)) ? kDecorationWidth : 0);
    const int extraH = 2 * innerBorder_ + (border_ ? 4 : 0);
    int w = 0;
    int h = 0;
    if (htmlAware_) {
        const qel::MarkupResult r = qel::MeasureMarkup(markupCaption(), QRect(0, 0, 1 << 20, 1 << 20), font(),
                                                       const_cast<TqelClickableLabel*>(this));
        w = r.width;
        h = r.height;
    } else {
        QString caption = visibleCaption();
        if (menu_)
            caption += QStringLiteral("      ");
        const QRect b = fontMetrics().boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::TextShowMnemonic, caption);
        w = b.width();
        h = b.height();
    }
    return {w + extraW, h + extraH};
}

QSize TqelClickableLabel::minimumSizeHint() const
{
    return wordWrap() ? QSize(0, heightForWidth(width())) : sizeHint();
}

bool TqelClickableLabel::hasHeightForWidth() const
{
    return wordWrap();
}

int TqelClickableLabel::heightForWidth(int width) const
{
    const int inner = width - 2 * innerBorder_ - (border_ ? 10 : 0) - (dotLeft_ ? kDecorationWidth : 0) -
                      ((arrowRight_ || arrowRightDouble_) && !dropArrowRight_ ? kDecorationWidth : 0);
    return textHeightFor(inner) + 2 * innerBorder_ + (border_ ? 4 : 0);
}

void TqelClickableLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), parentColor());
    QRect r = rect().adjusted(innerBorder_, innerBorder_, -innerBorder_, -innerBorder_);
    if (border_ || (!hover_ && mouseOver_)) {
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (border_)
        r.adjust(1, 1, -1, -1);
    p.fillRect(r, fillColor());

    const QColor textColor = isEnabled() ? palette().color(QPalette::WindowText) : QColor(0x80, 0x80, 0x80);
    auto* panel = qobject_cast<TqelPanel*>(focusControl_.data());
    if (menu_ || panel) {
        // A small triangle at the right: down for a menu or an open panel.
        const int s = std::max(3, fontMetrics().height() / 4);
        const QPoint c(r.right() - 2 * s, r.center().y());
        QPainterPath tri;
        if (!panel || panel->isExpanded()) {
            tri.moveTo(c.x() - s, c.y() - s / 2);
            tri.lineTo(c.x() + s, c.y() - s / 2);
            tri.lineTo(c.x(), c.y() + s / 2 + 1);
        } else {
            tri.moveTo(c.x() - s / 2, c.y() - s);
            tri.lineTo(c.x() - s / 2, c.y() + s);
            tri.lineTo(c.x() + s / 2 + 1, c.y());
        }
        tri.closeSubpath();
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(tri, textColor);
        p.setRenderHint(QPainter::Antialiasing, false);
    }

    QFont f = font();
    if ((hover_ || dotLeft_) && isEnabled() && mouseOver_)
        f.setUnderline(true);
    p.setFont(f);
    p.setPen(textColor);
    const QRect tr = textRect();
    if (htmlAware_) {
        qel::RenderMarkup(p, markupCaption(), tr, qel::MarkupMode::Draw);
    } else {
        const int vAlign = alignment() & Qt::AlignVertical_Mask ? alignment() & Qt::AlignVertical_Mask
                                                                 : Qt::AlignVCenter;
        if (dotLeft_)
            p.drawText(QRect(tr.left() - 10 - kDecorationWidth, tr.top(), kDecorationWidth, tr.height()),
                       Qt::AlignRight | vAlign, QStringLiteral("·"));
        if ((arrowRight_ || arrowRightDouble_) && !dropArrowRight_)
            p.drawText(QRect(tr.right() + 9 - kDecorationWidth, tr.top(), kDecorationWidth, tr.height()),
                       Qt::AlignRight | vAlign, ArrowText(arrowRightDouble_));
        const QString caption = text();
        const qsizetype bar = caption.indexOf(u'|');
        if (bar >= 0) {
            p.drawText(tr, Qt::AlignLeft | vAlign | Qt::TextSingleLine | Qt::TextShowMnemonic, caption.left(bar));
            QString right = caption.mid(bar + 1);
            if (dropArrowRight_ && (arrowRight_ || arrowRightDouble_))
                right += QStringLiteral("  ") + ArrowText(arrowRightDouble_);
            if (menu_)
                right += QStringLiteral("      ");
            QFont plain = f;
            plain.setBold(false);
            p.setFont(plain);
            p.drawText(tr, Qt::AlignRight | vAlign | Qt::TextSingleLine, right);
        } else {
            const int hAlign = alignment() & Qt::AlignHorizontal_Mask;
            const int wrap = wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
            p.drawText(tr, hAlign | vAlign | wrap | Qt::TextShowMnemonic, visibleCaption());
        }
    }
    if (downLine_ && !border_)
        p.fillRect(QRect(0, height() - 1, width(), 1), textColor);
}

void TqelClickableLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    pressed_ = true;
    mouseOver_ = true;
    update();
    if (menu_)
        dropDown();
}

void TqelClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    update();
    if (!menu_ && rect().contains(event->position().toPoint()))
        doClick();
}

void TqelClickableLabel::mouseMoveEvent(QMouseEvent* event)
{
    if (isEnabled() && !mouseOver_) {
        mouseOver_ = true;
        update();
    }
    QLabel::mouseMoveEvent(event);
}

void TqelClickableLabel::enterEvent(QEnterEvent* event)
{
    if (isEnabled()) {
        mouseOver_ = true;
        update();
    }
    QLabel::enterEvent(event);
}

void TqelClickableLabel::leaveEvent(QEvent* event)
{
    mouseOver_ = false;
    pressed_ = false;
    update();
    QLabel::leaveEvent(event);
}

bool TqelClickableLabel::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
        click();
        return true;
    }
    return QLabel::event(event);
}

void TqelClickableLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        mouseOver_ = false;
        pressed_ = false;
    }
    QLabel::changeEvent(event);
}

void TqelClickableLabel::click()
{
    if (!isEnabled())
        return;
    if (menu_)
        dropDown();
    else
        doClick();
}

void TqelClickableLabel::dropDown()
{
    if (!menu_)
        return;
    adoptMenuEntries(menu_);  // entries added since the menu was set
    menu_->popup(mapToGlobal(rect().bottomLeft() + QPoint(2, 2)));
}

bool TqelClickableLabel::hasClickReceivers() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&TqelClickableLabel::clicked));
}

void TqelClickableLabel::doClick()
{
    if (auto* panel = qobject_cast<TqelPanel*>(focusControl_.data())) {
        panel->toggle();
        update();
    }
    emit clicked();
}

void TqelClickableLabel::menuEntryChosen(QAction* action)
{
    const QString hint = action->statusTip();
    if (actAsComboToEdit_) {
        QString value = hint;
        if (value.isEmpty())
            value = action->text().remove(u'&');
        if (auto* edit = qobject_cast<QLineEdit*>(focusControl_.data())) {
            edit->setText(value);
            return;
        }
        if (auto* combo = qobject_cast<QComboBox*>(focusControl_.data())) {
            if (combo->isEditable())
                combo->setEditText(value);
            else
                combo->setCurrentIndex(combo->findText(value));
            return;
        }
    }
    if (!hint.isEmpty()) {
        // A hint is "short|long", as the menu shows it and as the message's
        // head line and detail.
        const qsizetype bar = hint.indexOf(u'|');
        ShowMessage(bar < 0 ? hint : hint.left(bar) + QStringLiteral("\r\n") + hint.mid(bar + 1));
    }
}

TQelInfoLabel::TQelInfoLabel(QWidget* parent) : TqelClickableLabel(QStringLiteral("?"), parent)
{
    setFixedSize(17, 15);
    setAlignment(Qt::AlignCenter);
    setColor(QColor(0xE1, 0xEA, 0xF2));
    setBorder(true);
    setHover(true);
    setHoverUnderline(true);
    setHoverFontColor(Qt::black);
    setToolTip(QStringLiteral("naciśnij, aby zobaczyć dodatkowe informacje"));
}

void TQelInfoLabel::doClick()
{
    if (!InfoText.isEmpty()) {
        ShowMessage(u'*' + InfoText.join(QStringLiteral("\r\n")));
        return;
    }
    if (!hasClickReceivers()) {
        ShowMessage(QStringLiteral("*Pomoc do tego miejsca nie jest dostępna.\r\n"
                                   "Nowsze wersje programu, także z uzupełnioną pomocą, pobierzesz przez "
                                   "automatyczną aktualizację lub ze strony www.qel.pl."));
        return;
    }
    TqelClickableLabel::doClick();
}

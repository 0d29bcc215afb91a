#include "controls/color_button.h"

#include "controls/control_colors.h"
#include "core/interaction.h"
#include "print/markup_layout.h"

#include <QDialog>
#include <QPainter>
#include <QStyleOptionFocusRect>

TqelColorButton::TqelColorButton(QWidget* parent) : QPushButton(parent)
{
    init();
}

TqelColorButton::TqelColorButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    init();
}

void TqelColorButton::init()
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &TqelColorButton::onClicked);
}

void TqelColorButton::setSingleLine(bool v)
{
    singleLine_ = v;
    updateGeometry();
    update();
}

void TqelColorButton::setBoldWhenDefault(bool v)
{
    boldWhenDefault_ = v;
    update();
}

void TqelColorButton::setHtmlAware(bool v)
{
    htmlAware_ = v;
    updateGeometry();
    update();
}

void TqelColorButton::setHtmlCenterText(bool v)
{
    htmlCenterText_ = v;
    update();
}

void TqelColorButton::setInnerBorder(int v)
{
    innerBorder_ = std::max(0, v);
    updateGeometry();
    update();
}

void TqelColorButton::setColor(const QColor& c)
{
    color_ = c;
    update();
}

void TqelColorButton::setKind(Kind kind)
{
    kind_ = kind;
    setDefault(kind == Kind::OK || kind == Kind::Yes);
    cancel_ = kind == Kind::Cancel || kind == Kind::No;
    switch (kind) {
    case Kind::OK: modalResult_ = qel::mrOk; break;
    case Kind::Cancel: modalResult_ = qel::mrCancel; break;
    case Kind::Yes: modalResult_ = qel::mrYes; break;
    case Kind::No: modalResult_ = qel::mrNo; break;
    case Kind::Abort: modalResult_ = qel::mrAbort; break;
    case Kind::Retry: modalResult_ = qel::mrRetry; break;
    case Kind::Ignore: modalResult_ = qel::mrIgnore; break;
    case Kind::All: modalResult_ = 8; break;
    default: modalResult_ = qel::mrNone; break;
    }
    static const QHash<Kind, QString> captions = {
        {Kind::OK, QStringLiteral("OK")},           {Kind::Cancel, QStringLiteral("Anuluj")},
        {Kind::Help, QStringLiteral("Pomo&c")},     {Kind::Yes, QStringLiteral("&Tak")},
        {Kind::No, QStringLiteral("&Nie")},         {Kind::Close, QStringLiteral("&Zamknij")},
        {Kind::Abort, QStringLiteral("&Przerwij")}, {Kind::Retry, QStringLiteral("Powtó&rz")},
        {Kind::Ignore, QStringLiteral("&Ignoruj")},
    };
    if (const auto it = captions.constFind(kind); it != captions.constEnd())
        setText(*it);
}

void TqelColorButton::onClicked()
{
    if (kind_ == Kind::Close) {
        window()->close();
        return;
    }
    // The kind's (or the set) modal result closes a modal window.
    if (modalResult_ != qel::mrNone) {
        if (auto* dialog = qobject_cast<QDialog*>(window()))
            dialog->done(modalResult_);
    }
}

QString TqelColorButton::shownCaption() const
{
    QString t = text();
    t.replace(QStringLiteral("\\n"), singleLine_ ? QStringLiteral(" ") : QStringLiteral("\n"));
    return t;
}

QString TqelColorButton::visibleText() const
{
    if (htmlAware_)
        return qel::MarkupPlainText(text());
    QString t = shownCaption();
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove(u'&');
    return t.replace(u'\x01', u'&');
}

QSize TqelColorButton::sizeHint() const
{
    QFont f = font();
    f.setBold(boldWhenDefault_);
    const QFontMetrics fm(f);
    const int pad = 2 * (innerBorder_ + 4);
    QSize used;
    if (htmlAware_) {
        const qel::MarkupResult r =
            qel::MeasureMarkup(text(), QRect(0, 0, 1 << 20, 1 << 20), f, const_cast<TqelColorButton*>(this));
        used = {r.width, r.height};
    } else {
        used = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::TextShowMnemonic, shownCaption()).size();
    }
    return QSize(std::max(75, used.width() + pad + 8), std::max(25, used.height() + pad));
}

void TqelColorButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QWidget* parent = parentWidget();
    p.fillRect(rect(), (parent ? parent->palette() : palette()).color(QPalette::Window));
    QRect r = rect().adjusted(innerBorder_, innerBorder_, -innerBorder_, -innerBorder_);
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const bool focused = hasFocus();
    if ((focused || isDown()) && !boldWhenDefault_)
        p.drawRect(r.adjusted(1, 1, -2, -2));

    const bool white = color_ == QColor(Qt::white);
    QColor face = color_;
    if (isDown())
        face = white ? qel::Darker(qel::Darker(color_)) : qel::Darker(color_);
    else if (mouseOver_)
        face = white ? qel::Darker(color_) : qel::Lighter(color_);
    const int inset = (focused || isDown()) && !boldWhenDefault_ ? 2 : 1;
    p.fillRect(r.adjusted(inset, inset, -inset, -inset), face);

    QFont f = font();
    f.setBold(boldWhenDefault_ && (focused || isDefault()));
    p.setFont(f);
    p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : QColor(0x80, 0x80, 0x80));
    const QRect tr = rect().adjusted(innerBorder_ + 4, innerBorder_ + 4, -innerBorder_ - 4, -innerBorder_ - 4);
    if (htmlAware_) {
        const QString markup = htmlCenterText_ ? QStringLiteral("<p align=\"alCenter\">") + text() : text();
        const int h = qel::MeasureMarkup(markup, tr, f, this).height;
        qel::RenderMarkup(p, markup, tr.adjusted(0, std::max(0, (tr.height() - h) / 2), 0, 0), qel::MarkupMode::Draw);
    } else {
        const int flags = Qt::AlignHCenter | Qt::TextShowMnemonic |
                          (singleLine_ ? Qt::AlignVCenter | Qt::TextSingleLine : Qt::AlignVCenter | Qt::TextWordWrap);
        p.drawText(tr, flags, shownCaption());
    }
    if (focused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = tr.adjusted(-2, -2, 2, 2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

void TqelColorButton::enterEvent(QEnterEvent* event)
{
    mouseOver_ = true;
    update();
    emit mouseEnter();
    QPushButton::enterEvent(event);
}

void TqelColorButton::leaveEvent(QEvent* event)
{
    mouseOver_ = false;
    update();
    emit mouseLeave();
    QPushButton::leaveEvent(event);
}

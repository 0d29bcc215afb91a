#include "widgets/date_edit.h"

#include "platform/clock.h"
#include "text/regional.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace qel {

namespace {

constexpr int kMaxLength = 10;
const QColor kInvalidColor(0xFF, 0xD0, 0xD0);

int ExpandYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() == 2)
        return year < 50 ? 2000 + year : 1900 + year;
    return digits.size() == 4 ? year : -1;
}

bool IsSeparator(QChar c)
{
    return c == u'-' || c == u'.' || c == u'/';
}

}  // namespace

QDate ParseTypedDate(const QString& text)
{
    const QString t = text.trimmed();
    int day = 0;
    int month = 0;
    int year = -1;
    static const QRegularExpression compact(QStringLiteral("^(\\d{2})(\\d{2})(\\d{4})$"));
    static const QRegularExpression parts(QStringLiteral("^(\\d{1,4})[-./](\\d{1,2})[-./](\\d{1,4})$"));
    if (const auto m = compact.match(t); m.hasMatch()) {
        day = m.captured(1).toInt();
        month = m.captured(2).toInt();
        year = m.captured(3).toInt();
    } else if (const auto p = parts.match(t); p.hasMatch()) {
        month = p.captured(2).toInt();
        if (p.captured(1).size() == 4 && p.captured(3).size() <= 2) {
            year = p.captured(1).toInt();
            day = p.captured(3).toInt();
        } else if (p.captured(1).size() <= 2) {
            day = p.captured(1).toInt();
            year = ExpandYear(p.captured(3));
        }
    }
    if (year < 1900)
        return QDate();
    return QDate(year, month, day);  // invalid for 31-02 and the like
}

QString DateEditText(const QDate& date)
{
    if (!date.isValid())
        return QString();
    const QChar sep = Regional().dateSeparator;
    return date.toString(QStringLiteral("dd")) + sep + date.toString(QStringLiteral("MM")) + sep
           + date.toString(QStringLiteral("yyyy"));
}

QValidator::State DateEditValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    if (input.size() > kMaxLength)
        return Invalid;
    for (QChar c : input) {
        if (!(c.isDigit() && c.unicode() < 128) && !IsSeparator(c) && c != u' ')
            return Invalid;
    }
    return ParseTypedDate(input).isValid() ? Acceptable : Intermediate;
}

DateEdit::DateEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new DateEditValidator(this));
    button_ = new QToolButton(this);
    button_->setArrowType(Qt::DownArrow);
    button_->setCursor(Qt::ArrowCursor);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setToolTip(QStringLiteral("Kalendarz"));
    connect(button_, &QToolButton::clicked, this, &DateEdit::showCalendar);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { takeText(text, false); });
}

TDateTime DateEdit::date() const
{
    return date_.isValid() ? ToDateTime(date_) : 0;
}

void DateEdit::setDate(TDateTime date)
{
    setQDate(date == 0 ? QDate() : DateOf(date));
}

void DateEdit::setQDate(const QDate& date)
{
    const QDate d = date.isValid() && date.year() >= 1900 ? date : QDate();
    const bool differs = d != date_ || invalid_;
    date_ = d;
    invalid_ = false;
    QLineEdit::setText(DateEditText(d));
    showMark();
    if (differs)
        emit changed();
}

void DateEdit::setText(const QString& text)
{
    takeText(text, true);
}

void DateEdit::simulateInput(const QString& value)
{
    // What the keyboard could not type (letters) is refused as typing is.
    QString text = value;
    int pos = 0;
    if (validator()->validate(text, pos) != QValidator::Invalid)
        takeText(value, true);
}

void DateEdit::takeText(const QString& text, bool tidy)
{
    const QDate d = ParseTypedDate(text);
    const bool invalid = !d.isValid() && !text.trimmed().isEmpty();
    const bool differs = d != date_ || invalid != invalid_ || (invalid && text != QLineEdit::text());
    date_ = d;
    invalid_ = invalid;
    if (tidy || text != QLineEdit::text())
        QLineEdit::setText(d.isValid() && tidy ? DateEditText(d) : text);
    // While the user is still typing an incomplete date, no mark yet.
    if (tidy || !hasFocus() || d.isValid() || text.size() >= kMaxLength)
        showMark();
    if (differs)
        emit changed();
}

void DateEdit::showMark()
{
    QPalette p = palette();
    p.setColor(QPalette::Base, invalid_ ? kInvalidColor : QApplication::palette(this).color(QPalette::Base));
    setPalette(p);
    setToolTip(invalid_ ? QStringLiteral("Nieprawidłowa data: %1").arg(QLineEdit::text()) : QString());
}

void DateEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (isCalendarShown())
        return;
    // Put a valid date in its four-digit form; leave anything else as typed.
    takeText(QLineEdit::text(), date_.isValid());
    showMark();
}

void DateEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int w = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    button_->setGeometry(width() - w - 1, 1, w, height() - 2);
    setTextMargins(0, 0, w, 0);
}

QCalendarWidget* DateEdit::calendar()
{
    if (!calendar_) {
        popup_ = new QWidget(this, Qt::Popup);
        auto* layout = new QVBoxLayout(popup_);
        layout->setContentsMargins(1, 1, 1, 1);
        calendar_ = new QCalendarWidget(popup_);
        calendar_->setFirstDayOfWeek(Qt::Monday);
        calendar_->setGridVisible(true);
        layout->addWidget(calendar_);
        connect(calendar_, &QCalendarWidget::clicked, this, &DateEdit::pick);
        connect(calendar_, &QCalendarWidget::activated, this, &DateEdit::pick);
    }
    return calendar_;
}

bool DateEdit::isCalendarShown() const
{
    return popup_ && popup_->isVisible();
}

void DateEdit::showCalendar()
{
    QCalendarWidget* cal = calendar();
    cal->setSelectedDate(date_.isValid() ? date_ : Today());
    popup_->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + popup_->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - popup_->width())));
    }
    popup_->move(at);
    popup_->show();
    cal->setFocus();
}

void DateEdit::pick(const QDate& date)
{
    if (popup_)
        popup_->hide();
    setQDate(date);
    setFocus();
}

}  // namespace qel

#pragma once

#include "platform/datetime.h"

#include <QDate>
#include <QLineEdit>
#include <QValidator>

class QCalendarWidget;
class QToolButton;

namespace qel {

// A date typed by a user: "21-12-2002" (any of "-", ".", "/" between the
// parts), "2002-12-21", "21122002", a two-digit year taken as 1950-2049.
// An invalid QDate for anything else (also 31-02-2002) and for years before 1900.
QDate ParseTypedDate(const QString& text);

// "21-12-2002": day, month and four-digit year with the regional separator.
QString DateEditText(const QDate& date);

// The date edit: typed with the keyboard or picked from a calendar that drops
// down under it (the button, F4 or Alt+Down). An empty edit reads 0. Text that
// is no date is neither thrown away nor corrected: it stays as typed, marked in
// red with a tool tip, and the edit reads 0 until it is put right.
class DateEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double date READ date WRITE setDate NOTIFY changed)
    // Hides QLineEdit's text so that form storage and property access parse it.
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY changed)

public:
    explicit DateEdit(QWidget* parent = nullptr);

    // The date as days since 1899-12-30; 0 when empty or invalid.
    TDateTime date() const;
    void setDate(TDateTime date);
    QDate qdate() const { return date_; }
    void setQDate(const QDate& date);

    QString text() const { return QLineEdit::text(); }
    void setText(const QString& text);

    // Non-empty text that holds no date.
    bool isInvalid() const { return invalid_; }

    Q_INVOKABLE QString visibleText() const { return QLineEdit::text(); }

    // The drop-down calendar: shown under the edit, the current date selected.
    void showCalendar();
    QCalendarWidget* calendar();
    bool isCalendarShown() const;

public slots:
    // Takes a date as yyyy-mm-dd or as typed; empty text empties the edit;
    // letters are refused.
    void simulateInput(const QString& value);

signals:
    // The date or the text changed, by typing, by the calendar or from code.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void takeText(const QString& text, bool tidy);
    void showMark();
    void pick(const QDate& date);

    QDate date_;
    bool invalid_ = false;
    QToolButton* button_;
    QWidget* popup_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
};

// Lets through digits and date separators, at most ten characters.
class DateEditValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace qel

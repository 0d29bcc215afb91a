#pragma once

#include <QStringList>
#include <QTableWidget>

// A grid of labelled values: a fixed header row, the labels in a fixed first
// column 80 pixels wide, the values in the second column, which fills the rest;
// rows 17 pixels high; Enter moves down.
class TqelUserInfo : public QTableWidget {
    Q_OBJECT
public:
    explicit TqelUserInfo(const QStringList& labels, QWidget* parent = nullptr);

    QStringList labels() const { return labels_; }
    QStringList values() const;
    void setValues(const QStringList& values);

    // For each row, format filled with (label, value) is added to lines.
    void formatLines(const QString& format, QStringList& lines) const;

    Q_INVOKABLE QString visibleText() const;  // "label: value" lines

public slots:
    // Types value into the current row (the first one when none is current),
    // as a user's editing would.
    void simulateInput(const QString& value);

signals:
    void editingEnded();

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void moveDown();

    QStringList labels_;
};

// The sender's own data ("Dane użytkownika" of the current user's settings):
// loaded on creation, written back whenever the editing of a cell ends and when
// the grid goes.
class TqelUserData : public TqelUserInfo {
    Q_OBJECT
public:
    explicit TqelUserData(QWidget* parent = nullptr);
    ~TqelUserData() override;

    // Valid when "Imię" has at least 2 characters, "Nazwisko" 3, "Adres" 6 and
    // "Miasto" 4 (blanks around them not counted); otherwise says what is missing.
    bool validate() const;
    static bool IsComplete(const QStringList& values);

    void save() const;
};

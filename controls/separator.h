#pragma once

#include <QColor>
#include <QWidget>

// A one-pixel rule in the program's green.
class TqelSeparator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ color WRITE setColor)
public:
    explicit TqelSeparator(Qt::Orientation orientation = Qt::Vertical, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& c);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_{0x2E, 0x7C, 0x73};
};

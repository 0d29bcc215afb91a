#pragma once

#include "print/markup_layout.h"

#include <QWidget>

namespace qel {

// A label whose caption is inline mark-up, drawn by the same layout as the
// printed documents. It sizes itself to its text (height for its width when it
// wraps, both when it does not) and reports clicks on links.
class MarkupLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap)

public:
    explicit MarkupLabel(QWidget* parent = nullptr);
    explicit MarkupLabel(const QString& text, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    // Text colour of links; blue and underlined unless changed.
    void setLinkStyle(const MarkupStyle& style);
    // Fills the background with this colour (invalid: transparent).
    void setBackground(const QColor& color);

    // The links as laid out now, in widget coordinates.
    QList<MarkupLink> links() const;
    Q_INVOKABLE QString visibleText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return wordWrap_; }
    int heightForWidth(int width) const override;

signals:
    void linkClicked(const QString& href);

public slots:
    // What a click on the link with this href does.
    void clickLink(const QString& href);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect layoutRect(int width) const;
    MarkupResult layout(int width) const;
    void fitSize();

    QString text_;
    bool autoSize_ = true;
    bool wordWrap_ = true;
    bool fitting_ = false;
    MarkupStyle style_;
    QColor background_;
};

}  // namespace qel

#pragma once

#include <QColor>
#include <QPushButton>

// The program's owner-drawn button: flat frame, lighter face under the mouse,
// darker while pressed, bold caption when it is the default button.
class TqelColorButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(bool SingleLine READ singleLine WRITE setSingleLine)
    Q_PROPERTY(bool BoldWhenDefault READ boldWhenDefault WRITE setBoldWhenDefault)
    Q_PROPERTY(bool HtmlAware READ htmlAware WRITE setHtmlAware)
    Q_PROPERTY(bool HtmlCenterText READ htmlCenterText WRITE setHtmlCenterText)
    Q_PROPERTY(int InnerBorder READ innerBorder WRITE setInnerBorder)
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    enum class Kind { Custom, OK, Cancel, Help, Yes, No, Close, Abort, Retry, Ignore, All };
    Q_ENUM(Kind)

    explicit TqelColorButton(QWidget* parent = nullptr);
    explicit TqelColorButton(const QString& caption, QWidget* parent = nullptr);

    bool singleLine() const { return singleLine_; }
    void setSingleLine(bool v);
    bool boldWhenDefault() const { return boldWhenDefault_; }
    void setBoldWhenDefault(bool v);
    bool htmlAware() const { return htmlAware_; }
    void setHtmlAware(bool v);
    bool htmlCenterText() const { return htmlCenterText_; }
    void setHtmlCenterText(bool v);
    int innerBorder() const { return innerBorder_; }
    void setInnerBorder(int v);
    // Face colour; white unless set.
    QColor color() const { return color_; }
    void setColor(const QColor& c);
    Kind kind() const { return kind_; }
    // Sets default/cancel role, modal result and the Polish caption of the kind.
    void setKind(Kind kind);
    int modalResult() const { return modalResult_; }
    void setModalResult(int r) { modalResult_ = r; }
    bool isCancel() const { return cancel_; }
    void setCancel(bool v) { cancel_ = v; }

    bool isMouseOver() const { return mouseOver_; }

    Q_INVOKABLE QString visibleText() const;
    QSize sizeHint() const override;

signals:
    void mouseEnter();
    void mouseLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void init();
    void onClicked();
    QString shownCaption() const;

    bool singleLine_ = true;
    bool boldWhenDefault_ = true;
    bool htmlAware_ = false;
    bool htmlCenterText_ = false;
    int innerBorder_ = 2;
    QColor color_{Qt::white};
    Kind kind_ = Kind::Custom;
    int modalResult_ = 0;
    bool cancel_ = false;
    bool mouseOver_ = false;
};

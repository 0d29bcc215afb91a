#pragma once

#include <QColor>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QStringList>

class QAction;

// A label that acts like a link or a button: hover highlight, optional frame,
// dot or arrow decorations, a drop-down menu, mark-up captions, and a panel it
// collapses and expands when its focus control is a TqelPanel.
class TqelClickableLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int InnerBorder READ innerBorder WRITE setInnerBorder)
    Q_PROPERTY(bool Border READ border WRITE setBorder)
    Q_PROPERTY(bool DotLeft READ dotLeft WRITE setDotLeft)
    Q_PROPERTY(bool ArrowRight READ arrowRight WRITE setArrowRight)
    Q_PROPERTY(bool ArrowRightDouble READ arrowRightDouble WRITE setArrowRightDouble)
    Q_PROPERTY(bool DropArrowRight READ dropArrowRight WRITE setDropArrowRight)
    Q_PROPERTY(bool DownLine READ downLine WRITE setDownLine)
    Q_PROPERTY(bool Hover READ hover WRITE setHover)
    Q_PROPERTY(bool HoverUnderline READ hoverUnderline WRITE setHoverUnderline)
    Q_PROPERTY(QColor HoverFontColor READ hoverFontColor WRITE setHoverFontColor)
    Q_PROPERTY(bool HtmlAware READ htmlAware WRITE setHtmlAware)
    Q_PROPERTY(bool HtmlCenterText READ htmlCenterText WRITE setHtmlCenterText)
    Q_PROPERTY(bool ActAsComboToEdit READ actAsComboToEdit WRITE setActAsComboToEdit)
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    explicit TqelClickableLabel(QWidget* parent = nullptr);
    explicit TqelClickableLabel(const QString& caption, QWidget* parent = nullptr);

    int innerBorder() const { return innerBorder_; }
    void setInnerBorder(int v);
    bool border() const { return border_; }
    void setBorder(bool v);
    bool dotLeft() const { return dotLeft_; }
    void setDotLeft(bool v);
    bool arrowRight() const { return arrowRight_; }
    void setArrowRight(bool v);
    bool arrowRightDouble() const { return arrowRightDouble_; }
    void setArrowRightDouble(bool v);
    bool dropArrowRight() const { return dropArrowRight_; }
    void setDropArrowRight(bool v);
    bool downLine() const { return downLine_; }
    void setDownLine(bool v);
    bool hover() const { return hover_; }
    void setHover(bool v);
    bool hoverUnderline() const { return hoverUnderline_; }
    void setHoverUnderline(bool v) { hoverUnderline_ = v; }
    QColor hoverFontColor() const { return hoverFontColor_; }
    void setHoverFontColor(const QColor& c) { hoverFontColor_ = c; }
    bool htmlAware() const { return htmlAware_; }
    void setHtmlAware(bool v);
    bool htmlCenterText() const { return htmlCenterText_; }
    void setHtmlCenterText(bool v);
    bool actAsComboToEdit() const { return actAsComboToEdit_; }
    void setActAsComboToEdit(bool v) { actAsComboToEdit_ = v; }
    // Fill colour; invalid (the default) means the parent's background.
    QColor color() const { return color_; }
    void setColor(const QColor& c);

    QMenu* dropDownMenu() const { return menu_; }
    void setDropDownMenu(QMenu* menu);
    // A TqelPanel here is collapsed and expanded by clicks; an edit or combo
    // box receives the menu entries' texts with ActAsComboToEdit.
    QWidget* focusControl() const { return focusControl_; }
    void setFocusControl(QWidget* control);

    bool isMouseOver() const { return mouseOver_; }
    bool isPressed() const { return pressed_; }

    Q_INVOKABLE QString visibleText() const;
    // Hides QLabel::setText so that the accelerator follows the caption.
    void setText(const QString& caption);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

signals:
    void clicked();

public slots:
    // What a mouse click does: drops the menu down, toggles the panel, or
    // fires clicked().
    void click();
    void dropDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Runs clicked() and the panel toggle; TQelInfoLabel adds its message.
    virtual void doClick();
    bool hasClickReceivers() const;

private:
    void init();
    void adoptMenuEntries(QMenu* menu);
    void menuEntryChosen(QAction* action);
    void updateShortcut();
    QColor fillColor() const;
    QColor parentColor() const;
    QRect textRect() const;
    QString markupCaption() const;
    QString visibleCaption() const;
    int textHeightFor(int width) const;

    int innerBorder_ = 0;
    bool border_ = false;
    bool dotLeft_ = false;
    bool arrowRight_ = false;
    bool arrowRightDouble_ = false;
    bool dropArrowRight_ = false;
    bool downLine_ = false;
    bool hover_ = false;
    bool hoverUnderline_ = false;
    QColor hoverFontColor_;
    bool htmlAware_ = false;
    bool htmlCenterText_ = false;
    bool actAsComboToEdit_ = false;
    QColor color_;
    QPointer<QMenu> menu_;
    QPointer<QWidget> focusControl_;
    bool mouseOver_ = false;
    bool pressed_ = false;
    int shortcutId_ = 0;
};

// The small "?" that explains the control beside it.
class TQelInfoLabel : public TqelClickableLabel {
    Q_OBJECT
public:
    explicit TQelInfoLabel(QWidget* parent = nullptr);

    QStringList InfoText;

protected:
    void doClick() override;
};

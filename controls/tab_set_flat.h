#pragma once

#include "widgets/notebook.h"

#include <QColor>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QPainter;

enum class tQelTabStyle { Gorny, Dolny };

// The click both tab sets share: the linked notebooks turn to the page, the info
// label shows the page's long description, and the window's step lists linked
// to the tab set (through their tabSetFlat property) take the index.
void RunTabSetClick(QWidget* tabSet, int index, qel::Notebook* notebook, qel::Notebook* notebook2, QLabel* info);

// The program's flat row of tabs: captions side by side, the selected one bold
// and boxed, the one under the mouse underlined, a coloured line along the
// bottom. It holds only captions and the selected index; it switches a linked
// notebook's pages and shows the long description of the selected page in a
// linked label. Page names may read "short | long description".
//
// Rectangles follow the original's convention: width = right - left, so a
// QRect(x, y, w, h) covers x .. x + w - 1; a tab not in the list is
// QRect(-1, -1, 0, 0), a tab beyond the visible area an empty rectangle.
//
// Keyboard: reached with Tab, Left/Right (and Home/End) move the selection, and
// Alt with a caption's "&" letter selects that tab from anywhere in the window.
class TqelTabSetFlat : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int tabIndex READ tabIndex WRITE setTabIndex)
    Q_PROPERTY(QStringList items READ items WRITE setItems)

public:
    explicit TqelTabSetFlat(QWidget* parent = nullptr);
    ~TqelTabSetFlat() override;

    bool frameStyle() const { return frameStyle_; }
    void setFrameStyle(bool on) { frameStyle_ = on; update(); }
    int startMargin() const { return startMargin_; }
    void setStartMargin(int px) { startMargin_ = px; update(); }
    int endMargin() const { return endMargin_; }
    void setEndMargin(int px) { endMargin_ = px; update(); }
    bool hover() const { return hover_; }
    void setHover(bool on) { hover_ = on; update(); }
    bool downLine() const { return downLine_; }
    void setDownLine(bool on) { downLine_ = on; update(); }
    QColor downLineColor() const { return downLineColor_; }
    void setDownLineColor(const QColor& c) { downLineColor_ = c; update(); }
    QColor selectedColor() const { return selectedColor_; }
    void setSelectedColor(const QColor& c) { selectedColor_ = c; update(); }
    QColor selectedFontColor() const { return selectedFontColor_; }
    void setSelectedFontColor(const QColor& c) { selectedFontColor_ = c; update(); }
    QColor unselectedColor() const { return unselectedColor_; }
    void setUnselectedColor(const QColor& c) { unselectedColor_ = c; update(); }
    QColor unselectedFontColor() const { return unselectedFontColor_; }
    void setUnselectedFontColor(const QColor& c) { unselectedFontColor_ = c; update(); }
    // The strip's background; the parent's colour unless set.
    QColor color() const;
    void setColor(const QColor& c) { color_ = c; update(); }
    tQelTabStyle qelStyle() const { return qelStyle_; }
    void setQelStyle(tQelTabStyle style) { qelStyle_ = style; update(); }
    int margin() const { return margin_; }
    void setMargin(int px) { margin_ = px; update(); }
    int textMargin() const { return textMargin_; }
    void setTextMargin(int px) { textMargin_ = px; update(); }

    QStringList items() const { return items_; }
    // Copies the captions, selects tab 0 and repaints.
    void setItems(const QStringList& items);

    int tabIndex() const { return tabIndex_; }
    // Selects v (v below -1 or past the last tab: 0), runs the click and
    // repaints; the current index again does nothing.
    void setTabIndex(int v);
    void selectNext();
    void selectPrevious();

    int visibleTabs() const;
    int hoveredTab() const { return hovered_; }

    qel::Notebook* notebook() const { return notebook_; }
    // Links the notebook and takes the captions from its page names; the index
    // stays and no click fires.
    void setNotebook(qel::Notebook* notebook);
    qel::Notebook* notebook2() const { return notebook2_; }
    void setNotebook2(qel::Notebook* notebook) { notebook2_ = notebook; }
    QLabel* infoLabel() const { return infoLabel_; }
    void setInfoLabel(QLabel* label) { infoLabel_ = label; }

    QRect tabRect(int index) const;
    int tabAt(const QPoint& point) const;
    virtual int tabWidth(int index) const;

    // The caption of a page name: "<" read as "|", the part before the first "|".
    static QString captionOfPageName(const QString& name);
    // The long description: what follows the first "|", or the whole name.
    static QString descriptionOfPageName(const QString& name);

    QSize sizeHint() const override;

    Q_INVOKABLE QString visibleText() const;

public slots:
    // The index as text, chosen as a click on that tab would.
    void simulateInput(const QString& value);

signals:
    // After every change of the selection.
    void clicked();
    void doubleClicked();

protected:
    virtual void drawTab(QPainter& painter, QRect r, bool selected, int index);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    QFont captionFont(bool bold) const;
    void runClick();
    void setHovered(int tab);
    void grabMnemonics();

    bool frameStyle_ = false;
    int startMargin_ = 5;
    int endMargin_ = 0;
    bool hover_ = true;
    bool downLine_ = true;
    QColor downLineColor_{0x2E, 0x7C, 0x73};
    QColor selectedColor_{Qt::white};
    QColor selectedFontColor_{Qt::black};
    QColor unselectedColor_{Qt::black};
    QColor unselectedFontColor_{Qt::black};
    QColor color_;
    tQelTabStyle qelStyle_ = tQelTabStyle::Gorny;
    int margin_ = 5;
    int textMargin_ = 5;
    QStringList items_;
    int tabIndex_ = 0;
    int hovered_ = -1;
    QList<int> shortcuts_;
    QPointer<qel::Notebook> notebook_;
    QPointer<qel::Notebook> notebook2_;
    QPointer<QLabel> infoLabel_;
};

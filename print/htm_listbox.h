#pragma once

#include <QColor>
#include <QListWidget>
#include <QString>

#include <functional>

class QPainter;
class tQelObject;

// How a list box sits in its parent: only a list on the top or bottom edge
// adapts its height to its items.
enum class TqelAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Shared by the two mark-up list boxes: each item is one text of the inline
// mark-up, measured and drawn by the mark-up layer, in an owner-drawn list
// whose items have their own heights.
class TqelHTMListBase : public QListWidget {
    Q_OBJECT

public:
    explicit TqelHTMListBase(QWidget* parent = nullptr);
    ~TqelHTMListBase() override;

    TqelAlign align() const { return align_; }
    void setAlign(TqelAlign align);
    QColor selectionColor() const { return selectionColor_; }
    void setSelectionColor(const QColor& c) { selectionColor_ = c; viewport()->update(); }
    QColor selectionFontColor() const { return selectionFontColor_; }
    void setSelectionFontColor(const QColor& c) { selectionFontColor_ = c; viewport()->update(); }
    QColor urlColor() const { return urlColor_; }
    void setUrlColor(const QColor& c) { urlColor_ = c; viewport()->update(); }
    bool selectionInvisible() const { return selectionInvisible_; }
    void setSelectionInvisible(bool on) { selectionInvisible_ = on; viewport()->update(); }

    virtual int measureItemHeight(int index) const = 0;
    virtual void adaptHeight() = 0;
    // Draws item index in rect (the delegate's part).
    virtual void drawItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused) = 0;

    // The items as they read, one a line.
    Q_INVOKABLE QString visibleText() const;

signals:
    // A plain click on an item, and a search that found one.
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The height the list needs for its items: frame + items + extra.
    void applyHeight(int itemsHeight);

    TqelAlign align_ = TqelAlign::alNone;
    QColor selectionColor_{Qt::black};
    QColor selectionFontColor_{Qt::white};
    QColor urlColor_{Qt::black};
    bool selectionInvisible_ = false;
};

// The program's own mark-up list: two-part items "left text|right amount" with
// negative amounts in red, alternating section colours, bullets or numbers,
// links and an automatic height.
class TqelHTMSimplelistbox : public TqelHTMListBase {
    Q_OBJECT

public:
    explicit TqelHTMSimplelistbox(QWidget* parent = nullptr);

    QColor sectionColor() const { return sectionColor_; }
    void setSectionColor(const QColor& c) { sectionColor_ = c; viewport()->update(); }
    bool sections() const { return sections_; }
    void setSections(bool on) { sections_ = on; viewport()->update(); }
    bool sectionTitle() const { return sectionTitle_; }
    void setSectionTitle(bool on);
    bool dotLeft() const { return dotLeft_; }
    void setDotLeft(bool on);
    bool dotNumber() const { return dotNumber_; }
    void setDotNumber(bool on) { dotNumber_ = on; viewport()->update(); }
    bool minusRed() const { return minusRed_; }
    void setMinusRed(bool on) { minusRed_ = on; viewport()->update(); }
    QColor minusRedColor() const { return minusRedColor_; }
    void setMinusRedColor(const QColor& c) { minusRedColor_ = c; viewport()->update(); }
    int dolnyOdstep() const { return dolnyOdstep_; }
    void setDolnyOdstep(int px);

    int measureItemHeight(int index) const override;
    void adaptHeight() override;
    void drawItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused) override;

    // An item's parts as they are drawn in its rectangle.
    struct ItemLayout {
        QString left;      // the whole item when it has no right part
        QString right;     // with its alignment and colour tags; empty without "|"
        QRect leftBox;
        QRect rightBox;
    };
    ItemLayout itemLayout(int index, const QRect& itemRect) const;

    // The link under a point of the viewport; empty when none.
    QString linkAt(const QPoint& point, int* index = nullptr) const;

    // Opens "://" and "mailto:" links; the desktop's handler unless replaced
    // (tests replace it, so that nothing opens).
    using UrlOpener = std::function<void(const QString&)>;
    static UrlOpener setUrlOpener(UrlOpener opener);

signals:
    void anchorClick(int index, const QString& link);
    void anchorEnter(int index, const QString& link);
    void anchorExit(int index, const QString& link);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRect textBox(const QRect& itemRect) const;
    QFont itemFont(int index) const;
    void setHoveredLink(int index, const QString& link);

    QColor sectionColor_{0xF0, 0xF2, 0xE3};
    bool sections_ = false;
    bool sectionTitle_ = false;
    bool dotLeft_ = false;
    bool dotNumber_ = false;
    bool minusRed_ = true;
    QColor minusRedColor_{0xCC, 0x00, 0x00};
    int dolnyOdstep_ = 4;
    int hoveredItem_ = -1;
    QString hoveredLink_;
};

// The mark-up list with objects: an invisible-selection mode, an automatic
// height, lookup by object and a search.
class TqelHTMListbox : public TqelHTMListBase {
    Q_OBJECT

public:
    explicit TqelHTMListbox(QWidget* parent = nullptr);

    void addItem(const QString& markup, tQelObject* object = nullptr);
    tQelObject* objectAt(int index) const;

    tQelObject* SelectedObject() const;
    // Selects the item that holds the object; none found: no selection.
    void SelectObject(const tQelObject* object);
    // Asks for a text and selects the first item containing it (case ignored),
    // firing clicked(); false for an empty answer; "Nic nie znalazłem!" is
    // raised when no item contains it.
    bool SearchItem();

    int measureItemHeight(int index) const override;
    void adaptHeight() override;
    void drawItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused) override;

private:
    QString lastSearch_;
};

#include "controls/tab_set_flat.h"

#include "widgets/notebook.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

// Counts the tab set's clicks.
struct Clicks {
    explicit Clicks(TqelTabSetFlat& t) { QObject::connect(&t, &TqelTabSetFlat::clicked, [this] { ++n; }); }
    int n = 0;
};

struct SelectCase {
    int from;
    int set;
    int expected;
    int clicks;
};

class TabIndexTest : public ::testing::TestWithParam<SelectCase> {};

TEST_P(TabIndexTest, Selects)
{
    const SelectCase& c = GetParam();
    TqelTabSetFlat tabs;  // the three default captions
    tabs.setTabIndex(c.from);
    Clicks clicks(tabs);
    tabs.setTabIndex(c.set);
    EXPECT_EQ(tabs.tabIndex(), c.expected);
    EXPECT_EQ(clicks.n, c.clicks);
}

INSTANTIATE_TEST_SUITE_P(Values, TabIndexTest, ::testing::Values(
    SelectCase{0, 5, 0, 1},   // past the last: tab 0, clicked even though it was selected
    SelectCase{1, 3, 0, 1},
    SelectCase{1, 1, 1, 0},   // the current index: nothing
    SelectCase{0, -1, -1, 1}, // no tab selected
    SelectCase{2, -2, 0, 1},
    SelectCase{0, 2, 2, 1}));

TEST(TqelTabSetFlat, NextAndPreviousWrapAround)
{
    TqelTabSetFlat tabs;
    tabs.setTabIndex(2);
    tabs.selectNext();
    EXPECT_EQ(tabs.tabIndex(), 0);
    tabs.selectPrevious();
    EXPECT_EQ(tabs.tabIndex(), 2);
    tabs.setTabIndex(-1);
    tabs.selectPrevious();
    EXPECT_EQ(tabs.tabIndex(), 2);
}

TEST(TqelTabSetFlat, SwitchesTheLinkedNotebooksAndDescribesThePage)
{
    QWidget window;
    auto* tabs = new TqelTabSetFlat(&window);
    qel::Notebook pages;
    qel::Notebook second;
    QLabel info;
    const QStringList names = {QStringLiteral(" Witamy | Podstawowe informacje"),
                               QStringLiteral(" Twoje dane | Informacje | Informacje o Tobie i kontakt"),
                               QStringLiteral("Koniec<Wysyłanie")};
    for (const QString& n : names) {
        pages.addPage(n);
        second.addPage(n);
    }
    tabs->setTabIndex(2);
    Clicks clicks(*tabs);
    tabs->setNotebook(&pages);
    tabs->setNotebook2(&second);
    tabs->setInfoLabel(&info);
    EXPECT_EQ(tabs->items(), (QStringList{QStringLiteral(" Witamy "), QStringLiteral(" Twoje dane "),
                                          QStringLiteral("Koniec")}));
    EXPECT_EQ(tabs->tabIndex(), 2);  // linking keeps the index and fires nothing
    EXPECT_EQ(clicks.n, 0);

    tabs->setTabIndex(1);
    EXPECT_EQ(pages.pageIndex(), 1);
    EXPECT_EQ(second.pageIndex(), 1);
    EXPECT_EQ(info.text(), QStringLiteral(" Informacje | Informacje o Tobie i kontakt"));
    tabs->setTabIndex(2);
    EXPECT_EQ(info.text(), QStringLiteral("Koniec<Wysyłanie"));  // no "|": the whole name
}

TEST(TqelTabSetFlat, LaysTabsOutAndHitsThemWithExclusiveRightEdges)
{
    TqelTabSetFlat tabs;
    tabs.setItems({QStringLiteral("&Dalej"), QStringLiteral("Dalej"), QStringLiteral("Trzecia")});
    EXPECT_EQ(tabs.tabWidth(0), tabs.tabWidth(1));  // "&" is not measured
    tabs.resize(400, 27);
    const QRect first = tabs.tabRect(0);
    EXPECT_EQ(first, QRect(6, 0, tabs.tabWidth(0), 27));
    EXPECT_EQ(tabs.tabRect(1).x(), 6 + tabs.tabWidth(0));
    EXPECT_EQ(tabs.tabRect(3), QRect(-1, -1, 0, 0));
    EXPECT_EQ(tabs.tabAt(QPoint(6, 0)), 0);
    EXPECT_EQ(tabs.tabAt(QPoint(6 + tabs.tabWidth(0), 26)), 1);  // first's right edge is the next tab
    EXPECT_EQ(tabs.tabAt(QPoint(5, 5)), -1);
    EXPECT_EQ(tabs.tabAt(QPoint(6, 27)), -1);
    EXPECT_EQ(tabs.visibleTabs(), 3);

    // Narrower than two tabs: the second is clipped, the third gone.
    tabs.resize(6 + tabs.tabWidth(0) + 10, 27);
    EXPECT_EQ(tabs.tabRect(1).width(), 10);
    EXPECT_TRUE(tabs.tabRect(2).isEmpty());
    EXPECT_EQ(tabs.tabAt(QPoint(tabs.width() - 1, 10)), 1);
    EXPECT_EQ(tabs.visibleTabs(), 1);
}

int RowsOf(const QImage& image, int x, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += image.pixel(x, y) == colour;
    return n;
}

TEST(TqelTabSetFlat, DrawsASelectedTabNoTallerThan17PixelsOverTheDownLine)
{
    QWidget parent;
    QPalette p = parent.palette();
    p.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    parent.setPalette(p);
    auto* tabs = new TqelTabSetFlat(&parent);
    tabs->setMinimumHeight(0);
    tabs->setMaximumHeight(QWIDGETSIZE_MAX);
    tabs->resize(300, 60);
    QImage image(tabs->size(), QImage::Format_RGB32);
    tabs->render(&image);
    const int x = tabs->tabRect(0).center().x();
    // Selected: white face inside a one-pixel frame, the bottom row given up.
    const int white = RowsOf(image, x, qRgb(255, 255, 255));
    EXPECT_GT(white, 0);
    EXPECT_LE(white, 17 - 2 - 1);
    EXPECT_EQ(image.pixel(x, 4), qRgb(0xC0, 0xC0, 0xC0));  // the margin above stays the strip's
    EXPECT_EQ(image.pixel(x, 59), qRgb(0x2E, 0x7C, 0x73));
    EXPECT_EQ(image.pixel(299, 59), qRgb(0x2E, 0x7C, 0x73));
}

TEST(TqelTabSetFlat, MouseSelectsWithTheLeftButtonAndTracksTheHoveredTab)
{
    TqelTabSetFlat tabs;
    tabs.resize(300, 27);
    Clicks clicks(tabs);
    const QPointF second = tabs.tabRect(1).center();
    QMouseEvent right(QEvent::MouseButtonPress, second, second, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&tabs, &right);
    EXPECT_EQ(tabs.tabIndex(), 0);
    EXPECT_EQ(tabs.hoveredTab(), 1);
    QMouseEvent left(QEvent::MouseButtonPress, second, second, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&tabs, &left);
    EXPECT_EQ(tabs.tabIndex(), 1);
    EXPECT_EQ(clicks.n, 1);

    const QPointF outside(295, 10);
    QMouseEvent move(QEvent::MouseMove, outside, outside, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&tabs, &move);
    EXPECT_EQ(tabs.hoveredTab(), -1);
}

TEST(TqelTabSetFlat, ArrowKeysMoveTheSelection)
{
    TqelTabSetFlat tabs;
    const auto key = [&tabs](Qt::Key k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(&tabs, &e);
    };
    key(Qt::Key_Right);
    EXPECT_EQ(tabs.tabIndex(), 1);
    key(Qt::Key_End);
    EXPECT_EQ(tabs.tabIndex(), 2);
    key(Qt::Key_Right);
    EXPECT_EQ(tabs.tabIndex(), 0);
    key(Qt::Key_Left);
    EXPECT_EQ(tabs.tabIndex(), 2);
}

}  // namespace

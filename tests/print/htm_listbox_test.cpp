#include "print/htm_listbox.h"

#include "core/interaction.h"
#include "core/messages.h"
#include "core/qel_object.h"
#include "print/markup_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace {

QImage Render(QWidget& w)
{
    QApplication::processEvents();  // the list lays its items out later
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    w.render(&image);
    return image;
}

bool HasColour(const QImage& image, const QRect& area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

class SimpleList : public ::testing::Test {
protected:
    SimpleList()
    {
        list.resize(300, 200);
        list.show();
    }
    QRect itemRect(int row) const { return list.visualRect(list.model()->index(row, 0)); }
    int viewportWidth() const { return list.viewport()->width(); }

    TqelHTMSimplelistbox list;
};

TEST_F(SimpleList, DrawsANegativeAmountRightAlignedInRed)
{
    list.addItem(QStringLiteral("Odsetki za 30 dni|-12,50 zł"));
    const QRect r = itemRect(0);
    const auto layout = list.itemLayout(0, r);
    EXPECT_EQ(layout.left, QStringLiteral("Odsetki za 30 dni"));
    EXPECT_EQ(layout.right, QStringLiteral("<p align=\"alRight\"><font color=\"#CC0000\">-12,50 zł"));
    const int amountWidth = qel::MeasureMarkup(QStringLiteral("-12,50 zł"), r, list.font(), list.viewport()).width;
    EXPECT_EQ(layout.leftBox.x() + layout.leftBox.width(), r.x() + r.width() - amountWidth - 4);

    const QImage image = Render(*list.viewport());
    const QRect amount(r.right() - amountWidth, r.top(), amountWidth, r.height());
    EXPECT_TRUE(HasColour(image, amount, qRgb(0xCC, 0, 0)));
    EXPECT_FALSE(HasColour(image, QRect(r.left(), r.top(), r.width() - amountWidth - 4, r.height()), qRgb(0xCC, 0, 0)));

    list.item(0)->setText(QStringLiteral("Odsetki|12,50 zł"));  // positive: no colour tag
    EXPECT_EQ(list.itemLayout(0, r).right, QStringLiteral("<p align=\"alRight\">12,50 zł"));
}

TEST_F(SimpleList, APictureItemIsFourPixelsTallerThanItsTextOthersTwo)
{
    const QString plain = QStringLiteral("zwykły tekst");
    const QString picture = QStringLiteral("<IMG src=\"idx:0\" width=\"20\" height=\"20\"> obrazek");
    list.addItem(plain);
    list.addItem(picture);
    const QRect box(0, 0, viewportWidth(), 100000);
    EXPECT_EQ(list.measureItemHeight(0), qel::MeasureMarkup(plain, box, list.font(), list.viewport()).height + 2);
    EXPECT_EQ(list.measureItemHeight(1), qel::MeasureMarkup(picture, box, list.font(), list.viewport()).height + 4);
}

TEST_F(SimpleList, SectionsColourTheEvenItems)
{
    for (int i = 0; i < 6; ++i)
        list.addItem(QStringLiteral("pozycja %1").arg(i));
    list.setSections(true);
    list.clearSelection();
    list.setCurrentRow(-1);
    const QImage image = Render(*list.viewport());
    const QRgb section = qRgb(0xF0, 0xF2, 0xE3);
    for (int i = 0; i < 6; ++i) {
        const QRect r = itemRect(i);
        const QRgb at = image.pixel(r.right() - 2, r.center().y());
        if (i % 2 == 0)
            EXPECT_EQ(at, section) << i;
        else
            EXPECT_EQ(at, list.palette().color(QPalette::Base).rgb()) << i;
    }
}

TEST_F(SimpleList, ABottomAlignedListFitsItsItems)
{
    list.setAlign(TqelAlign::alBottom);
    for (int i = 0; i < 3; ++i)
        list.addItem(QStringLiteral("<b>%1</b>").arg(i));
    const int frame = 2 * list.frameWidth();
    const auto items = [this](int n) {
        int sum = 0;
        for (int i = 0; i < n; ++i)
            sum += list.measureItemHeight(i);
        return sum;
    };
    EXPECT_EQ(list.height(), frame + items(3) + list.dolnyOdstep());
    delete list.takeItem(2);
    EXPECT_EQ(list.height(), frame + items(2) + list.dolnyOdstep());
    list.setDolnyOdstep(10);
    EXPECT_EQ(list.height(), frame + items(2) + 10);
}

TEST_F(SimpleList, LinksOpenOutsideOrFireTheAnchorClick)
{
    QStringList opened;
    const auto previous = TqelHTMSimplelistbox::setUrlOpener([&](const QString& url) { opened << url; });
    list.addItem(QStringLiteral("Napisz <a href=\"mailto:biuro@example.pl\">do nas</a>"));
    list.addItem(QStringLiteral("Zobacz <a href=\"odsetki\">tabelę</a>"));
    QStringList anchors;
    QObject::connect(&list, &TqelHTMSimplelistbox::anchorClick,
                     [&](int index, const QString& link) { anchors << QStringLiteral("%1:%2").arg(index).arg(link); });
    const auto press = [this](int row) {
        const QRect r = itemRect(row);
        const auto result = qel::MeasureMarkup(list.item(row)->text(), r, list.font(), list.viewport());
        ASSERT_FALSE(result.links.isEmpty());
        const QPointF at = result.links[0].rect.center();
        QMouseEvent e(QEvent::MouseButtonPress, at, list.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &e);
    };
    press(0);
    press(1);
    TqelHTMSimplelistbox::setUrlOpener(previous);
    EXPECT_EQ(opened, QStringList{QStringLiteral("mailto:biuro@example.pl")});
    EXPECT_EQ(anchors, QStringList{QStringLiteral("1:odsetki")});
}

class ObjectList : public ::testing::Test {
protected:
    ObjectList()
    {
        list.addItem(QStringLiteral("<b>Nowak</b> Jan"), &nowak);
        list.addItem(QStringLiteral("Kowalski Piotr"), &kowalski);
        list.addItem(QStringLiteral("bez obiektu"));
    }
    tQelObject nowak;
    tQelObject kowalski;
    TqelHTMListbox list;
};

TEST_F(ObjectList, FindsAndSelectsByObject)
{
    EXPECT_EQ(list.SelectedObject(), nullptr);
    list.SelectObject(&kowalski);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(list.SelectedObject(), &kowalski);
    tQelObject stranger;
    list.SelectObject(&stranger);
    EXPECT_EQ(list.SelectedObject(), nullptr);
}

TEST_F(ObjectList, SearchesTheShownTextAndKeepsTheSelectionWhenNothingIsFound)
{
    int clicks = 0;
    QObject::connect(&list, &TqelHTMListbox::clicked, [&] { ++clicks; });
    qel::ScriptedPrompts script;
    script.answerText(QString());
    EXPECT_FALSE(list.SearchItem());  // nothing typed
    script.answerText(QStringLiteral("KOWAL"));
    EXPECT_TRUE(list.SearchItem());
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(script.asked().size(), 2);
    EXPECT_EQ(script.asked()[1].title, QStringLiteral("Wyszukaj"));
    EXPECT_EQ(script.asked()[1].text, QStringLiteral("Podaj szukany ciąg znaków"));

    script.answerText(QStringLiteral("b>"));  // only in the tags
    EXPECT_THROW(list.SearchItem(), EQelError);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(script.asked()[2].value, QStringLiteral("KOWAL"));  // the last search proposed

    script.answer(qel::mrCancel);
    EXPECT_FALSE(list.SearchItem());
}

TEST_F(ObjectList, AnInvisibleSelectionIsDrawnAsAnyItem)
{
    list.resize(200, 100);
    list.show();
    list.setCurrentRow(2);
    const QRect r = list.visualRect(list.model()->index(2, 0));
    const QPoint probe(r.right() - 2, r.center().y());
    EXPECT_EQ(Render(*list.viewport()).pixel(probe), qRgb(0, 0, 0));  // selection colour black
    list.setSelectionInvisible(true);
    EXPECT_EQ(Render(*list.viewport()).pixel(probe), list.palette().color(QPalette::Base).rgb());
}

}  // namespace

#include "widgets/markup_label.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>

namespace {

QFont TestFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(10);
    return f;
}

}  // namespace

TEST(MarkupLabel, SizesItselfToItsText)
{
    qel::MarkupLabel label;
    label.setFont(TestFont());
    const int line = QFontMetrics(TestFont(), &label).height();
    label.resize(120, 5);
    label.setText(QStringLiteral("<b>Wezwanie</b><br>   do zapłaty kwoty głównej wraz z odsetkami"));
    EXPECT_EQ(label.width(), 120);
    EXPECT_GE(label.height(), 3 * line);
    EXPECT_EQ(label.height(), label.heightForWidth(120));
    label.show();  // a hidden widget gets its resize events only when shown
    label.resize(2000, label.height());
    EXPECT_EQ(label.height(), 2 * line);

    label.setWordWrap(false);
    label.setText(QStringLiteral("jedna linia"));
    EXPECT_EQ(label.size(), label.sizeHint());
    EXPECT_EQ(label.height(), line);
    EXPECT_EQ(label.visibleText(), QStringLiteral("jedna linia"));

    // A centred single line is centred in the label, not in the unbounded line.
    label.setAutoSize(false);
    label.setText(QStringLiteral("<p align=\"alCenter\"><a href=\"x\">środek</a>"));
    label.resize(300, line);
    const QList<qel::MarkupLink> links = label.links();
    ASSERT_EQ(links.size(), 1);
    EXPECT_NEAR(links[0].rect.center().x(), 150, 1);
}

TEST(MarkupLabel, ClickOnALinkReportsItsTarget)
{
    qel::MarkupLabel label;
    label.setFont(TestFont());
    label.resize(400, 40);
    label.setText(QStringLiteral("Zobacz <a href=\"pomoc\">pomoc</a> lub <a href=\"www\">stronę</a>."));
    QStringList clicked;
    QObject::connect(&label, &qel::MarkupLabel::linkClicked, [&](const QString& href) { clicked.append(href); });
    const QList<qel::MarkupLink> links = label.links();
    ASSERT_EQ(links.size(), 2);
    for (const qel::MarkupLink& link : links) {
        const QPointF p = link.rect.center();
        QMouseEvent release(QEvent::MouseButtonRelease, p, label.mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&label, &release);
    }
    // Outside any link nothing happens.
    QMouseEvent miss(QEvent::MouseButtonRelease, QPointF(1, 1), label.mapToGlobal(QPointF(1, 1)), Qt::LeftButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &miss);
    label.clickLink(QStringLiteral("pomoc"));
    EXPECT_EQ(clicked, (QStringList{QStringLiteral("pomoc"), QStringLiteral("www"), QStringLiteral("pomoc")}));
}

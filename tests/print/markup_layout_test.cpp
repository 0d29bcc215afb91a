#include "print/markup_layout.h"

#include "scratch_home.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPicture>

using namespace qel;

namespace {

QFont TestFont(int points = 10)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(points);
    return f;
}

// A white image as the drawing surface, at a given resolution.
QImage Surface(int w, int h, int dpi = 96)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    const int dpm = static_cast<int>(dpi / 0.0254 + 0.5);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    return img;
}

int Advance(const QString& s, const QImage& device, const QFont& f = TestFont())
{
    return QFontMetrics(f, &device).horizontalAdvance(s);
}

MarkupResult Measure(const QString& text, const QRect& rect, const QImage& device)
{
    return MeasureMarkup(text, rect, TestFont(), const_cast<QImage*>(&device));
}

MarkupResult Draw(QImage& img, const QString& text, const QRect& rect)
{
    QPainter p(&img);
    p.setFont(TestFont());
    p.setPen(Qt::black);
    return RenderMarkup(p, text, rect, MarkupMode::Draw);
}

// The rows that hold any non-white pixel.
std::pair<int, int> InkRows(const QImage& img)
{
    int first = -1, last = -1;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) != qRgb(255, 255, 255)) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

std::pair<int, int> InkColumns(const QImage& img)
{
    int first = img.width(), last = -1;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) != qRgb(255, 255, 255)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

}  // namespace

TEST(MarkupLayout, WrapsWholeWordsTogetherWithTheirBlank)
{
    const QImage dev = Surface(10, 10);
    const int twoWords = Advance(QStringLiteral("aaa bbb"), dev);
    const int twoWordsBlank = Advance(QStringLiteral("aaa "), dev) + Advance(QStringLiteral("bbb "), dev);
    struct Case {
        int width;
        QStringList lines;
    } cases[] = {
        // "bbb " with its blank does not fit, although "bbb" alone would.
        {twoWords, {QStringLiteral("aaa "), QStringLiteral("bbb "), QStringLiteral("cccc")}},
        {twoWordsBlank, {QStringLiteral("aaa bbb "), QStringLiteral("cccc")}},
        {10000, {QStringLiteral("aaa bbb cccc")}},
        // An overlong word stays whole on a line of its own.
        {5, {QStringLiteral("aaa "), QStringLiteral("bbb "), QStringLiteral("cccc")}},
    };
    for (const Case& c : cases) {
        const MarkupResult r = Measure(QStringLiteral("aaa bbb cccc"), QRect(0, 0, c.width, 1000), dev);
        QStringList lines;
        for (const MarkupLine& l : r.lines)
            lines.append(l.text);
        EXPECT_EQ(lines, c.lines) << "width " << c.width;
    }
}

TEST(MarkupLayout, TagEndsAWord)
{
    const QImage dev = Surface(10, 10);
    const int width = Advance(QStringLiteral("aaab"), dev);
    const MarkupResult r = Measure(QStringLiteral("aaa<b>bbb</b>"), QRect(0, 0, width, 1000), dev);
    ASSERT_EQ(r.lines.size(), 2);
    EXPECT_EQ(r.lines[0].text, QStringLiteral("aaa"));
    EXPECT_EQ(r.lines[1].text, QStringLiteral("bbb"));
}

TEST(MarkupLayout, LeadingBlanksAreKeptAndTakeTheirWidth)
{
    const QImage dev = Surface(10, 10);
    const MarkupResult r = Measure(QStringLiteral("x<br>   Ala"), QRect(0, 0, 1000, 1000), dev);
    ASSERT_EQ(r.lines.size(), 2);
    EXPECT_EQ(r.lines[1].text, QStringLiteral("   Ala"));
    const MarkupFragment& ala = r.lines[1].fragments.last();
    EXPECT_EQ(ala.text, QStringLiteral("Ala"));
    EXPECT_EQ(ala.rect.left(), 3 * Advance(QStringLiteral(" "), dev));
}

TEST(MarkupLayout, AlignmentHoldsFromTheLineOfTheTag)
{
    const QImage dev = Surface(10, 10);
    const QRect rect(10, 0, 400, 1000);
    const MarkupResult r = Measure(QStringLiteral("left<br>a <p align=\"alRight\">b<br>c<br><p align=\"alCenter\">d"),
                                   rect, dev);
    ASSERT_EQ(r.lines.size(), 4);
    const auto lastRight = [](const MarkupLine& l) { return l.fragments.last().rect.right() + 1; };
    EXPECT_EQ(r.lines[0].fragments.first().rect.left(), rect.left());
    // The tag stands in the middle of the second line: the whole line is right aligned.
    EXPECT_EQ(lastRight(r.lines[1]), rect.left() + rect.width());
    EXPECT_EQ(lastRight(r.lines[2]), rect.left() + rect.width());
    const int dWidth = Advance(QStringLiteral("d"), dev);
    EXPECT_EQ(r.lines[3].fragments.first().rect.left(), rect.left() + (rect.width() - dWidth) / 2);
    // The width is the text's, not where the alignment put it.
    EXPECT_EQ(r.width, std::max(Advance(QStringLiteral("left"), dev),
                                Advance(QStringLiteral("a "), dev) + Advance(QStringLiteral("b"), dev)));
}

TEST(MarkupLayout, IndentIsATabStop)
{
    const QImage dev = Surface(10, 10);
    const int aWidth = Advance(QStringLiteral("a"), dev);
    struct Case {
        QString text;
        int expectedLeftOfB;
    } cases[] = {
        {QStringLiteral("a<ind x=\"100\">b"), 100},
        {QStringLiteral("aaaaaaaaaaaaaaaaaaaa<ind x=\"10\">b"), Advance(QStringLiteral("aaaaaaaaaaaaaaaaaaaa"), dev)},
        {QStringLiteral("a<ind x=\"\">b"), aWidth},                               // empty value: no effect
    };
    for (const Case& c : cases) {
        const MarkupResult r = Measure(c.text, QRect(0, 0, 1000, 100), dev);
        ASSERT_EQ(r.lines.size(), 1) << c.text.toStdString();
        EXPECT_EQ(r.lines[0].fragments.last().rect.left(), c.expectedLeftOfB) << c.text.toStdString();
    }
}

TEST(MarkupLayout, RuleEndsTheLineAndIsDrawnAcross)
{
    QImage img = Surface(300, 120);
    const QRect rect(20, 10, 200, 100);
    const MarkupResult r = Draw(img, QStringLiteral("a<hr>b<hr>"), rect);
    ASSERT_EQ(r.lines.size(), 2);
    EXPECT_EQ(r.lines[0].text, QStringLiteral("a"));
    EXPECT_EQ(r.lines[1].text, QStringLiteral("b"));
    const int ruleY = r.lines[0].rect.bottom();
    for (int x : {rect.left(), rect.left() + 100, rect.right()})
        EXPECT_EQ(img.pixel(x, ruleY), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(img.pixel(rect.left() - 1, ruleY), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(rect.right() + 1, ruleY), qRgb(255, 255, 255));
}

TEST(MarkupLayout, BreakAndEmptyText)
{
    const QImage dev = Surface(10, 10);
    const int lineHeight = QFontMetrics(TestFont(), &dev).height();
    EXPECT_EQ(Measure(QString(), QRect(0, 0, 100, 100), dev).height, lineHeight);
    EXPECT_EQ(Measure(QStringLiteral("a<br><br>b"), QRect(0, 0, 100, 100), dev).height, 3 * lineHeight);
}

TEST(MarkupLayout, LineIsAsHighAsItsTallestFont)
{
    const QImage dev = Surface(10, 10);
    const int small = QFontMetrics(TestFont(10), &dev).height();
    const int big = QFontMetrics(TestFont(20), &dev).height();
    const MarkupResult r =
        Measure(QStringLiteral("a <font size=\"20\">B</font> c<br>d"), QRect(0, 0, 1000, 1000), dev);
    ASSERT_EQ(r.lines.size(), 2);
    EXPECT_EQ(r.lines[0].rect.height(), big);
    EXPECT_EQ(r.lines[1].rect.height(), small);
    EXPECT_EQ(r.height, big + small);
}

TEST(MarkupLayout, BottomLimitInDrawModeOnly)
{
    const QImage dev = Surface(10, 10);
    const int h = QFontMetrics(TestFont(), &dev).height();
    const QString text = QStringLiteral("1<br>2<br>3<br>4<br>5");
    struct Case {
        int rectHeight;
        int drawnLines;
    } cases[] = {
        {5 * h, 5},
        {3 * h, 3},
        {3 * h - 1, 2},  // a third line would reach one unit below the bottom
        {0, 1},          // the first line is always drawn
    };
    for (const Case& c : cases) {
        QImage img = Surface(200, 6 * h);
        const QRect rect(0, 0, 200, c.rectHeight);
        EXPECT_EQ(Measure(text, rect, dev).height, 5 * h);
        const MarkupResult drawn = Draw(img, text, rect);
        EXPECT_EQ(drawn.lines.size(), c.drawnLines) << c.rectHeight;
        EXPECT_EQ(drawn.height, c.drawnLines * h) << c.rectHeight;
        EXPECT_LT(InkRows(img).second, c.drawnLines * h) << c.rectHeight;
    }
}

TEST(MarkupLayout, MeasureAgreesWithDrawOnEverySurface)
{
    const QString text = QStringLiteral(
        "<b>Wezwanie</b> do zapłaty <i>kwoty</i> <u>1 234,56 zł</u> <s>skreślone</s><br>"
        "   <font face=\"DejaVu Serif\" size=\"14\" color=\"clRed\" bgcolor=\"#FFFF00\">duży</font> tekst "
        "H<sub>2</sub>O x<sup>2</sup> <shad>cień</shad> <z>ukryte</z><a href=\"x\">łącze</a><br>"
        "<p align=\"alCenter\">środek<hr><ul><li>pierwszy punkt listy, dość długi, by się zawinął"
        "<li>drugi</ul>koniec &lt;&amp;&gt; &quot;");
    for (int dpi : {96, 300, 600}) {
        const QRect rect(dpi / 10, dpi / 10, dpi * 3, dpi * 10);
        QImage img = Surface(dpi * 4, dpi * 4, dpi);
        const MarkupResult measured = Measure(text, rect, img);
        const MarkupResult drawn = Draw(img, text, rect);
        EXPECT_EQ(measured.height, drawn.height) << dpi;
        EXPECT_EQ(measured.width, drawn.width) << dpi;
        ASSERT_EQ(measured.lines.size(), drawn.lines.size()) << dpi;
        for (qsizetype i = 0; i < measured.lines.size(); ++i)
            EXPECT_EQ(measured.lines[i].rect, drawn.lines[i].rect) << dpi << " line " << i;
        const auto [top, bottom] = InkRows(img);
        EXPECT_GE(top, rect.top());
        EXPECT_LT(bottom, rect.top() + measured.height) << dpi;
        EXPECT_LE(InkColumns(img).second, rect.right()) << dpi;

        // The same on a page picture at that resolution.
        QPicture picture;
        {
            QPainter p(&picture);
            p.setFont(TestFont());
            const MarkupResult onPicture = RenderMarkup(p, text, rect, MarkupMode::Measure);
            EXPECT_EQ(onPicture.height, RenderMarkup(p, text, rect, MarkupMode::Draw).height);
        }
    }
}

TEST(MarkupLayout, PainterStateIsKept)
{
    QImage img = Surface(200, 100);
    QPainter p(&img);
    p.setFont(TestFont());
    p.setPen(Qt::blue);
    RenderMarkup(p, QStringLiteral("<b><font face=\"DejaVu Serif\" size=\"20\" color=\"clRed\">x"),
                 QRect(0, 0, 200, 100), MarkupMode::Draw);
    EXPECT_EQ(p.font(), TestFont());
    EXPECT_EQ(p.pen().color(), QColor(Qt::blue));
}

TEST(MarkupLayout, HiddenTextEntitiesAndUnknownTags)
{
    EXPECT_EQ(MarkupPlainText(QStringLiteral("a<z>b<b>c</z>d")), QStringLiteral("ad"));
    EXPECT_EQ(MarkupPlainText(QStringLiteral("&lt;b&gt; &amp; &QUOT;x&quot; &nbsp;")),
              QStringLiteral("<b> & \"x\" &nbsp;"));
    EXPECT_EQ(MarkupPlainText(QStringLiteral("<unknown attr=1>a<PROC=\"50%\">b")), QStringLiteral("ab"));
    EXPECT_EQ(MarkupPlainText(QStringLiteral("a < b")), QStringLiteral("a < b"));
    EXPECT_EQ(MarkupPlainText(QStringLiteral("x\r\ny")), QStringLiteral("x\ny"));
}

TEST(MarkupLayout, LinksReportTheirRectangles)
{
    const QImage dev = Surface(10, 10);
    const int width = Advance(QStringLiteral("see "), dev) + Advance(QStringLiteral("long "), dev);
    const MarkupResult r = MeasureMarkup(QStringLiteral("see <a href=\"http://x\">long link</a> end"),
                                         QRect(5, 5, width, 1000), TestFont(), const_cast<QImage*>(&dev));
    // The link wraps over two lines: one rectangle a line.
    ASSERT_EQ(r.links.size(), 2);
    EXPECT_EQ(r.links[0].href, QStringLiteral("http://x"));
    EXPECT_EQ(r.links[0].rect.left(), 5 + Advance(QStringLiteral("see "), dev));
    EXPECT_EQ(r.links[1].rect.left(), 5);
    EXPECT_EQ(r.linkAt(r.links[1].rect.center()), QStringLiteral("http://x"));
    EXPECT_TRUE(r.linkAt(QPoint(5, 5)).isEmpty());
}

TEST(MarkupLayout, LinksAndFontsTakeTheirColours)
{
    QImage img = Surface(200, 60);
    QPainter p(&img);
    p.setFont(TestFont(20));
    MarkupStyle style;
    style.linkColor = Qt::blue;
    RenderMarkup(p, QStringLiteral("<a href=\"x\">█</a><font color=\"clRed\">█</font><font color=\"#00FF00\">█"),
                 QRect(0, 0, 200, 60), MarkupMode::Draw, style);
    p.end();
    const QFontMetrics fm(TestFont(20), &img);
    const int w = fm.horizontalAdvance(QStringLiteral("█"));
    const int y = fm.ascent() / 2;
    EXPECT_EQ(img.pixel(w / 2, y), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(w + w / 2, y), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(2 * w + w / 2, y), qRgb(0, 255, 0));
}

TEST(MarkupLayout, ParagraphAndTextBackgrounds)
{
    QImage img = Surface(200, 80);
    QPainter p(&img);
    p.setFont(TestFont());
    const MarkupResult r = RenderMarkup(
        p, QStringLiteral("<p bgcolor=\"clYellow\">a<br>b</p><br><font bgcolor=\"#00FFFF\">c </font>d"),
        QRect(10, 0, 150, 80), MarkupMode::Draw);
    p.end();
    ASSERT_EQ(r.lines.size(), 3);
    // The paragraph colours its whole lines, the font tag only its own text.
    for (int line : {0, 1})
        EXPECT_EQ(img.pixel(150, r.lines[line].rect.center().y()), qRgb(255, 255, 0)) << line;
    const MarkupLine& third = r.lines[2];
    EXPECT_EQ(img.pixel(third.fragments[0].rect.right(), third.rect.top()), qRgb(0, 255, 255));
    EXPECT_EQ(img.pixel(150, third.rect.center().y()), qRgb(255, 255, 255));
}

TEST(MarkupLayout, ColourNames)
{
    struct Case {
        const char* name;
        QRgb rgb;
    } cases[] = {
        {"clRed", 0xFF0000},    {"CLNAVY", 0x000080}, {"clTeal", 0x008080},   {"#C41E3A", 0xC41E3A},
        {"clInfoBk", 0xFFFFE1}, {"nonsense", 0},      {"#12345", 0},          {"#GG0000", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MarkupColor(QString::fromUtf8(c.name)).rgb() & 0xFFFFFF, c.rgb) << c.name;
}

TEST(MarkupLayout, ImagesFromResourcesAndFiles)
{
    ScratchHome home;
    QImage red(8, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString file = home.file(QStringLiteral("obraz.png"));
    ASSERT_TRUE(red.save(file));
    const QImage dev = Surface(10, 10, 192);
    struct Case {
        QString tag;
        QSize size;  // device units at 192 dpi
    } cases[] = {
        {QStringLiteral("<img src=\"res://qel\">"), {96, 96}},
        {QStringLiteral("<img src=\"res://kropka.png\" width=\"32\">"), {64, 64}},
        {QStringLiteral("<img src=\"file://") + file + QStringLiteral("\">"), {16, 8}},
        {QStringLiteral("<img src=\"file://") + file + QStringLiteral("\" width=\"4\" height=\"4\">"), {8, 8}},
        {QStringLiteral("<img src=\"res://brak\">"), {0, 0}},
    };
    for (const Case& c : cases) {
        const MarkupResult r = Measure(c.tag + QStringLiteral("x"), QRect(0, 0, 1000, 1000), dev);
        ASSERT_EQ(r.lines.size(), 1);
        const QList<MarkupFragment>& f = r.lines[0].fragments;
        if (c.size.isEmpty()) {
            EXPECT_EQ(f.size(), 1) << c.tag.toStdString();
            continue;
        }
        ASSERT_EQ(f.size(), 2) << c.tag.toStdString();
        EXPECT_EQ(f[0].rect.width(), c.size.width()) << c.tag.toStdString();
        EXPECT_GE(r.lines[0].rect.height(), c.size.height()) << c.tag.toStdString();
        EXPECT_EQ(f[1].rect.left(), c.size.width());
    }
}

TEST(MarkupLayout, BulletListsIndentAndHangWrappedLines)
{
    const QImage dev = Surface(10, 10);
    // The list's text starts one and a half lines of the font in.
    const int width = QFontMetrics(TestFont(), &dev).height() * 3 / 2 + Advance(QStringLiteral("jeden "), dev) +
                      Advance(QStringLiteral("dwa "), dev);
    const MarkupResult r =
        Measure(QStringLiteral("przed<ul><li>jeden dwa trzy<li>cztery</ul>po"), QRect(0, 0, width, 1000), dev);
    QStringList texts;
    for (const MarkupLine& l : r.lines)
        texts.append(l.text);
    const QString bullet(QChar(0x2022));
    ASSERT_EQ(texts, (QStringList{QStringLiteral("przed"), bullet + QStringLiteral("jeden dwa "),
                                  QStringLiteral("trzy"), bullet + QStringLiteral("cztery"), QStringLiteral("po")}));
    const int textLeft = r.lines[1].fragments[1].rect.left();
    EXPECT_GT(textLeft, r.lines[1].fragments[0].rect.left());
    EXPECT_EQ(r.lines[2].fragments[0].rect.left(), textLeft);
    EXPECT_EQ(r.lines[4].fragments[0].rect.left(), 0);
}

#include "text/markup_text.h"

#include "scratch_home.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(MarkupToPlain, Cases)
{
    const struct { const char* in; bool keep; const char* want; } cases[] = {
        {"<b>Ala</b><br>ma kota", false, "Ala\r\nma kota"},
        {"<b>Ala</b><br>ma kota", true, "<b>Ala</b>ma kota"},
        {"a<hr>b", false, "a\r\n-\r\nb"},
        {"a<BR><br>b", false, "a\r\n   \r\nb"},
        {"<ind=20>wcięcie", false, "\twcięcie"},
        {"<head><title>x</title></head>treść<script>alert(1)</script>", false, "treść"},
        {"<form action=x>pole</form>koniec", false, "koniec"},
        {"&lt;b&gt; &nbsp;&copy; &pound;", false, "<b> (c) &"},
        {"a&para;b", false, "a\r\nb"},
        {"a        b   c  d", false, "a b c d"},
        {"<font size=\"12\"><i>kursywa</i></font> <u>x</u><hr>", true, "<i>kursywa</i> <u>x</u><hr>"},
        {"wiersz\r\n\r\n\r\n\r\nnastępny", false, "wiersz\r\n\r\nnastępny"},
        {"a\r\n_b", false, "a\r\n   b"},
        {"bez zamknięcia <b", false, "bez zamknięcia <b"},
        {"", false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarkupToPlain(U(c.in), c.keep), U(c.want)) << c.in;
}

TEST(RemoveBetween, Cases)
{
    EXPECT_EQ(RemoveBetween(U("<!--"), U("-->"), U("a<!-- x -->b<!--y-->c")), U("abc"));
    EXPECT_EQ(RemoveBetween(U("["), U("]"), U("a[b")), U("a[b"));
    EXPECT_EQ(RemoveBetween(U("<X"), U("</x>"), U("1<x a>2</X>3")), U("13"));
    QString pairs;
    for (int i = 0; i < 3000; ++i)
        pairs += QStringLiteral("<>");
    EXPECT_EQ(RemoveBetween(U("<"), U(">"), pairs).size(), 2 * (3000 - 2048));  // at most 2 048 rounds
}

TEST(ExpandTemplateTokens, DatesFontsAndPath)
{
    ScratchHome home("2002-12-17T10:00:00");
    const struct { const char* in; QString want; } cases[] = {
        {"Dnia [*DATA] r.", U("Dnia 17 grudnia 2002 r.")},
        {"Dnia #*DATA r.", U("Dnia 17 grudnia 2002 r.")},
        {"[data] #DATA", U("17 grudnia 2002 17 grudnia 2002")},
        {"[*DATADŁUGA]", U("wtorek, 17 grudnia 2002")},
        {"#*DATADŁUGA", U("17 grudnia 2002DŁUGA")},
        {"[*f7]a#*f10b[*F12]", U("<font size=\"7\">a<font size=\"10\">b<font size=\"12\">")},
        {"[*PATH]", QCoreApplication::applicationFilePath()},
        {"bez znaczników", U("bez znaczników")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandTemplateTokens(U(c.in)), c.want) << c.in;
}

TEST(WrapThreeLines, BreaksAtTheWidths)
{
    EXPECT_EQ(WrapThreeLines(5, U("abc")), U("abc"));
    EXPECT_EQ(WrapThreeLines(5, U("abcdefgh")), U("abcd\r\nefgh"));
    EXPECT_EQ(WrapThreeLines(4, U("<b>abcdefghijklmnop</b>")), U("abc\r\nde\r\nf…"));
    EXPECT_EQ(WrapThreeLines(5, U("ab<br>cd")), U("ab cd"));
    // Positions count the line ends already inserted.
    EXPECT_EQ(WrapThreeLines(3, U("abcdefgh")), U("ab\r\nc\r\nd\r\nefgh"));
}

TEST(BreakAtBlank, PlainAndMarkup)
{
    EXPECT_EQ(BreakAtBlank(40, 10, U("Jan Kowalski\r\nul. Długa 5"), false), U("Jan\r\nKowalski, ul. Długa 5"));
    EXPECT_EQ(BreakAtBlank(40, 10, U("Jan Kowalski ul"), true), U("Jan<br>Kowalski ul</b>"));
    EXPECT_EQ(BreakAtBlank(40, 50, U("krótko i jasno"), false), U("krótko i jasno"));
    EXPECT_EQ(BreakAtBlank(40, 5, U("bezprzerwy"), false), U("bezprzerwy"));
    EXPECT_EQ(ShortBold(10, U("abcd efghijklmnop")), U("abcd<br>…</b></b>"));
}

}  // namespace

#include "text/strings.h"


#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(ReplaceAllNoCase, StopRule)
{
    const struct { const char* find; const char* replacement; const char* text; const char* want; } cases[] = {
        {"a", "aa", "banana", "baanana"},         // the replacement holds the find: once
        {"  ", " ", "    ", " "},                  // shrinking runs to the end
        {"ii", "II", "jana pawła ii i iii", "jana pawła II i iii"},
        {"ą", "a", "ĄKĄ", "aKa"},                 // Polish letters compare without case
        {"ab", "", "ab", ""},                      // an emptied text ends the work
        {"ab", "", "xabab", "x"},
        {"x", "x", "xxx", "xxx"},
        {"", "y", "abc", "abc"},
        {"b", "c", "", ""},
        {"o", "0", "Ola ma kota", "0la ma k0ta"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceAllNoCase(U(c.find), U(c.replacement), U(c.text)), U(c.want)) << c.text;
}

TEST(NoCaseSearches, PositionsAndTests)
{
    EXPECT_EQ(PosNoCase(U("ŁÓDŹ"), U("w łodzi? nie, w łódź")), 17);
    EXPECT_EQ(PosNoCase(QString(), U("abc")), 0);
    EXPECT_EQ(PosNoCase(U("x"), U("abc")), 0);
    EXPECT_TRUE(ContainsNoCase(U("KOT"), U("ma kota")));
    EXPECT_TRUE(StartsWithNoCase(U("ul."), U("UL. Długa")));
    EXPECT_FALSE(StartsWithNoCase(U("ul."), U("aul.")));
    EXPECT_TRUE(EndsWithNoCase(U("SKA"), U("Kowalska")));
    EXPECT_FALSE(EndsWithNoCase(U("Kowalska"), U("ska")));
    EXPECT_FALSE(EndsWithNoCase(QString(), U("ska")));
    EXPECT_TRUE(SameTextNoCase(U("Żółw"), U("żÓŁW")));
    EXPECT_FALSE(SameTextNoCase(U("żółw"), U("zolw")));
    EXPECT_TRUE(SameTextNoCase(QString(), QString()));

    const QStringList list = {U("Warszawa"), U("Wrocław"), U("Łódź")};
    EXPECT_EQ(IndexStartingWith(list, U("wro")), 1);
    EXPECT_EQ(IndexStartingWith(list, U("ŁÓ")), 2);
    EXPECT_EQ(IndexContaining(list, U("SZA")), 0);
    EXPECT_EQ(IndexContaining(list, U("x")), -1);
    EXPECT_EQ(IndexStartingWith({}, U("a")), -1);
}

TEST(TextPieces, FieldsTagsAndTrims)
{
    EXPECT_EQ(TagContent(U("x<Z>środek</z>y")), U("środek"));
    EXPECT_EQ(TagContent(U("</z>a<z>b")), QString());
    EXPECT_EQ(TagContent(U("<z>bez końca")), QString());
    EXPECT_EQ(TrimChar(U("  a b  "), u' '), U("a b"));
    EXPECT_EQ(TrimChar(U("xxx"), u'x'), QString());
    EXPECT_EQ(CountChar(u';', U("a;b;;c")), 3);

    const struct { const char* sep; int n; const char* text; const char* want; } fields[] = {
        {";", 3, "a;b", ""}, {";", 2, "a;b;c", "b"}, {";", 2, "a;b", "b"}, {";", 0, "a;b", ""},
        {";", 1, "", ""}, {"||", 2, "a||b||c", "b"}, {";", 1, "abc", "abc"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(NthField(U(f.sep), f.n, U(f.text)), U(f.want)) << f.text << " " << f.n;

    const struct { int n; const char* text; const char* want; } entries[] = {
        {1, "a=b;c", "a"}, {2, "a=b;c", "b"}, {3, "a=b;c", "c"}, {4, "a=b;c", ""},
        {1, "1800;20021024", "1800"}, {2, "1800;20021024", "20021024"}, {2, "1800", ""}, {0, "a", ""},
    };
    for (const auto& e : entries)
        EXPECT_EQ(NthEntryField(e.n, U(e.text)), U(e.want)) << e.text << " " << e.n;
}

TEST(Shorten, CutsBackToABlank)
{
    const struct { int m; const char* text; const char* want; } cases[] = {
        {10, "abcdef ghijkl", "abcdef …"},
        {10, "abcdefghijklmn", "abcde…"},
        {10, "krótki", "krótki"},
        {10, "dokładnie10", "dokła…"},
        {0, "abcdefghijklmn", "abcdefghijklmn"},
        {1, "abc", "…"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shorten(c.m, U(c.text)), U(c.want)) << c.text;
}

TEST(Filters, KeepWhatTheyName)
{
    EXPECT_EQ(CsvQuote(U("Firma \"Ala\"\r\nul. Długa")), U("\"Firma \"\"Ala\"\" ul. Długa\""));
    EXPECT_EQ(CsvQuote(QString()), U("\"\""));
    EXPECT_EQ(DigitsOnly(U("PL 526-000-12-46")), U("5260001246"));
    EXPECT_EQ(LettersOnly(U("Zażółć 12 gęślą!")), U("Zażółćgęślą"));
    EXPECT_EQ(SafeNameText(U("Faktura 1/2002: \"Łódź\"_v.2-a")), U("Faktura 12002 Łódź_v.2-a"));
    EXPECT_EQ(OneLineText(U("a\r\nb\tc\nd")), U("a<br>b c d"));
    EXPECT_EQ(PadWith(u'0', true, 5, U("42")), U("00042"));
    EXPECT_EQ(PadWith(u'.', false, 4, U("ab")), U("ab.."));
    EXPECT_EQ(PadWith(u'0', true, 2, U("12345")), U("12345"));
}

TEST(ProperCase, NamesAndAddresses)
{
    const struct { const char* in; const char* want; } cases[] = {
        {"jan kowalski w gdańsku", "Jan Kowalski w Gdańsku"},
        {"ul. jana pawła ii", "ul. Jana Pawła II"},
        {"sp. z o.o.", "sp. z O.o."},
        {"ŚW. JANA Z DUKLI", "św. Jana z Dukli"},
        {"oś. xx-lecia", "oś. XX-Lecia"},
        {"al. armii krajowej 5", "al. Armii Krajowej 5"},   // "ii" inside a word stays
        {"pl. marii skłodowskiej", "pl. Marii Skłodowskiej"},
        {"henryk viii i jan iii sobieski", "Henryk VIII I Jan III Sobieski"},
        {"w2 zakład", "W2 Zakład"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProperCase(U(c.in)), U(c.want)) << c.in;
}

TEST(BufferToText, LineEnds)
{
    const QByteArray bytes("a\0b\rc\r\nd\xb9", 10);
    EXPECT_EQ(BufferToText(bytes, bytes.size()), U("a\r\nb\r\nc\r\nd\u0105\r\n"));
    EXPECT_EQ(BufferToText(bytes, 1), U("a"));
    EXPECT_EQ(BufferToText(bytes, 500), BufferToText(bytes, bytes.size()));
    EXPECT_EQ(BufferToText(bytes, -3), QString());
}

TEST(CopyToClipboard, PutsPlainText)
{
    EXPECT_TRUE(CopyToClipboard(U("Zażółć")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), U("Zażółć"));
}

}  // namespace

#include "text/format.h"
#include "text/regional.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(SafeFormat, Placeholders)
{
    const struct { QString got; const char* want; } cases[] = {
        {SafeFormat(QStringLiteral("%s ma %d lat"), QStringLiteral("Ala"), 7), "Ala ma 7 lat"},
        {SafeFormat(QStringLiteral("%.02d"), 7), "07"},
        {SafeFormat(QStringLiteral("%.3d|%5d|%-5d|"), -5, 42, 42), "-005|   42|42   |"},
        {SafeFormat(QStringLiteral("%u %x %.4x"), -1, 255, 10), "4294967295 FF 000A"},
        {SafeFormat(QStringLiteral("%f"), 2.5), "2,50"},
        {SafeFormat(QStringLiteral("%.3f"), 0.0005), "0,001"},
        {SafeFormat(QStringLiteral("%.2f"), 1.005), "1,01"},
        {SafeFormat(QStringLiteral("%.0f"), -0.4), "0"},
        {SafeFormat(QStringLiteral("%.2f"), 9.999), "10,00"},
        {SafeFormat(QStringLiteral("%.2n"), 1234567.891), "1 234 567,89"},
        {SafeFormat(QStringLiteral("%n"), -999.0), "-999,00"},
        {SafeFormat(QStringLiteral("%.2n"), Money::FromUnits(12'345'650)), "1 234,57"},
        {SafeFormat(QStringLiteral("%.6f"), Money::FromUnits(15)), "0,001500"},
        {SafeFormat(QStringLiteral("%m"), Money::FromUnits(-12'345'600)), "-1 234,56 zł"},
        {SafeFormat(QStringLiteral("%.0m"), 5), "5 zł"},
        {SafeFormat(QStringLiteral("%g"), 0.1), "0,1"},
        {SafeFormat(QStringLiteral("%g"), 18.0), "18"},
        {SafeFormat(QStringLiteral("%g"), 1.5e20), "1,5E20"},
        {SafeFormat(QStringLiteral("%g"), 0.00001), "0,00001"},
        {SafeFormat(QStringLiteral("%g"), 0.000001), "1E-6"},
        {SafeFormat(QStringLiteral("%e"), 1234.5), "1,23450000000000E+003"},
        {SafeFormat(QStringLiteral("%.3e"), -0.0125), "-1,25E-002"},
        {SafeFormat(QStringLiteral("%f %g"), std::numeric_limits<double>::infinity(),
                    std::numeric_limits<double>::quiet_NaN()), "INF NAN"},
        {SafeFormat(QStringLiteral("<b>%s%%</b> od %s"), QStringLiteral("18"), U("24 października 2002")),
         "<b>18%</b> od 24 października 2002"},
        {SafeFormat(QStringLiteral("%s|%s|%s"), 12, Money::FromUnits(658800), 0.25), "12|65,88|0,25"},
        {SafeFormat(QStringLiteral("%.3s|%6s|%-6s|"), QStringLiteral("abcdef"), QStringLiteral("ab"), QStringLiteral("ab")),
         "abc|    ab|ab    |"},
        {SafeFormat(QStringLiteral("%1:s %0:s %s"), QStringLiteral("a"), QStringLiteral("b")), "b a b"},
        {SafeFormat(QStringLiteral("%*d|%.*f"), 4, 7, 1, 2.25), "   7|2,3"},
        {SafeFormat(QStringLiteral("100%% pewności")), "100% pewności"},
        {SafeFormat(QStringLiteral("%D %S"), 3, QStringLiteral("x")), "3 x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, U(c.want));
}

TEST(SafeFormat, BadFormatsGiveTheMessageAndTheFormat)
{
    const struct { QString got; const char* format; } cases[] = {
        {SafeFormat(QStringLiteral("%d"), QStringLiteral("tekst")), "%d"},
        {SafeFormat(QStringLiteral("%d"), 2.5), "%d"},
        {SafeFormat(QStringLiteral("%f"), QStringLiteral("tekst")), "%f"},
        {SafeFormat(QStringLiteral("%s i %s"), QStringLiteral("jeden")), "%s i %s"},
        {SafeFormat(QStringLiteral("koniec %")), "koniec %"},
        {SafeFormat(QStringLiteral("%q"), 1), "%q"},
        {SafeFormat(QStringLiteral("%*d"), QStringLiteral("x"), 1), "%*d"},
    };
    for (const auto& c : cases) {
        const QStringList lines = c.got.split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 2) << c.got.toStdString();
        EXPECT_FALSE(lines.at(0).isEmpty());
        EXPECT_EQ(lines.at(1), U(c.format));
    }
    EXPECT_FALSE(TryFormat(QStringLiteral("%d"), {}).ok());
}

TEST(SafeFormat, LongTextArgumentsAreShortened)
{
    const QString longText = QString(1500, u'x');
    const QString out = SafeFormat(QStringLiteral("[%s]"), longText);
    EXPECT_EQ(out.size(), 2 + 512 + 1);
    EXPECT_TRUE(out.endsWith(QStringLiteral("\u2026]")));
    EXPECT_EQ(SafeFormat(QStringLiteral("%s"), QString(1024, u'y')), QString(1024, u'y'));
}

TEST(SafeFormat, CurrencySymbolFollowsTheSetting)
{
    qel::SetCurrencySymbol(QStringLiteral("PLN"));
    const QString changed = SafeFormat(QStringLiteral("%m"), 1.5);
    qel::SetCurrencySymbol(QStringLiteral("zł"));
    EXPECT_EQ(changed, QStringLiteral("1,50 PLN"));
    EXPECT_EQ(SafeFormat(QStringLiteral("%m"), 1.5), U("1,50 zł"));
}

TEST(YesNoText, Polish)
{
    EXPECT_EQ(YesNoText(true), QStringLiteral("tak"));
    EXPECT_EQ(YesNoText(false), QStringLiteral("nie"));
}

}  // namespace

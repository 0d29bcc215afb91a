#include "calc/kalkulator_odsetkowy.h"

#include "calc/interest_rates.h"
#include "print/htm_listbox.h"
#include "scratch_home.h"
#include "text/words.h"
#include "widgets/component_access.h"

#include <gtest/gtest.h>

namespace {

class KalkulatorOdsetkowyTest : public ::testing::Test {
protected:
    std::string shown(const char* name) { return ComponentText(&w, QString::fromLatin1(name)).toStdString(); }
    void set(const char* name, const char* value)
    {
        QString error;
        ASSERT_TRUE(SetComponent(&w, QString::fromLatin1(name), QString::fromUtf8(value), &error))
            << error.toStdString();
    }
    QStringList rates()
    {
        auto* list = w.findChild<TqelHTMSimplelistbox*>(QStringLiteral("lb"));
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    ScratchHome home{"2002-12-21T10:00:00"};
    TeKalkulatorOdsetkowy w;
};

TEST_F(KalkulatorOdsetkowyTest, SameDayGivesNoInterest)
{
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kalkulator odsetkowy"));
    set("ceKwotaGlowna", "1000");
    EXPECT_EQ(shown("deTErminPlatnosci"), "21-12-2002");
    EXPECT_EQ(shown("deDataWystawienia"), "21-12-2002");
    EXPECT_EQ(shown("lbIleDni"), "0 dni");
    EXPECT_EQ(shown("lbOdsetki"), "0,00 zł");
    EXPECT_EQ(shown("lbRazem"), "1 000,00 zł");
    EXPECT_EQ(shown("lbKiedy"), shown("lbKiedy2"));
}

TEST_F(KalkulatorOdsetkowyTest, StatutoryJuly2002SplitsAtTheRateChange)
{
    set("ts", "1");
    set("ceKwotaGlowna", "1000");
    set("deTErminPlatnosci", "2002-07-20");
    set("deDataWystawienia", "2002-07-30");
    EXPECT_EQ(shown("lbIleDni"), "10 dni");
    // 21-24 July at 20 %: 2,1918; 25-30 July at 16 %: 2,6301.
    EXPECT_EQ(shown("lbOdsetki"), "4,82 zł");
    EXPECT_EQ(shown("lbRazem"), "1 004,82 zł");
    EXPECT_EQ(shown("lbRazemSlownie"), AmountInWords(Money::FromGrosze(100482)).toStdString());
    EXPECT_EQ(rates().value(0), QStringLiteral("<b>16%</b> od 25 lipca 2002"));
}

TEST_F(KalkulatorOdsetkowyTest, ContractualTabReactsToTheRateAlone)
{
    auto* rate = w.findChild<QWidget*>(QStringLiteral("ceStopaOdsetek"));
    EXPECT_FALSE(rate->isVisibleTo(&w));
    set("ts", "2");
    EXPECT_TRUE(rate->isVisibleTo(&w));
    EXPECT_EQ(shown("ceStopaOdsetek"), "24,00% rocznie");
    EXPECT_TRUE(rates().isEmpty());
    set("ceKwotaGlowna", "1000");
    set("deTErminPlatnosci", "2002-11-21");
    const std::string at24 = shown("lbOdsetki");
    set("ceStopaOdsetek", "12");
    const std::string at12 = shown("lbOdsetki");
    EXPECT_NE(at24, at12);
    EXPECT_EQ(at12, FormatMoney(LinearInterest(Money::FromZloty(1000), Money::FromZloty(12),
                                               qel::ToDateTime(QDate(2002, 11, 21)),
                                               qel::ToDateTime(QDate(2002, 12, 21))))
                        .toStdString());
}

TEST_F(KalkulatorOdsetkowyTest, TaxRateListRunsFromTheNewestToThe1990Rows)
{
    const QStringList lines = rates();
    ASSERT_EQ(lines.size(), 37);
    EXPECT_EQ(lines.first(), QStringLiteral("<b>18%</b> od 24 października 2002"));
    EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("<b>65,88%</b> od 1 lipca 1990"));
    EXPECT_EQ(lines.last(), QStringLiteral("<b>91,5%</b> od 1 czerwca 1990"));
}

TEST_F(KalkulatorOdsetkowyTest, OverpaymentGivesANegativeTotalAndNoInterest)
{
    set("ceKwotaGlowna", "100");
    set("ceJuzZaplacono", "150");
    set("deTErminPlatnosci", "2002-10-01");
    EXPECT_EQ(shown("lbOdsetki"), "0,00 zł");
    EXPECT_EQ(shown("lbRazem"), "-50,00 zł");
    EXPECT_EQ(shown("lbRazemSlownie").rfind("minus ", 0), 0u);
}

TEST_F(KalkulatorOdsetkowyTest, AnInvalidStartDateCountsAsNone)
{
    set("ceKwotaGlowna", "1000");
    set("deTErminPlatnosci", "31-02-2002");
    EXPECT_EQ(shown("deTErminPlatnosci"), "31-02-2002");
    EXPECT_EQ(shown("lbKiedy"), "-");
    EXPECT_EQ(shown("lbIleDni"), "-");
    EXPECT_EQ(shown("lbOdsetki"), "0,00 zł");  // not every day since 1990
    EXPECT_EQ(shown("lbRazem"), "1 000,00 zł");
}

TEST(KalkulatorOdsetkowy, StoredInputsComeBack)
{
    ScratchHome home("2002-12-21T10:00:00");
    {
        TeKalkulatorOdsetkowy w;
        SetComponent(&w, QStringLiteral("ts"), QStringLiteral("2"));
        SetComponent(&w, QStringLiteral("ceKwotaGlowna"), QStringLiteral("2500,5"));
        SetComponent(&w, QStringLiteral("ceStopaOdsetek"), QStringLiteral("13"));
        SetComponent(&w, QStringLiteral("deTErminPlatnosci"), QStringLiteral("2002-06-01"));
        SetComponent(&w, QStringLiteral("deDataWystawienia"), QStringLiteral("2002-07-01"));  // not kept
    }
    TeKalkulatorOdsetkowy again;
    EXPECT_EQ(ComponentText(&again, QStringLiteral("ts")), QStringLiteral(" Umowne (liniowe)"));
    EXPECT_EQ(ComponentText(&again, QStringLiteral("ceKwotaGlowna")), QStringLiteral("2 500,50 zł"));
    EXPECT_EQ(ComponentText(&again, QStringLiteral("ceStopaOdsetek")), QStringLiteral("13,00% rocznie"));
    EXPECT_EQ(ComponentText(&again, QStringLiteral("deTErminPlatnosci")), QStringLiteral("01-06-2002"));
    EXPECT_EQ(ComponentText(&again, QStringLiteral("deDataWystawienia")), QStringLiteral("21-12-2002"));
    EXPECT_TRUE(again.findChild<QWidget*>(QStringLiteral("ceStopaOdsetek"))->isVisibleTo(&again));
}

}  // namespace

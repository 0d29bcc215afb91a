#include "calc/kalkulator_podatkowy.h"

#include "scratch_home.h"
#include "widgets/component_access.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <memory>

namespace {

std::string Shown(QWidget& w, const char* name)
{
    return ComponentText(&w, QString::fromLatin1(name)).toStdString();
}

void Set(QWidget& w, const char* name, const char* value)
{
    QString error;
    ASSERT_TRUE(SetComponent(&w, QString::fromLatin1(name), QString::fromUtf8(value), &error))
        << error.toStdString();
}

class KalkulatorPodatkowyTest : public ::testing::Test {
protected:
    ScratchHome home;
};

TEST_F(KalkulatorPodatkowyTest, RecomputesOnEveryInput)
{
    TeKalkulatorPodatkowy w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kalkulator podatkowy - wersja testowa"));
    EXPECT_EQ(Shown(w, "cbFormula"), "działalność gospodarcza, zasady ogólne");
    EXPECT_EQ(Shown(w, "eZUSemerytalny"), "2 959,42 zł");  // the business values

    Set(w, "cbFormula", "1");
    EXPECT_EQ(Shown(w, "eKosztyUzyskania"), "1 155,12 zł");
    Set(w, "eWynagrodzenie", "2000");
    EXPECT_EQ(Shown(w, "eBrutto"), "24 000,00 zł");
    EXPECT_EQ(Shown(w, "eZUSemerytalny"), "2 342,40 zł");
    EXPECT_EQ(Shown(w, "eZUSrentowy"), "1 560,00 zł");
    EXPECT_EQ(Shown(w, "eZUSchorobowy"), "976,80 zł");
    EXPECT_EQ(Shown(w, "eZUSzdrowotny"), "1 860,00 zł");
    EXPECT_EQ(Shown(w, "lbDochod"), "17 965,68 zł");
    EXPECT_EQ(Shown(w, "lbPodatek"), "1 040,00 zł");
    EXPECT_EQ(Shown(w, "lbNetto"), "16 925,68 zł");
    EXPECT_EQ(Shown(w, "lbZUS"), "6 739,20 zł");

    // A hand-typed retirement amount counts until another input changes.
    Set(w, "eZUSemerytalny", "2000");
    EXPECT_EQ(Shown(w, "eZUSemerytalny"), "2 000,00 zł");
    EXPECT_EQ(Shown(w, "lbDochod"), "18 308,08 zł");
    Set(w, "eZUSrentowyProc", "6,5");
    EXPECT_EQ(Shown(w, "eZUSemerytalny"), "2 342,40 zł");
    EXPECT_EQ(Shown(w, "lbDochod"), "17 965,68 zł");

    // Letters in an amount change nothing.
    Set(w, "eBrutto", "dużo");
    EXPECT_EQ(Shown(w, "lbDochod"), "17 965,68 zł");
}

TEST_F(KalkulatorPodatkowyTest, FlatRateShowsItsKindAndSkipsTheHealthDeduction)
{
    TeKalkulatorPodatkowy w;
    auto* kind = w.findChild<QWidget*>(QStringLiteral("cbRodzajRyczaltu"));
    EXPECT_FALSE(kind->isVisibleTo(&w));
    Set(w, "cbFormula", "5");
    EXPECT_TRUE(kind->isVisibleTo(&w));
    EXPECT_EQ(Shown(w, "eKosztyUzyskania"), "0,00 zł");
    Set(w, "cbRodzajRyczaltu", "2");
    Set(w, "eBrutto", "100000");
    EXPECT_EQ(Shown(w, "lbDochod"), "94 452,64 zł");
    EXPECT_EQ(Shown(w, "lbPodatek"), "8 028,47 zł");
    EXPECT_EQ(Shown(w, "lbZUS"), "6 722,30 zł");
}

TEST_F(KalkulatorPodatkowyTest, StoredInputsComeBackOnTheNextOpening)
{
    {
        TeKalkulatorPodatkowy w;
        Set(w, "eBrutto", "50000");
        Set(w, "eKosztyUzyskania", "10000");
        Set(w, "cbRodzajRyczaltu", "1");
        Set(w, "eWynagrodzenie", "3000");  // not kept
    }
    TeKalkulatorPodatkowy again;
    EXPECT_EQ(Shown(again, "eWynagrodzenie"), "0,00 zł");
    EXPECT_EQ(Shown(again, "eBrutto"), "36 000,00 zł");
    EXPECT_EQ(Shown(again, "eKosztyUzyskania"), "10 000,00 zł");
    EXPECT_EQ(Shown(again, "cbRodzajRyczaltu"), "produkcja (5,5%)");
    EXPECT_EQ(Shown(again, "lbDochod"), "20 452,64 zł");  // 36 000 - 10 000 - business contributions
}

}  // namespace

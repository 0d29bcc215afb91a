#include "print/splash.h"

#include "platform/datetime.h"
#include "scratch_home.h"
#include "text/dates.h"

#include <gtest/gtest.h>

namespace {

// Every test starts before the run's window exists.
class Splash : public ::testing::Test {
protected:
    void TearDown() override { delete TeDm_Splash::Instance(false); }
    static void SetNow(const char* iso) { qputenv("QEL_NOW", iso); }
};

}  // namespace

TEST_F(Splash, TextAloneStaysUntilTheNextHalfSecondTick)
{
    EXPECT_EQ(TeDm_Splash::Instance(false), nullptr);
    ProgressStep(5, 10);  // nothing to report to yet
    EXPECT_EQ(TeDm_Splash::Instance(false), nullptr);

    ShowProgress(QStringLiteral("Czytam kontrahentów"));
    TeDm_Splash* s = TeDm_Splash::Instance(false);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->text(), QStringLiteral("Czytam kontrahentów "));
    EXPECT_TRUE(s->timerActive());
    EXPECT_EQ(s->timerInterval(), 500);
    EXPECT_FALSE(s->progressVisible());
    s->Timer1Timer();
    EXPECT_FALSE(s->isVisible());
    EXPECT_FALSE(s->timerActive());
}

TEST_F(Splash, EstimateOnlyFromTheFourthStepBelowNinetyPercent)
{
    ScratchHome home("2002-12-21T10:00:00");
    ShowProgress(QStringLiteral("Zapisuję"));
    TeDm_Splash* s = TeDm_Splash::Instance(false);
    SetNow("2002-12-21T10:00:10");
    for (int position : {1, 2, 3}) {
        ProgressStep(position, 100);
        EXPECT_TRUE(s->remainingText().isEmpty()) << position;
        EXPECT_FALSE(s->timerActive()) << "a step keeps the window up";
    }
    EXPECT_TRUE(s->progressVisible());
    EXPECT_EQ(s->progressValue(), 3);
    EXPECT_EQ(s->progressMaximum(), 100);

    // 10 s for 4 of 100: 250 s in all, 240 s to go.
    ProgressStep(4, 100);
    EXPECT_EQ(s->remainingText(), QStringLiteral("jeszcze ok. ") + DurationText(240.0 / 86400.0));
    EXPECT_TRUE(s->remainingText().startsWith(QStringLiteral("jeszcze ok. 4 min.")));
    SetNow("2002-12-21T10:01:00");
    ProgressStep(90, 100);  // from 90 % on the last estimate stays
    EXPECT_EQ(s->remainingText(), QStringLiteral("jeszcze ok. ") + DurationText(240.0 / 86400.0));
    EXPECT_EQ(s->progressValue(), 90);
}

TEST_F(Splash, NoEstimateAcrossMidnight)
{
    ScratchHome home("2002-12-21T23:59:50");
    ShowProgress(QStringLiteral("Kopia"));
    TeDm_Splash* s = TeDm_Splash::Instance(false);
    SetNow("2002-12-22T00:00:10");
    ProgressStep(10, 100);
    EXPECT_TRUE(s->remainingText().isEmpty());
}

TEST_F(Splash, StepShowsAHiddenWindowWithDots)
{
    ShowProgress(QStringLiteral("Start"));
    TeDm_Splash* s = TeDm_Splash::Instance(false);
    s->Timer1Timer();
    ASSERT_FALSE(s->isVisible());
    ProgressStep(1, 4);
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->text(), QStringLiteral("..."));
}

TEST_F(Splash, EndHidesAtTheNextShortTick)
{
    ScratchHome home("2002-12-21T10:00:00");
    ShowProgress(QStringLiteral("Odczytuję"));
    ProgressStep(2, 10);
    TeDm_Splash* s = TeDm_Splash::Instance(false);
    EndProgress();
    EXPECT_EQ(s->timerInterval(), 10);
    EXPECT_TRUE(s->timerActive());
    EXPECT_FALSE(s->progressVisible());
    EXPECT_TRUE(s->isVisible());
    s->Timer1Timer();
    EXPECT_FALSE(s->isVisible());

    // The next text gets its half second again, and its own start time.
    ShowProgress(QStringLiteral("Dalej"));
    EXPECT_EQ(s->timerInterval(), 500);
    SetNow("2002-12-21T10:00:20");
    ProgressStep(5, 100);
    EXPECT_TRUE(s->remainingText().startsWith(QStringLiteral("jeszcze ok. 6 min.")));
}

TEST_F(Splash, ShownAsADialogItStays)
{
    ShowProgress(QStringLiteral("Okno"));
    TeDm_Splash* s = TeDm_Splash::Instance(false);
    s->hide();
    s->setWindowModality(Qt::ApplicationModal);
    s->show();
    EndProgress();
    s->Timer1Timer();
    EXPECT_TRUE(s->isVisible());
}

#include "controls/wizard_button.h"

#include "controls/tab_set_flat.h"
#include "core/interaction.h"
#include "core/messages.h"

#include <gtest/gtest.h>

#include <QDialog>

namespace {

// A wizard of four pages with its two buttons; the buttons find the tab set
// themselves, as the last one of their window.
class Wizard : public ::testing::Test {
protected:
    Wizard()
    {
        tabs = new TqelTabSetFlat(&dialog);
        tabs->setItems({QStringLiteral("Witamy"), QStringLiteral("Dane"), QStringLiteral("Opcje"),
                        QStringLiteral("Koniec")});
        forward = new TqelDalejWsteczButton(&dialog);
        back = new TqelDalejWsteczButton(&dialog);
        back->setRodzaj(TqelDAlejWstecz::dwWstecz);
        forward->updateCaption();
    }
    QString captions() const { return forward->text() + u'/' + back->text(); }

    QDialog dialog;
    TqelTabSetFlat* tabs;
    TqelDalejWsteczButton* forward;
    TqelDalejWsteczButton* back;
};

TEST_F(Wizard, StepsThroughTheTabsWithMatchingCaptions)
{
    EXPECT_EQ(captions(), QStringLiteral("&Start >/Anuluj"));
    forward->click();
    EXPECT_EQ(tabs->tabIndex(), 1);
    EXPECT_EQ(captions(), QStringLiteral("&Dalej >/<< &Wstecz!"));
    forward->click();
    forward->click();
    EXPECT_EQ(tabs->tabIndex(), 3);
    EXPECT_EQ(captions(), QStringLiteral("&Zakończ/<< &Wstecz!"));
    back->click();
    EXPECT_EQ(tabs->tabIndex(), 2);

    back->setCalaWstecz(true);
    EXPECT_EQ(back->text(), QStringLiteral("<< &Wróć!"));
    back->click();
    EXPECT_EQ(tabs->tabIndex(), 0);
    EXPECT_EQ(captions(), QStringLiteral("&Start >/Anuluj"));
}

TEST_F(Wizard, PagesRefuseOrRedirectTheStep)
{
    int after = -2;
    bool afterAllow = true;
    forward->onAfterDalej = [&](int next, TqelDAlejWstecz, bool& allow) { after = next; afterAllow = allow; };

    forward->onDalej = [](int, TqelDAlejWstecz, bool& allow) { allow = false; };
    forward->click();
    EXPECT_EQ(tabs->tabIndex(), 0);
    EXPECT_EQ(after, 0);  // the tab it stayed on
    EXPECT_FALSE(afterAllow);

    forward->onDalej = nullptr;
    forward->onGetNextTab = [](int, int& next, TqelDAlejWstecz, bool&) { next = 2; };
    forward->click();
    EXPECT_EQ(tabs->tabIndex(), 2);
    EXPECT_EQ(after, 2);

    forward->onGetNextTab = [](int, int& next, TqelDAlejWstecz, bool& allow) { next = 3; allow = false; };
    forward->click();
    EXPECT_EQ(tabs->tabIndex(), 2);
    EXPECT_EQ(after, 3);  // the proposed tab
}

TEST_F(Wizard, AnErrorFromThePageIsShownAndTheTabStays)
{
    qel::ScriptedPrompts script;
    bool afterFired = false;
    forward->onDalej = [](int, TqelDAlejWstecz, bool&) { RaiseError(QStringLiteral("%Podaj nazwisko!")); };
    forward->onAfterDalej = [&](int, TqelDAlejWstecz, bool&) { afterFired = true; };
    forward->click();
    EXPECT_EQ(tabs->tabIndex(), 0);
    EXPECT_FALSE(afterFired);
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_TRUE(script.asked()[0].text.contains(QStringLiteral("Podaj nazwisko!")));
}

TEST_F(Wizard, TheLastStepEndsTheWizard)
{
    bool fastEnd = false;
    forward->setAllowFastEnd(true);
    forward->setEndResult(qel::mrOk);
    forward->onAfterFastEnd = [&](TqelDalejWsteczButton*) { fastEnd = true; };
    tabs->setTabIndex(3);
    dialog.show();
    forward->click();
    EXPECT_TRUE(fastEnd);
    EXPECT_EQ(dialog.result(), qel::mrOk);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(Wizard, BackOnTheFirstTabClosesOnlyWithFastEnd)
{
    dialog.show();
    back->click();
    EXPECT_TRUE(dialog.isVisible());
    back->setAllowFastEnd(true);
    back->click();
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace

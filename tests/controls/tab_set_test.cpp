#include "controls/tab_set.h"

#include "controls/wizard_button.h"

#include <gtest/gtest.h>

#include <QDialog>

namespace {

TEST(TqelTabSet, TakesTabsFromTheNotebookAndSwitchesItsPages)
{
    QDialog window;
    auto* tabs = new TqelTabSet(&window);
    qel::Notebook pages;
    QLabel info;
    pages.addPage(QStringLiteral("Plik|Wybór pliku do importu"));
    pages.addPage(QStringLiteral("Pola|Przyporządkowanie pól"));
    pages.addPage(QStringLiteral("Import"));
    tabs->setNotebook(&pages);
    tabs->setInfoLabel(&info);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Pola"));

    int clicks = 0;
    QObject::connect(tabs, &TqelTabSet::clicked, [&] { ++clicks; });
    tabs->setTabIndex(1);
    EXPECT_EQ(pages.pageIndex(), 1);
    EXPECT_EQ(info.text(), QStringLiteral("Przyporządkowanie pól"));
    tabs->setTabIndex(1);  // the current index: nothing
    tabs->setTabIndex(7);  // past the last: tab 0
    EXPECT_EQ(tabs->tabIndex(), 0);
    EXPECT_EQ(clicks, 2);
    tabs->selectPrevious();
    EXPECT_EQ(tabs->tabIndex(), 2);
    tabs->selectNext();
    EXPECT_EQ(tabs->tabIndex(), 0);
    EXPECT_EQ(info.text(), QStringLiteral("Wybór pliku do importu"));

    // Without a flat tab set in the window the wizard buttons step through this one.
    auto* forward = new TqelDalejWsteczButton(&window);
    forward->updateCaption();
    EXPECT_EQ(forward->text(), QStringLiteral("&Start >"));
    forward->click();
    EXPECT_EQ(tabs->tabIndex(), 1);
    EXPECT_EQ(forward->text(), QStringLiteral("&Dalej >"));
}

}  // namespace

#include "app/application.h"
#include "app/family_check.h"
#include "app/launcher_actions.h"
#include "app/low_colour.h"
#include "app/main_window.h"
#include "core/interaction.h"
#include "core/messages.h"
#include "scratch_home.h"
#include "widgets/component_access.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <gtest/gtest.h>

TEST(Launcher, LabelsMenuAndDate)
{
    ScratchHome home("2002-12-21T10:00:00");
    TeMain w;
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirtal"));
    EXPECT_EQ(w.size(), QSize(251, 350));
    EXPECT_EQ(ComponentText(&w, QStringLiteral("lbData")), QStringLiteral("sobota, 21 grudnia 2002"));

    struct Label {
        const char* name;
        const char* caption;
        bool enabled;
    };
    const Label labels[] = {
        {"qelClickableLabel7", "Kalkulator", true},
        {"qelClickableLabel4", "Odsetki za zwłokę", true},
        {"qelClickableLabel2", "Kredyt", true},
        {"bNowaDelegacjia", "Lokata", false},
        {"qelClickableLabel8", "Podatek dochodowy", true},
        {"qelClickableLabel6", "Tabela wynagrodzeń", false},
        {"qelClickableLabel10", "Wezwanie do potwierdzenia salda", true},
        {"qelClickableLabel9", "Wezwanie do zapłaty...", true},
        {"qelClickableLabel12", "Pobierz kursy walut z NBP", true},
        {"bInne", "Inne funkcje", true},
    };
    for (const Label& l : labels) {
        auto* widget = qobject_cast<QWidget*>(FindComponent(&w, QString::fromUtf8(l.name)));
        ASSERT_TRUE(widget) << l.name;
        EXPECT_EQ(ComponentText(widget), QString::fromUtf8(l.caption)) << l.name;
        EXPECT_EQ(widget->isEnabled(), l.enabled) << l.name;
    }

    QStringList names;
    for (QAction* a : w.mainMenu()->actions())
        names << a->objectName();
    EXPECT_EQ(names.join(u' '),
              QStringLiteral("Edycjabazdanych1 k1 kontrahenci1 N7 Dziennik1 N1 Opcjekopiizapasowych1 "
                             "Opcjedrukowania1 N2 Automatycznaaktualizacja1 Kontakttechniczny1 N5 Oprogramie1 "
                             "Zamwnaszeprogramy1 N3 Zamknij1"));
}

TEST(Launcher, FunctionsOpenTheirWindowsOrTheNotice)
{
    ScratchHome home("2002-12-21T10:00:00");
    TeMain w;
    qel::ScriptedPrompts script;
    ASSERT_TRUE(ClickComponent(&w, QStringLiteral("qelClickableLabel8")));
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_EQ(script.asked()[0].kind, qel::Prompt::Kind::Window);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("TeKalkulatorPodatkowy"));

    script.clear();
    ASSERT_TRUE(ClickComponent(&w, QStringLiteral("Zamwnaszeprogramy1")));
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_EQ(script.asked()[0].kind, qel::Prompt::Kind::Message);
    EXPECT_TRUE(script.asked()[0].text.startsWith(QStringLiteral("*Ten moduł nie jest jeszcze w pełni aktywny")));
}

TEST(ExceptionHandler, ShowsTheMessageAndGoesOn)
{
    qel::ScriptedPrompts script;
    AppEvents1Exception(EQelError(QStringLiteral("%Nie można zapisać pliku\r\nDysk jest pełny.")));
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("%Nie można zapisać pliku"));
    EXPECT_EQ(script.asked()[0].detail, QStringLiteral("Dysk jest pełny."));
}

TEST(LowColour, PanelsTakeTheButtonFace)
{
    TeMain w;
    ApplySystemColours(&w);
    auto* panel = qobject_cast<QWidget*>(FindComponent(&w, QStringLiteral("qelPanel2")));
    ASSERT_TRUE(panel);
    EXPECT_NE(panel->palette().color(QPalette::Window), QColor(0xF0, 0xF2, 0xE3));
}

TEST(FamilyCheck, KeepsOnlyOtherProgramsOfTheFamily)
{
    ScratchHome home;
    const QString self = QCoreApplication::applicationFilePath();
    auto copy = [&](const QString& name) {
        const QString path = QDir(home.path()).filePath(name);
        QFile::copy(self, path);
        return path;
    };
    const QString other = copy(QStringLiteral("mirtal2"));
    const QStringList running = {self, QStringLiteral("/bin/sh"), other, copy(QStringLiteral("qelstart")),
                                 copy(QStringLiteral("instaluj"))};
    const QStringList names = RunningFamilyPrograms(self, running);
    ASSERT_EQ(names.size(), 1);
    EXPECT_TRUE(names[0].startsWith(QStringLiteral("Mirtal (QEL) "))) << names[0].toStdString();
}

TEST(Launcher, TitleDateAndOtherFunctionsDropTheMainMenu)
{
    TeMain w;
    w.show();
    for (const char* name : {"bInne", "qelClickableLabel1", "lbData"}) {
        w.mainMenu()->hide();
        ASSERT_TRUE(ClickComponent(&w, QString::fromLatin1(name)));
        EXPECT_TRUE(w.mainMenu()->isVisible()) << name;
    }
    w.mainMenu()->hide();
}

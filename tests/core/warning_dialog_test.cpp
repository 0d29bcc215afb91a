#include "core/warning_dialog.h"

#include "controls/color_button.h"
#include "core/messages.h"
#include "core/settings.h"
#include "platform/clock.h"
#include "platform/cp1250.h"
#include "platform/paths.h"
#include "scratch_home.h"
#include "widgets/markup_label.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>

namespace {

QString LostLog()
{
    return qel::ProgramFolder() + QStringLiteral("/!Stracone komunikaty.log");
}

template <typename T>
T* Part(QWidget& w, const char* name)
{
    T* part = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(part, nullptr) << name;
    return part;
}

bool Shown(QWidget& w, const char* name)
{
    QWidget* part = Part<QWidget>(w, name);
    return part && !part->isHidden();
}

qel::Prompt MessagePrompt(const QString& title, const QString& head, const QString& detail = {})
{
    qel::Prompt p;
    p.title = title;
    p.text = head;
    p.detail = detail;
    p.timeoutSeconds = kMessageTimeoutSeconds;
    return p;
}

}  // namespace

TEST(WarningDialog, MarkersChooseIconsButtonsAndText)
{
    struct Case {
        const char* title;
        const char* head;
        const char* detail;
        const char* caption;
        const char* label;
        const char* icons;  // i info, s stop, w exclamation, q question
        bool cancel;
        const char* ok;
    } cases[] = {
        {"Mirtal", "%Błąd zapisu", "", "Mirtal", "Błąd zapisu", "s", false, "&OK"},
        {"Mirtal", "%", "", "Mirtal", "%", "s", false, "&OK"},  // markers go only while two characters remain
        {"Mirtal", "!Uwaga", "", "Mirtal", "Uwaga", "w", false, "&OK"},
        {"Mirtal", "*Informacja", "", "Mirtal", "Informacja", "i", false, "&OK"},
        {"Mirtal", "?Czy zapisać zmiany?", "", "Mirtal", "?Czy zapisać zmiany?", "q", true, "&Tak"},
        {"Mirtal", "Zwykły", "szczegóły\r\ndalej", "Mirtal", "<b>Zwykły</b><br>   szczegóły<br>dalej", "", true,
         "&OK"},
        {"Mirtal", "!*%x", "", "Mirtal", "x", "w", false, "&OK"},
        {"Mirtal", "Tekst z ! w\tśrodku", "", "Mirtal", "Tekst z ! w środku", "w", false, "&OK"},
        {"!%Tytuł", "treść", "", "Tytuł", "treść", "w", false, "&OK"},
        {"%Tytuł", "treść", "", "Tytuł", "treść", "s", false, "&OK"},
        {"%!Tytuł", "treść", "", "!Tytuł", "treść", "sw", false, "&OK"},  // "!" goes before "%" only
        // A question mark in the title shows the icon; the buttons follow the head line only.
        {"?Pytanie", "treść", "", "?Pytanie", "treść", "q", false, "&OK"},
    };
    for (const Case& c : cases) {
        TeQelWarningDialog d;
        d.Setup(MessagePrompt(QString::fromUtf8(c.title), QString::fromUtf8(c.head), QString::fromUtf8(c.detail)));
        const std::string name = c.head;
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.caption)) << name;
        EXPECT_EQ(d.labelText(), QString::fromUtf8(c.label)) << name;
        const QString icons = QString::fromLatin1(c.icons);
        EXPECT_EQ(Shown(d, "iInfo"), icons.contains(u'i')) << name;
        EXPECT_EQ(Shown(d, "iStop"), icons.contains(u's')) << name;
        EXPECT_EQ(Shown(d, "iWykrzyknik"), icons.contains(u'w')) << name;
        EXPECT_EQ(Shown(d, "iQuestion"), icons.contains(u'q')) << name;
        EXPECT_EQ(Shown(d, "bAnuluj"), c.cancel) << name;
        EXPECT_EQ(Part<TqelColorButton>(d, "bOK")->text(), QString::fromUtf8(c.ok)) << name;
        EXPECT_EQ(Part<TqelColorButton>(d, "bAnuluj")->text(),
                  c.ok == std::string("&Tak") ? QStringLiteral("&Nie") : QStringLiteral("&Anuluj"))
            << name;
        EXPECT_FALSE(Shown(d, "cbDontShowAgain")) << name;
        EXPECT_FALSE(Shown(d, "lbInfo")) << name;
    }
}

TEST(WarningDialog, CountDownEndsWithTheSafeAnswerAndOneLogLine)
{
    for (int safe : {int(qel::mrOk), int(qel::mrCancel)}) {
        ScratchHome home("2002-12-21T10:00:00");
        TeQelWarningDialog d;
        qel::Prompt p = MessagePrompt(QStringLiteral("Mirtal"), QStringLiteral("?Zapisać?"), QStringLiteral("Plik"));
        p.safeResult = safe;
        d.Setup(p);
        ASSERT_EQ(d.remainingTicks(), 610);
        SetLastMessageLost(false);
        for (int i = 0; i < 611; ++i)
            d.Timer1Timer();
        EXPECT_EQ(d.result(), 0) << "still waiting after 122 s";
        EXPECT_FALSE(QFile::exists(LostLog()));
        d.Timer1Timer();
        EXPECT_EQ(d.result(), safe);
        EXPECT_TRUE(LastMessageWasLost());
        EXPECT_EQ(qel::DecodeCp1250(ReadFileBytes(LostLog())),
                  QStringLiteral("21-12-2002 10:00:00 - Mirtal: <b>?Zapisać?</b><br>   Plik\r\n"));
        // Nothing more once it closed.
        d.Timer1Timer();
        EXPECT_EQ(ReadFileBytes(LostLog()).count('\n'), 1);
    }
}

TEST(WarningDialog, CountDownShowsGaugeAndSecondsLate)
{
    TeQelWarningDialog d;
    d.Setup(MessagePrompt(QStringLiteral("Mirtal"), QStringLiteral("Tekst")));
    struct Step {
        int ticks;  // steps run in total
        bool gauge;
        bool stop;
        const char* text;
    } steps[] = {
        {1, false, false, nullptr},
        {187, false, false, nullptr},  // tick 186: 30 %
        {188, false, true, "okienko zniknie za 85 sek.\n(możesz zamknąć je sam)"},
        {220, true, true, "okienko zniknie za 79 sek.\n(możesz zamknąć je sam)"},
        {610, true, true, "okienko zniknie za 1 sek.\n(możesz zamknąć je sam)"},
    };
    int done = 0;
    for (const Step& s : steps) {
        for (; done < s.ticks; ++done)
            d.Timer1Timer();
        EXPECT_EQ(Shown(d, "Gauge1"), s.gauge) << s.ticks;
        EXPECT_EQ(Shown(d, "bStoj"), s.stop) << s.ticks;
        if (s.text) {
            EXPECT_EQ(Part<QLabel>(d, "lbCzas")->text(), QString::fromUtf8(s.text)) << s.ticks;
        }
    }
}

TEST(WarningDialog, StopButtonEndsTheCountDownForGood)
{
    ScratchHome home;
    TeQelWarningDialog d;
    d.Setup(MessagePrompt(QStringLiteral("Mirtal"), QStringLiteral("Tekst")));
    for (int i = 0; i < 300; ++i)
        d.Timer1Timer();
    ASSERT_TRUE(Shown(d, "bStoj"));
    Part<TqelColorButton>(d, "bStoj")->click();
    EXPECT_FALSE(Shown(d, "bStoj"));
    EXPECT_FALSE(Shown(d, "Gauge1"));
    EXPECT_EQ(Part<QLabel>(d, "lbCzas")->text(), QStringLiteral("Naciśnij OK lub Anuluj, aby zakończyć."));
    for (int i = 0; i < 1000; ++i)
        d.Timer1Timer();
    EXPECT_EQ(d.result(), 0);
    EXPECT_FALSE(QFile::exists(LostLog()));
    Part<TqelColorButton>(d, "bOK")->click();
    EXPECT_EQ(d.result(), qel::mrOk);
}

TEST(WarningDialog, NoCountDownWithNegativeTimeOut)
{
    TeQelWarningDialog d;
    qel::Prompt p = MessagePrompt(QStringLiteral("Mirtal"), QStringLiteral("Tekst"));
    p.timeoutSeconds = -1;
    d.Setup(p);
    for (int i = 0; i < 2000; ++i)
        d.Timer1Timer();
    EXPECT_EQ(d.result(), 0);
    EXPECT_FALSE(Shown(d, "Gauge1"));
}

TEST(WarningDialog, ButtonsEscapeAndLosingActivation)
{
    struct Case {
        const char* head;
        const char* detail;
        const char* button;  // nullptr: Escape
        int result;
    } cases[] = {
        {"?Usunąć?", "", "bOK", qel::mrOk},
        {"?Usunąć?", "", "bAnuluj", qel::mrCancel},
        {"?Usunąć?", "", nullptr, qel::mrCancel},
        {"Tekst", "", nullptr, qel::mrOk},  // without a cancel button Escape means OK
    };
    for (const Case& c : cases) {
        TeQelWarningDialog d;
        d.Setup(MessagePrompt(QStringLiteral("Mirtal"), QString::fromUtf8(c.head), QString::fromUtf8(c.detail)));
        d.show();
        // Switching to another window answers nothing.
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&d, &deactivate);
        QApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.result(), 0);
        if (c.button)
            Part<TqelColorButton>(d, c.button)->click();
        else
            d.reject();
        EXPECT_EQ(d.result(), c.result) << c.head;
        EXPECT_FALSE(d.isVisible());
    }
}

TEST(WarningDialog, CheckBoxWritesTheKeyAtOnce)
{
    ScratchHome home;
    TeQelWarningDialog d;
    d.SetupFromMessage(QStringLiteral("*Tekst"), QStringLiteral("próbaKlucza"));
    ASSERT_TRUE(Shown(d, "cbDontShowAgain"));
    Part<QCheckBox>(d, "cbDontShowAgain")->setChecked(true);
    EXPECT_TRUE(qel::ReadSettingBool(QStringLiteral("DontShowAgain"), QStringLiteral("próbaKlucza"), false));
    EXPECT_TRUE(d.dontShowAgain());
    Part<QCheckBox>(d, "cbDontShowAgain")->setChecked(false);
    EXPECT_FALSE(qel::ReadSettingBool(QStringLiteral("DontShowAgain"), QStringLiteral("próbaKlucza"), true));
}

TEST(WarningDialog, InfoLabelShowsTheInfoText)
{
    TeQelWarningDialog d;
    d.SetupFromMessage(QStringLiteral("Tekst"), QString(), QStringLiteral("Więcej o tym"));
    ASSERT_TRUE(Shown(d, "lbInfo"));
    qel::ScriptedPrompts script;
    QMetaObject::invokeMethod(Part<QWidget>(d, "lbInfo"), "click");
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("*Więcej o tym"));
}

TEST(MessageFunctions, DontShowAgainCountsAsOkAndFollowsTheDay)
{
    ScratchHome home("2002-12-21T10:00:00");
    qel::ScriptedPrompts script;
    const QString key = QStringLiteral("RegSaveErr") + QString::number(qel::Today().toJulianDay());
    qel::Reply silence;
    silence.result = qel::mrCancel;
    silence.dontShowAgain = true;
    script.answer(silence);
    EXPECT_TRUE(ShowSuppressibleMessage(QStringLiteral("!Rejestr\r\nszczegóły"), key, true));
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_TRUE(script.asked()[0].offerDontShowAgain);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("!Rejestr"));
    EXPECT_EQ(script.asked()[0].detail, QStringLiteral("szczegóły"));
    // Silenced: not shown, answered OK.
    script.answer(qel::mrCancel);
    EXPECT_TRUE(ShowSuppressibleMessage(QStringLiteral("!Rejestr"), key, true));
    EXPECT_EQ(script.asked().size(), 1);
    // The next day has another key.
    ScratchHome nextDay("2002-12-22T10:00:00");
    const QString tomorrow = QStringLiteral("RegSaveErr") + QString::number(qel::Today().toJulianDay());
    script.answer(qel::mrCancel);
    EXPECT_FALSE(ShowSuppressibleMessage(QStringLiteral("!Rejestr"), tomorrow, true));
    EXPECT_EQ(script.asked().size(), 2);
}

TEST(MessageFunctions, GuardedQuestionTimesOutToCancel)
{
    qel::ScriptedPrompts script;
    ShowGuardedQuestion(QStringLiteral("?Zapisać mimo zmian?"), QStringLiteral("próbazapisu"), true);
    ShowMessage(QStringLiteral("?Kontynuować?"));
    ASSERT_EQ(script.asked().size(), 2);
    EXPECT_EQ(script.asked()[0].safeResult, qel::mrCancel);
    EXPECT_EQ(script.asked()[1].safeResult, qel::mrOk);
    EXPECT_EQ(script.asked()[1].timeoutSeconds, kMessageTimeoutSeconds);
}

TEST(MessageFunctions, RaisedErrorsCarryTheirMarkers)
{
    struct Case {
        std::function<void()> raise;
        QString message;
    } cases[] = {
        {[] { RaiseError(QStringLiteral("Brak pliku")); }, QStringLiteral("%Brak pliku")},
        {[] { RaiseError(QStringLiteral("%Brak pliku")); }, QStringLiteral("%Brak pliku")},
        {[] { RaiseError(QStringLiteral("x")); }, QStringLiteral("x")},
        {[] { RaiseIf(true, QStringLiteral("*Bez zmian")); }, QStringLiteral("*Bez zmian")},
    };
    for (const Case& c : cases) {
        try {
            c.raise();
            ADD_FAILURE() << c.message.toStdString();
        } catch (const EQelError& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
    EXPECT_NO_THROW(RaiseIf(false, QStringLiteral("x")));
    try {
        InternalError(QStringLiteral("12"));
    } catch (const EQelError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Błąd wewnętrzny 12!\r\n")));
    }
}

TEST(MessageFunctions, ModuleNotYetActiveRaisesOnlyNearThePlannedDay)
{
    struct Case {
        const char* today;
        bool raises;
        const char* starts;
    } cases[] = {
        {"2002-08-01T12:00:00", true, "Ten moduł nie jest jeszcze w pełni aktywny."},
        {"2002-08-25T12:00:00", true, "Ten moduł nie jest jeszcze aktywny. W tych dniach"},
        {"2002-09-03T12:00:00", false, "Ten moduł nie jest jeszcze aktywny. W tych dniach"},
        {"2003-01-10T12:00:00", false, "Ten moduł nie jest jeszcze aktywny. Powinna"},
    };
    for (const Case& c : cases) {
        ScratchHome home(c.today);
        qel::ScriptedPrompts script;
        bool raised = false;
        try {
            ModuleNotYetActive(true, 2002, 8, 20);
        } catch (const EQelError& e) {
            raised = true;
            EXPECT_TRUE(e.message().startsWith(u'%' + QString::fromUtf8(c.starts))) << c.today;
        }
        EXPECT_EQ(raised, c.raises) << c.today;
        if (!c.raises) {
            ASSERT_EQ(script.asked().size(), 1) << c.today;
            EXPECT_TRUE(script.asked()[0].text.startsWith(u'*' + QString::fromUtf8(c.starts))) << c.today;
        }
    }
}

#include "core/messages.h"

#include "core/cursors.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "text/dates.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

bool lastMessageLost = false;
QString lastMessageKey = QStringLiteral("-");

const QString kDontShowAgain = QStringLiteral("DontShowAgain");

QString ApplicationTitle()
{
    const QString title = QGuiApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Mirtal") : title;
}

}  // namespace

EQelError::EQelError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}

QString ErrorMessageOf(const std::exception& error)
{
    if (const auto* e = dynamic_cast<const EQelError*>(&error))
        return e->message();
    return QString::fromUtf8(error.what());
}

MessageParts SplitMessage(const QString& message)
{
    const qsizetype cr = message.indexOf(u'\r');
    if (cr < 0)
        return {message, QString()};
    return {message.left(cr), message.mid(cr + 2).trimmed()};
}

int ShowDialog(const QString& title, const QString& head, const QString& detail, const QString& info,
               const QString& key, bool offer, int timeoutSeconds, int safeResult)
{
    lastMessageLost = false;
    lastMessageKey = offer ? key : QStringLiteral("-");
    if (timeoutSeconds == 0)
        return qel::mrOk;
    if (offer && !key.isEmpty() && qel::ReadSettingBool(kDontShowAgain, key, false))
        return qel::mrOk;

    qel::Prompt p;
    p.kind = qel::Prompt::Kind::Message;
    p.title = title;
    p.text = head;
    p.detail = detail;
    p.info = info;
    p.key = key;
    p.offerDontShowAgain = offer;
    p.timeoutSeconds = timeoutSeconds;
    p.safeResult = safeResult;
    const qel::Reply r = qel::Ask(p);
    if (offer && !key.isEmpty() && r.dontShowAgain)
        qel::WriteSettingBool(kDontShowAgain, key, true);
    // A silenced message counts as answered OK.
    return r.dontShowAgain && offer ? qel::mrOk : r.result;
}

bool ShowMessage(const QString& message)
{
    const MessageParts parts = SplitMessage(message);
    return ShowMessage(parts.head, parts.detail);
}

bool ShowMessage(const QString& head, const QString& detail)
{
    return ShowMessageInfo(head, detail, QString());
}

bool ShowMessageInfo(const QString& head, const QString& detail, const QString& info)
{
    return ShowDialog(ApplicationTitle(), head, detail, info, QString(), false, kMessageTimeoutSeconds) ==
           qel::mrOk;
}

bool ShowSuppressibleMessage(const QString& message, const QString& key, bool offer)
{
    const MessageParts parts = SplitMessage(message);
    return ShowDialog(ApplicationTitle(), parts.head, parts.detail, QString(), key, offer,
                      kMessageTimeoutSeconds) == qel::mrOk;
}

bool ShowGuardedQuestion(const QString& message, const QString& key, bool offer)
{
    const MessageParts parts = SplitMessage(message);
    return ShowDialog(ApplicationTitle(), parts.head, parts.detail, QString(), key, offer, kMessageTimeoutSeconds,
                      qel::mrCancel) == qel::mrOk;
}

bool LastMessageWasLost()
{
    return lastMessageLost;
}

void SetLastMessageLost(bool lost)
{
    lastMessageLost = lost;
}

QString LastMessageKey()
{
    return lastMessageKey;
}

void RaiseError(const QString& message)
{
    qel::RestoreNormalCursor();
    if (message.size() == 1 || message.startsWith(u'%'))
        throw EQelError(message);
    throw EQelError(u'%' + message);
}

void RaiseIf(bool condition, const QString& message)
{
    if (condition)
        throw EQelError(message);
}

void InternalError(const QString& text)
{
    qel::RestoreNormalCursor();
    throw EQelError(QStringLiteral("Błąd wewnętrzny ") + text + QStringLiteral("!\r\n") +
                    QStringLiteral("Pobierz jak najszybciej aktualizację, a jeśli nie rozwiąże problemu, "
                                   "skorzystaj z funkcji kontaktu technicznego w programie.\r\n") +
                    QStringLiteral("Więcej informacji znajdziesz na stronie www.qel.pl."));
}

QString ModuleNotYetActiveText(int year, int month, int day, bool* isError)
{
    QDate planned(year, month, day);
    if (!planned.isValid())
        planned = QDate(year, month, 25);
    if (!planned.isValid())
        planned = QDate(year, 12, 31);
    const QDate today = qel::Today();
    const QDate grace = planned.addDays(14);
    QString text;
    if (today <= grace) {
        if (today > planned) {
            text = QStringLiteral("Ten moduł nie jest jeszcze aktywny. W tych dniach spodziewana jest aktualizacja "
                                  "udostępniająca tę funkcję.\r\n"
                                  "Nową wersję programu otrzymasz pod numerem telefonu (22) 100 20 30 "
                                  "lub na stronie www.qel.pl.");
        } else {
            text = QStringLiteral("Ten moduł nie jest jeszcze w pełni aktywny. Planowa data udostępnienia: ") +
                   PolishFormatDateTime(QStringLiteral("d mmmmm yyyy"), qel::ToDateTime(planned)).toLower() +
                   QStringLiteral(".\r\nPobierz wtedy nową wersję ze strony www.qel.pl, przez automatyczną "
                                  "aktualizację w programie albo zamów ją telefonicznie: (22) 100 20 30.\r\n");
        }
    } else {
        text = QStringLiteral("Ten moduł nie jest jeszcze aktywny. Powinna być już jednak dostępna aktualizacja "
                              "udostępniająca tę funkcję.\r\n"
                              "Pobierz ją ze strony www.qel.pl lub przez automatyczną aktualizację w programie; "
                              "możesz też zadzwonić: (22) 100 20 30.");
    }
    if (isError)
        *isError = today < grace;
    return text;
}

void ModuleNotYetActive(bool raising, int year, int month, int day)
{
    qel::RestoreNormalCursor();
    bool early = false;
    const QString text = ModuleNotYetActiveText(year, month, day, &early);
    if (raising && early)
        RaiseError(u'%' + text);
    ShowMessage(u'*' + text);
}

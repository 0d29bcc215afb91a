#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The functions around the program's message dialog. A message is one string:
// the head line up to the first CR, the detail after it; markers in the title
// and head line choose the icon and buttons ("*" information, "!" exclamation,
// "%" stop, "?" question with Tak/Nie). Every message goes through qel::Ask, so
// the dialog window (or a test's script) answers it.

// A user-level error: its message is shown by the application-wide handler.
class EQelError : public std::exception {
public:
    explicit EQelError(QString message);
    const char* what() const noexcept override { return utf8_.constData(); }
    const QString& message() const { return message_; }

private:
    QString message_;
    QByteArray utf8_;
};

// The message an exception carries, as the handler shows it.
QString ErrorMessageOf(const std::exception& error);

struct MessageParts {
    QString head;
    QString detail;
};
// Head line up to the first CR; the line end dropped; the rest trimmed is the detail.
MessageParts SplitMessage(const QString& message);

inline constexpr int kMessageTimeoutSeconds = 122;

// The core: returns the dialog's result (1 OK, 2 Cancel). A time-out of 0, or a
// key the user silenced (registry "DontShowAgain"/key), answers OK unseen.
// safeResult is what a time-out answers: OK, except for questions whose OK
// discards data.
int ShowDialog(const QString& title, const QString& head, const QString& detail, const QString& info,
               const QString& key, bool offer, int timeoutSeconds, int safeResult = 1);

bool ShowMessage(const QString& message);
bool ShowMessage(const QString& head, const QString& detail);
bool ShowMessageInfo(const QString& head, const QString& detail, const QString& info);
bool ShowSuppressibleMessage(const QString& message, const QString& key, bool offer);
// A question whose OK would discard data: unanswered, it times out to Cancel.
bool ShowGuardedQuestion(const QString& message, const QString& key = QString(), bool offer = false);

// True when the last dialog closed by its time-out.
bool LastMessageWasLost();
void SetLastMessageLost(bool lost);
// The key of the last suppressible message shown ("-" when none).
QString LastMessageKey();

[[noreturn]] void RaiseError(const QString& message);
void RaiseIf(bool condition, const QString& message);
[[noreturn]] void InternalError(const QString& text);

// The notice for a function planned for the given day; with raising, an error
// while the day is less than two weeks past.
void ModuleNotYetActive(bool raising, int year, int month, int day);
QString ModuleNotYetActiveText(int year, int month, int day, bool* isError);

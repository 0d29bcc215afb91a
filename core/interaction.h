#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;

// Every modal question, message, input box, pick dialog, file dialog, printer
// dialog and modal window of the program goes through Ask(). Tests and the
// snapshot tool replace the handler with a script, so nothing ever blocks on a window.
namespace qel {

enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

struct Prompt {
    enum class Kind { Message, Input, Pick, OpenFile, SaveFile, Folder, Printer, Window };

    Kind kind = Kind::Message;
    QString title;            // window caption
    QString text;             // head line, prompt or label
    QString detail;           // message detail (after the head line)
    QString info;             // extra information behind the info label
    QString key;              // don't-show-again key
    bool offerDontShowAgain = false;
    int timeoutSeconds = -1;  // negative: no count-down
    int safeResult = mrOk;    // what a time-out answers
    QStringList items;        // pick items or file filters
    QString value;            // default text, initial file or folder
    int index = -1;           // default pick
    QDialog* dialog = nullptr;  // the window of a Window prompt
};

struct Reply {
    int result = mrOk;
    QString text;   // typed text or chosen path
    int index = -1; // chosen item
    bool dontShowAgain = false;
    // For a Window prompt under a script: run against the window instead of showing it.
    std::function<void(QDialog&)> act;

    bool accepted() const { return result == mrOk || result == mrYes; }
};

using PromptHandler = std::function<Reply(const Prompt&)>;

Reply Ask(const Prompt& prompt);

// Shows a modal window through the seam (text: its class, value: its name);
// returns its result code.
int ExecModal(QDialog& dialog);

// Installs a handler; an empty one restores the default windows. Returns the previous one.
PromptHandler SetPromptHandler(PromptHandler handler);

// The windows that answer when no script is installed.
Reply AskWithWindows(const Prompt& prompt);

// The seam's window for messages. The plain Qt box serves until the program's
// own message dialog installs itself here.
using MessageWindow = std::function<Reply(const Prompt&)>;
void SetMessageWindow(MessageWindow window);

// A script of answers: installs itself for its lifetime, answers from its queue
// (OK once the queue is empty) and records every prompt it was asked.
class ScriptedPrompts {
public:
    ScriptedPrompts();
    ~ScriptedPrompts();
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    ScriptedPrompts& answer(Reply reply);
    ScriptedPrompts& answer(int result);
    ScriptedPrompts& answerText(const QString& text);
    ScriptedPrompts& answerIndex(int index);

    const QList<Prompt>& asked() const { return asked_; }
    int pending() const { return static_cast<int>(queue_.size()); }
    void clear() { asked_.clear(); }

private:
    Reply next(const Prompt& prompt);

    QList<Reply> queue_;
    QList<Prompt> asked_;
    PromptHandler previous_;
};

}  // namespace qel

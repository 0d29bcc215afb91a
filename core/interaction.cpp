#include "core/interaction.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace qel {
namespace {

PromptHandler& CurrentHandler()
{
    static PromptHandler handler;
    return handler;
}

MessageWindow& CurrentMessageWindow()
{
    static MessageWindow window;
    return window;
}

Reply PlainMessageBox(const Prompt& prompt)
{
    const bool question = prompt.text.contains(u'?');
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Information, prompt.title,
                    prompt.text, QMessageBox::NoButton);
    box.setInformativeText(prompt.detail);
    if (question) {
        box.addButton(QStringLiteral("&Tak"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("&Nie"), QMessageBox::NoRole);
    } else {
        box.addButton(QStringLiteral("&OK"), QMessageBox::AcceptRole);
        if (!prompt.detail.isEmpty())
            box.addButton(QStringLiteral("&Anuluj"), QMessageBox::RejectRole);
    }
    box.exec();
    const auto role = box.buttonRole(box.clickedButton());
    Reply r;
    r.result = (role == QMessageBox::YesRole || role == QMessageBox::AcceptRole) ? mrOk : mrCancel;
    return r;
}

}  // namespace

Reply AskWithWindows(const Prompt& prompt)
{
    Reply r;
    switch (prompt.kind) {
    case Prompt::Kind::Message:
        return CurrentMessageWindow() ? CurrentMessageWindow()(prompt) : PlainMessageBox(prompt);
    case Prompt::Kind::Input: {
        bool ok = false;
        r.text = QInputDialog::getText(QApplication::activeWindow(), prompt.title, prompt.text,
                                       QLineEdit::Normal, prompt.value, &ok);
        r.result = ok ? mrOk : mrCancel;
        return r;
    }
    case Prompt::Kind::Pick: {
        bool ok = false;
        const QString item = QInputDialog::getItem(QApplication::activeWindow(), prompt.title, prompt.text,
                                                   prompt.items, qMax(0, prompt.index), false, &ok);
        r.result = ok ? mrOk : mrCancel;
        r.index = ok ? static_cast<int>(prompt.items.indexOf(item)) : -1;
        r.text = item;
        return r;
    }
    case Prompt::Kind::OpenFile:
    case Prompt::Kind::SaveFile:
    case Prompt::Kind::Folder: {
        const QString filter = prompt.items.join(QStringLiteral(";;"));
        QWidget* parent = QApplication::activeWindow();
        if (prompt.kind == Prompt::Kind::OpenFile)
            r.text = QFileDialog::getOpenFileName(parent, prompt.title, prompt.value, filter);
        else if (prompt.kind == Prompt::Kind::SaveFile)
            r.text = QFileDialog::getSaveFileName(parent, prompt.title, prompt.value, filter);
        else
            r.text = QFileDialog::getExistingDirectory(parent, prompt.title, prompt.value);
        r.result = r.text.isEmpty() ? mrCancel : mrOk;
        return r;
    }
    case Prompt::Kind::Printer:
    case Prompt::Kind::Window:
        r.result = prompt.dialog ? prompt.dialog->exec() : mrCancel;
        return r;
    }
    return r;
}

Reply Ask(const Prompt& prompt)
{
    if (CurrentHandler())
        return CurrentHandler()(prompt);
    return AskWithWindows(prompt);
}

int ExecModal(QDialog& dialog)
{
    Prompt p;
    p.kind = Prompt::Kind::Window;
    p.title = dialog.windowTitle();
    p.text = QString::fromLatin1(dialog.metaObject()->className());
    p.value = dialog.objectName();
    p.dialog = &dialog;
    const Reply r = Ask(p);
    return r.result;
}

PromptHandler SetPromptHandler(PromptHandler handler)
{
    PromptHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

void SetMessageWindow(MessageWindow window)
{
    CurrentMessageWindow() = std::move(window);
}

ScriptedPrompts::ScriptedPrompts()
{
    previous_ = SetPromptHandler([this](const Prompt& p) { return next(p); });
}

ScriptedPrompts::~ScriptedPrompts()
{
    SetPromptHandler(std::move(previous_));
}

ScriptedPrompts& ScriptedPrompts::answer(Reply reply)
{
    queue_.append(std::move(reply));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::answer(int result)
{
    Reply r;
    r.result = result;
    return answer(std::move(r));
}

ScriptedPrompts& ScriptedPrompts::answerText(const QString& text)
{
    Reply r;
    r.text = text;
    return answer(std::move(r));
}

ScriptedPrompts& ScriptedPrompts::answerIndex(int index)
{
    Reply r;
    r.index = index;
    return answer(std::move(r));
}

Reply ScriptedPrompts::next(const Prompt& prompt)
{
    asked_.append(prompt);
    Reply r;
    if (!queue_.isEmpty())
        r = queue_.takeFirst();
    if (prompt.kind == Prompt::Kind::Pick && r.index < 0 && r.result == mrOk)
        r.index = prompt.index;
    if (prompt.kind == Prompt::Kind::Input && r.text.isEmpty() && r.result == mrOk)
        r.text = prompt.value;
    if (prompt.kind == Prompt::Kind::Window && prompt.dialog && r.act)
        r.act(*prompt.dialog);
    return r;
}

}  // namespace qel

#include "tools/snapshot/dialog_recorder.h"

#include "widgets/component_access.h"

#include <QTextStream>

DialogRecorder::DialogRecorder(QStringList answers) : answers_(std::move(answers))
{
    previous_ = qel::SetPromptHandler([this](const qel::Prompt& p) { return answer(p); });
}

DialogRecorder::~DialogRecorder()
{
    qel::SetPromptHandler(std::move(previous_));
}

qel::Reply DialogRecorder::answer(const qel::Prompt& prompt)
{
    qel::Reply r;
    if (prompt.kind == qel::Prompt::Kind::Window) {
        // A modal window opened meanwhile is named, not shown; it takes no answer.
        lines_.append(QStringLiteral("WINDOW\t%1\t%2").arg(prompt.text, EscapeLineEnds(prompt.title)));
        r.result = qel::mrCancel;
        return r;
    }
    QString text = prompt.text;
    if (!prompt.detail.isEmpty())
        text += u'\n' + prompt.detail;
    lines_.append(QStringLiteral("DIALOG\t%1\t%2").arg(EscapeLineEnds(prompt.title), EscapeLineEnds(text)));
    const QString a = answers_.isEmpty() ? QStringLiteral("ok") : answers_.takeFirst();
    r.result = (a == QStringLiteral("cancel") || a == QStringLiteral("no")) ? qel::mrCancel : qel::mrOk;
    r.text = prompt.value;
    r.index = prompt.index;
    return r;
}

void DialogRecorder::print(QTextStream& out) const
{
    for (const QString& line : lines_)
        out << line << '\n';
}

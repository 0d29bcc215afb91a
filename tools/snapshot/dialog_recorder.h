#pragma once

#include "core/interaction.h"

#include <QStringList>

class QTextStream;

// Answers every dialog with the next scripted answer (OK once none is left) and
// keeps what was asked, for the DIALOG lines of the dump.
class DialogRecorder {
public:
    explicit DialogRecorder(QStringList answers);
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    void print(QTextStream& out) const;

private:
    qel::Reply answer(const qel::Prompt& prompt);

    QStringList answers_;
    QStringList lines_;
    qel::PromptHandler previous_;
};

#pragma once

#include <QString>

class QObject;
class QTextStream;
class QWidget;

// Reaching a window's components by their designed names, as a user would act on
// them: for the snapshot tool and for tests that drive a window without a display.
//
// A custom input widget takes part through a public slot
// `simulateInput(const QString&)` (sets the value and fires the change signals)
// and `Q_INVOKABLE QString visibleText() const`; a custom clickable one through a
// public slot `click()`.

QObject* FindComponent(QWidget* window, const QString& name);

// Edits and calculator edits take their text, check boxes and radio buttons 0/1,
// combo boxes and tab sets an index, date edits yyyy-mm-dd.
bool SetComponent(QWidget* window, const QString& name, const QString& value, QString* error = nullptr);
bool ClickComponent(QWidget* window, const QString& name, QString* error = nullptr);

// The text a component shows; a null QString when it shows none.
QString ComponentText(const QObject* component);
QString ComponentText(QWidget* window, const QString& name);

// NAME<TAB>TEXT for every named, visible component, line ends written as "\n".
void DumpComponents(QWidget* window, QTextStream& out);
QString EscapeLineEnds(QString text);

#include "widgets/component_access.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTextStream>
#include <QWidget>

namespace {

bool HasMethod(const QObject* o, const char* signature)
{
    return o->metaObject()->indexOfMethod(QMetaObject::normalizedSignature(signature).constData()) >= 0;
}

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool ParseIndex(const QString& value, int* index)
{
    bool ok = false;
    *index = value.toInt(&ok);
    return ok;
}

}  // namespace

QObject* FindComponent(QWidget* window, const QString& name)
{
    if (!window)
        return nullptr;
    if (window->objectName() == name)
        return window;
    if (QWidget* w = window->findChild<QWidget*>(name))
        return w;
    return window->findChild<QAction*>(name);
}

bool SetComponent(QWidget* window, const QString& name, const QString& value, QString* error)
{
    QObject* o = FindComponent(window, name);
    if (!o)
        return Fail(error, QStringLiteral("no component named %1").arg(name));
    if (HasMethod(o, "simulateInput(QString)")) {
        QMetaObject::invokeMethod(o, "simulateInput", Q_ARG(QString, value));
        return true;
    }
    int index = 0;
    if (auto* edit = qobject_cast<QLineEdit*>(o)) {
        edit->selectAll();
        edit->insert(value);  // emits textEdited, as typing does
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        const bool on = value.trimmed() == QStringLiteral("1");
        if (button->isCheckable() && button->isChecked() != on) {
            if (on || !qobject_cast<QRadioButton*>(button))
                button->click();
            else
                button->setChecked(false);
        }
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(o)) {
        if (!ParseIndex(value, &index) || index < -1 || index >= combo->count())
            return Fail(error, QStringLiteral("%1: no item %2").arg(name, value));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    if (auto* tabs = qobject_cast<QTabBar*>(o)) {
        if (!ParseIndex(value, &index))
            return Fail(error, QStringLiteral("%1: not an index: %2").arg(name, value));
        tabs->setCurrentIndex(index);
        return true;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
        if (!ParseIndex(value, &index))
            return Fail(error, QStringLiteral("%1: not an index: %2").arg(name, value));
        tabs->setCurrentIndex(index);
        return true;
    }
    if (auto* date = qobject_cast<QDateEdit*>(o)) {
        const QDate d = QDate::fromString(value, Qt::ISODate);
        if (!d.isValid())
            return Fail(error, QStringLiteral("%1: not a date: %2").arg(name, value));
        date->setDate(d);
        return true;
    }
    if (auto* spin = qobject_cast<QSpinBox*>(o)) {
        spin->setValue(value.toInt());
        return true;
    }
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(o)) {
        spin->setValue(QString(value).replace(u',', u'.').toDouble());
        return true;
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(o)) {
        text->setPlainText(value);
        return true;
    }
    if (auto* text = qobject_cast<QTextEdit*>(o)) {
        text->setPlainText(value);
        return true;
    }
    return Fail(error, QStringLiteral("%1 takes no input").arg(name));
}

bool ClickComponent(QWidget* window, const QString& name, QString* error)
{
    QObject* o = FindComponent(window, name);
    if (!o)
        return Fail(error, QStringLiteral("no component named %1").arg(name));
    if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        button->click();
        return true;
    }
    if (auto* action = qobject_cast<QAction*>(o)) {
        action->trigger();
        return true;
    }
    if (HasMethod(o, "click()")) {
        QMetaObject::invokeMethod(o, "click");
        return true;
    }
    return Fail(error, QStringLiteral("%1 cannot be clicked").arg(name));
}

QString ComponentText(const QObject* o)
{
    if (!o)
        return QString();
    if (HasMethod(o, "visibleText()")) {
        QString text;
        QMetaObject::invokeMethod(const_cast<QObject*>(o), "visibleText", Q_RETURN_ARG(QString, text));
        return text;
    }
    if (auto* label = qobject_cast<const QLabel*>(o))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(o))
        return edit->text();
    if (auto* box = qobject_cast<const QCheckBox*>(o))
        return box->text() + (box->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]"));
    if (auto* radio = qobject_cast<const QRadioButton*>(o))
        return radio->text() + (radio->isChecked() ? QStringLiteral(" (o)") : QStringLiteral(" ( )"));
    if (auto* button = qobject_cast<const QAbstractButton*>(o))
        return button->text();
    if (auto* combo = qobject_cast<const QComboBox*>(o))
        return combo->currentText();
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(o))
        return spin->text();
    if (auto* group = qobject_cast<const QGroupBox*>(o))
        return group->title();
    if (auto* tabs = qobject_cast<const QTabBar*>(o))
        return tabs->tabText(tabs->currentIndex());
    if (auto* text = qobject_cast<const QPlainTextEdit*>(o))
        return text->toPlainText();
    if (auto* text = qobject_cast<const QTextEdit*>(o))
        return text->toPlainText();
    if (auto* action = qobject_cast<const QAction*>(o))
        return action->text();
    return QString();
}

QString ComponentText(QWidget* window, const QString& name)
{
    return ComponentText(FindComponent(window, name));
}

QString EscapeLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\r', QStringLiteral("\\n"));
    return text;
}

void DumpComponents(QWidget* window, QTextStream& out)
{
    out << "CAPTION\t" << EscapeLineEnds(window->windowTitle()) << '\n';
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* w : all) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")) || !w->isVisibleTo(window))
            continue;
        const QString text = ComponentText(w);
        if (!text.isNull())
            out << name << '\t' << EscapeLineEnds(text) << '\n';
    }
}

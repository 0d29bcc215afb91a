// snapshot WINDOW [--set NAME=VALUE]... [--click NAME]... [--answer ok|cancel|yes|no]...
//                 [--arg TEXT]... [--dump] [--png FILE]
// Opens one of the program's windows offscreen, acts on it as a user would and
// prints or draws what it shows.

#include "app/startup.h"
#include "app/window_catalog.h"
#include "core/interaction.h"
#include "tools/snapshot/dialog_recorder.h"
#include "widgets/component_access.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

struct Action {
    enum Kind { Set, Click } kind;
    QString name;
    QString value;
};

int Usage()
{
    std::fputs("usage: snapshot WINDOW [--set NAME=VALUE]... [--click NAME]... "
               "[--answer ok|cancel|yes|no]... [--arg TEXT]... [--dump] [--png FILE]\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QTemporaryDir> scratch;
    if (qEnvironmentVariableIsEmpty("QEL_HOME")) {
        scratch = std::make_unique<QTemporaryDir>();
        qputenv("QEL_HOME", scratch->path().toLocal8Bit());
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mirtal"));

    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return Usage();
    const QString windowName = args[1];
    QList<Action> actions;
    QStringList answers;
    QStringList windowArgs;
    bool dump = false;
    QString png;
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QStringLiteral("--dump")) {
            dump = true;
        } else if (!hasValue) {
            return Usage();
        } else if (a == QStringLiteral("--set")) {
            const QString v = args[++i];
            const qsizetype eq = v.indexOf(u'=');
            if (eq <= 0)
                return Usage();
            actions.append({Action::Set, v.left(eq), v.mid(eq + 1)});
        } else if (a == QStringLiteral("--click")) {
            actions.append({Action::Click, args[++i], QString()});
        } else if (a == QStringLiteral("--answer")) {
            answers.append(args[++i].toLower());
        } else if (a == QStringLiteral("--arg")) {
            windowArgs.append(args[++i]);
        } else if (a == QStringLiteral("--png")) {
            png = args[++i];
        } else {
            return Usage();
        }
    }

    DialogRecorder recorder(answers);
    QTextStream out(stdout);

    QWidget* window = nullptr;
    if (windowName.compare(QStringLiteral("TeMain"), Qt::CaseInsensitive) == 0) {
        // The launcher comes after the real start-up, whose questions the answers serve too.
        StartupResult start = RunStartup(windowArgs);
        if (!start.showLauncher) {
            if (dump)
                recorder.print(out);
            return start.exitCode;
        }
        window = start.launcher.release();
    } else {
        PrepareServices();
        window = CreateWindowByName(windowName, windowArgs);
    }
    if (!window) {
        std::fprintf(stderr, "snapshot: no window named %s\n", qPrintable(windowName));
        return 2;
    }

    window->show();
    QApplication::processEvents();
    for (const Action& act : actions) {
        QString error;
        const bool ok = act.kind == Action::Set ? SetComponent(window, act.name, act.value, &error)
                                                : ClickComponent(window, act.name, &error);
        if (!ok) {
            std::fprintf(stderr, "snapshot: %s\n", qPrintable(error));
            return 2;
        }
        QApplication::processEvents();
    }

    if (dump) {
        DumpComponents(window, out);
        recorder.print(out);
    }
    out.flush();
    if (!png.isEmpty() && !window->grab().save(png)) {
        std::fprintf(stderr, "snapshot: cannot write %s\n", qPrintable(png));
        return 1;
    }
    delete window;
    return 0;
}
